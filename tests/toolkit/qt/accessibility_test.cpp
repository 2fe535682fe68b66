// SPDX-License-Identifier: GPL-3.0-or-later
// The started window as assistive technology sees it: names, descriptions, roles, values,
// the keyboard order and the keys that move the sliders.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/started_form.h"
#include "toolkit/qt/native.h"

namespace {

using toolkit::NativeWidget;

QAccessibleInterface* Accessible(const toolkit::Control& c) {
  return QAccessible::queryAccessibleInterface(NativeWidget(c));
}

std::string AccessibleText(const toolkit::Control& c, QAccessible::Text t) {
  QAccessibleInterface* a = Accessible(c);
  return a != nullptr ? a->text(t).toStdString() : std::string("<no accessible interface>");
}

// Both languages: the captions and names pair a French and an English text with " - ".
bool IsBilingual(const std::string& text) {
  return text.find(" - ") != std::string::npos;
}

template <class Row>
class StartedFormTableTest : public StartedFormTest, public ::testing::WithParamInterface<Row> {};

template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

// ---- Readouts -----------------------------------------------------------------------------

struct ReadoutRow {
  const char* name;
  toolkit::Label& (*get)(Form1&);
  const char* toolTip;  // nullptr: the readout has none and carries a description instead
};
void PrintTo(const ReadoutRow& r, std::ostream* os) {
  *os << r.name;
}

using ReadoutTest = StartedFormTableTest<ReadoutRow>;

// A screen reader reads a readout's value as its name: the caption exactly, blanks and units
// included, as written by start-up and by any later update. What the value means comes as
// the description: the tool tip where the label has one, else a text in both languages.
TEST_P(ReadoutTest, NameIsTheCaptionAndDescriptionSaysWhatItShows) {
  const ReadoutRow& r = GetParam();
  toolkit::Label& label = r.get(*f);
  QAccessibleInterface* a = Accessible(label);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::StaticText);
  EXPECT_FALSE(label.Caption().empty());
  EXPECT_EQ(a->text(QAccessible::Name).toStdString(), label.Caption());

  const std::string description = a->text(QAccessible::Description).toStdString();
  if (r.toolTip != nullptr) {
    EXPECT_EQ(label.ToolTipText(), r.toolTip);
    EXPECT_EQ(description, r.toolTip);
  } else {
    EXPECT_TRUE(IsBilingual(description)) << '"' << description << '"';
  }

  // A new value is read out as the new name.
  const std::string updated = " vRot= -123.456 m/s ";
  label.SetCaption(updated);
  EXPECT_EQ(a->text(QAccessible::Name).toStdString(), updated);
}

INSTANTIATE_TEST_SUITE_P(
    Readouts, ReadoutTest,
    ::testing::Values(
        ReadoutRow{"Label2_0_vRad", [](Form1& w) -> toolkit::Label& { return w.Label2(0); },
                   nullptr},
        ReadoutRow{"Label2_1_vAD", [](Form1& w) -> toolkit::Label& { return w.Label2(1); },
                   nullptr},
        ReadoutRow{"Label2_2_vDc", [](Form1& w) -> toolkit::Label& { return w.Label2(2); },
                   nullptr},
        ReadoutRow{"Label2_3_vRot", [](Form1& w) -> toolkit::Label& { return w.Label2(3); },
                   nullptr},
        ReadoutRow{"Label2_4_vFin", [](Form1& w) -> toolkit::Label& { return w.Label2(4); },
                   nullptr},
        ReadoutRow{"Label2_5_vTan", [](Form1& w) -> toolkit::Label& { return w.Label2(5); },
                   nullptr},
        ReadoutRow{"Label2_6_AD_Hz", [](Form1& w) -> toolkit::Label& { return w.Label2(6); },
                   nullptr},
        ReadoutRow{"Label2_7_Dc_Hz", [](Form1& w) -> toolkit::Label& { return w.Label2(7); },
                   nullptr},
        ReadoutRow{"Label2_8_Rot_Hz", [](Form1& w) -> toolkit::Label& { return w.Label2(8); },
                   nullptr},
        ReadoutRow{"Label2_9_Final_Hz", [](Form1& w) -> toolkit::Label& { return w.Label2(9); },
                   nullptr},
        ReadoutRow{"Label2_10_title", [](Form1& w) -> toolkit::Label& { return w.Label2(10); },
                   nullptr},
        ReadoutRow{"Label9_0_latitude", [](Form1& w) -> toolkit::Label& { return w.Label9(0); },
                   " Latitude "},
        ReadoutRow{"Label9_1_longitude", [](Form1& w) -> toolkit::Label& { return w.Label9(1); },
                   " Longitude "},
        ReadoutRow{"Label5_0_elevation", [](Form1& w) -> toolkit::Label& { return w.Label5(0); },
                   nullptr},
        ReadoutRow{"Label5_1_azimuth", [](Form1& w) -> toolkit::Label& { return w.Label5(1); },
                   nullptr},
        ReadoutRow{"Label3_sidereal", [](Form1& w) -> toolkit::Label& { return w.Label3(); },
                   " Angle Sid. Gr. - Gr. Sid. Angle"},
        ReadoutRow{"Label4_moon", [](Form1& w) -> toolkit::Label& { return w.Label4(); },
                   " Asc. Droite - Right Asc. "},
        ReadoutRow{"Label1_0_nodes", [](Form1& w) -> toolkit::Label& { return w.Label1(0); },
                   nullptr},
        ReadoutRow{"Label1_1_declination", [](Form1& w) -> toolkit::Label& { return w.Label1(1); },
                   " D\u00e9clinaison - Declination "}),
    RowName<ReadoutRow>);

// The two captions under the speed slider are read as they are written.
TEST_F(StartedFormTest, SpeedCaptionsAreReadAsWritten) {
  EXPECT_EQ(AccessibleText(f->Label6(), QAccessible::Name), "Lent-Slow");
  EXPECT_EQ(AccessibleText(f->Label7(), QAccessible::Name), "Rapide-Fast");
}

// ---- Controls -----------------------------------------------------------------------------

// Every slider, option button and drawing surface is announced by a name in both languages,
// with the role that tells the user how to work it; no two share a name.
TEST_F(StartedFormTest, ControlsHaveBilingualNamesAndTheirRoles) {
  struct Named {
    const toolkit::Control* control;
    std::vector<QAccessible::Role> roles;
  };
  const std::vector<QAccessible::Role> slider = {QAccessible::ScrollBar, QAccessible::Slider};
  const std::vector<QAccessible::Role> option = {QAccessible::RadioButton, QAccessible::Button,
                                                 QAccessible::CheckBox};
  std::vector<Named> named;
  for (const toolkit::PictureBox* p : {&f->Picture1(), &f->Picture2(), &f->Picture3()}) {
    named.push_back({p, {}});
  }
  for (int i = 0; i < 4; ++i) {
    named.push_back({&f->HScroll1(i), slider});
    named.push_back({&f->Option1(i), option});
    named.push_back({&f->Option2(i), option});
  }
  for (int i = 0; i < 2; ++i) {
    named.push_back({&f->HScroll2(i), slider});
    named.push_back({&f->Option3(i), option});
    named.push_back({&f->Option4(i), option});
  }
  std::vector<std::string> names;
  for (const Named& n : named) {
    QAccessibleInterface* a = Accessible(*n.control);
    ASSERT_NE(a, nullptr);
    const std::string name = a->text(QAccessible::Name).toStdString();
    EXPECT_TRUE(IsBilingual(name)) << '"' << name << '"';
    if (!n.roles.empty()) {
      EXPECT_NE(std::find(n.roles.begin(), n.roles.end(), a->role()), n.roles.end())
          << name << " has role " << a->role();
    }
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

// Each frame names the group of controls it holds: by its caption, and the top bar, which
// shows none, by a name in both languages.
TEST_F(StartedFormTest, FramesNameTheirGroups) {
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(AccessibleText(f->Frame1(i), QAccessible::Name), f->Frame1(i).Caption())
        << "Frame1(" << i << ")";
  }
  EXPECT_EQ(AccessibleText(f->Frame2(), QAccessible::Name), "Lune - Moon");
  EXPECT_EQ(f->Frame3().Caption(), "");
  EXPECT_TRUE(IsBilingual(AccessibleText(f->Frame3(), QAccessible::Name)));
}

// The selected preset or switch is announced as checked, the others not.
TEST_F(StartedFormTest, OptionButtonsReportTheirSelection) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Accessible(f->Option1(i))->state().checked, i == 0) << "Option1(" << i << ")";
  }
  EXPECT_TRUE(Accessible(f->Option3(0))->state().checked);
  EXPECT_FALSE(Accessible(f->Option3(1))->state().checked);
  EXPECT_TRUE(Accessible(f->Option4(0))->state().checked);
  EXPECT_FALSE(Accessible(f->Option4(1))->state().checked);
  f->Option3(1).SetValue(true);
  EXPECT_FALSE(Accessible(f->Option3(0))->state().checked);
  EXPECT_TRUE(Accessible(f->Option3(1))->state().checked);
}

// The speed slider is announced as unavailable until the animation is switched on.
TEST_F(StartedFormTest, SpeedSliderIsAnnouncedDisabledWhileTheAnimationIsOff) {
  EXPECT_TRUE(Accessible(f->HScroll1(0))->state().disabled);
  EXPECT_FALSE(Accessible(f->HScroll1(1))->state().disabled);
}

// An accessible interface lives exactly as long as its widget. Once the window is gone, a
// screen reader that still holds an id must find nothing, not an interface over a deleted
// control that a later widget at the same address would inherit.
TEST(AccessibleLifetime, InterfacesGoWithTheWindow) {
  Form1& w = StartForm();
  std::vector<const toolkit::Control*> controls = {&w.Picture1(),  &w.Label2(0),   &w.Label3(),
                                                   &w.HScroll1(0), &w.HScroll2(0), &w.Option1(0),
                                                   &w.Option4(1)};
  std::vector<QAccessible::Id> ids;
  for (const toolkit::Control* c : controls) ids.push_back(QAccessible::uniqueId(Accessible(*c)));
  DestroyForm1();
  for (size_t i = 0; i < ids.size(); ++i) {
    EXPECT_EQ(QAccessible::accessibleInterface(ids[i]), nullptr) << "control " << i;
  }
}

// ---- Focus from assistive technology ------------------------------------------------------

// Logs a slider's GotFocus and Change, in order, while its handlers still run.
void Log(toolkit::HScrollBar& bar, std::vector<std::string>& events) {
  bar.onGotFocus = [&events, h = bar.onGotFocus] {
    events.push_back("GotFocus");
    if (h) h();
  };
  bar.onChange = [&events, h = bar.onChange] {
    events.push_back("Change");
    if (h) h();
  };
}

// A screen reader that sets a slider's value takes the slider as the mouse would: GotFocus
// first, which unmarks the "0°" preset, then the Change; choosing "0°" afterwards brings
// the slider and its readout back. Both preset sliders.
TEST_F(StartedFormTest, ValueSetThroughTheInterfaceFocusesFirstAndThePresetWorksAfter) {
  std::vector<std::string> events;
  for (int slider : {3, 2}) {
    toolkit::HScrollBar& bar = f->HScroll1(slider);
    events.clear();
    const auto preset = [&](int i) -> toolkit::OptionButton& {
      return slider == 3 ? f->Option1(i) : f->Option2(i);
    };
    Log(bar, events);
    Accessible(bar)->valueInterface()->setCurrentValue(5000);
    EXPECT_EQ(events, (std::vector<std::string>{"GotFocus", "Change"})) << slider;
    EXPECT_EQ(bar.Value(), 5000);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(preset(i).Value()) << slider << " preset " << i;

    QWidget* zero = NativeWidget(preset(0));
    QTest::mouseClick(zero, Qt::LeftButton, Qt::NoModifier, QPoint(8, zero->height() / 2));
    EXPECT_EQ(bar.Value(), 0) << slider;
    EXPECT_EQ((slider == 3 ? f->Label1(0) : f->Label4()).Caption(), " 0.000° ");
  }
}

// The set-focus action raises GotFocus once, as a click does, and the toolkit's SetFocus
// still once; a window merely re-activated raises none, nor does a disabled slider, which
// takes no value either.
TEST_F(StartedFormTest, FocusActionRaisesGotFocusOnceAndOnlyWhenTheUserMovesIt) {
  QWidget* window = toolkit::NativeWindow(*f);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  std::vector<std::string> nodes, moon, speed;
  Log(f->HScroll1(3), nodes);
  Log(f->HScroll1(2), moon);
  Log(f->HScroll1(0), speed);
  const QString focus = QAccessibleActionInterface::setFocusAction();
  QAccessibleActionInterface* action = Accessible(f->HScroll1(3))->actionInterface();
  ASSERT_TRUE(action->actionNames().contains(focus));
  action->doAction(focus);
  action->doAction(focus);  // it has the focus already
  EXPECT_EQ(nodes, std::vector<std::string>{"GotFocus"});
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(f->Option1(i).Value()) << "Option1 " << i;

  f->HScroll1(2).SetFocus();
  QApplication::setActiveWindow(nullptr);
  QApplication::processEvents();
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_TRUE(f->HScroll1(2).HasFocus());
  EXPECT_EQ(moon, std::vector<std::string>{"GotFocus"});

  Accessible(f->HScroll1(0))->actionInterface()->doAction(focus);
  Accessible(f->HScroll1(0))->valueInterface()->setCurrentValue(9000);
  EXPECT_TRUE(speed.empty());
  EXPECT_EQ(f->HScroll1(0).Value(), 0);
  EXPECT_EQ(nodes.size(), 1u);
}

// ---- Keyboard order -----------------------------------------------------------------------

// The stops of Tab in the order of the window's tab indexes: the three surfaces (0-2), the
// node-line frame (7, 9-12), the Moon frame (13, 15-18, its presets from 270° down to 0°),
// the sidereal frame (19, 21, 22), longitude (23) before latitude (24), the speed slider
// (28) and the animation switch (47, 48). Frames and labels take no focus.
std::vector<QWidget*> TabStops(const Form1& w) {
  const std::vector<const toolkit::Control*> stops = {
      &w.Picture1(), &w.Picture2(),  &w.Picture3(),  &w.HScroll1(3), &w.Option1(0),
      &w.Option1(1), &w.Option1(2),  &w.Option1(3),  &w.HScroll1(2), &w.Option2(3),
      &w.Option2(2), &w.Option2(1),  &w.Option2(0),  &w.HScroll1(1), &w.Option3(0),
      &w.Option3(1), &w.HScroll2(1), &w.HScroll2(0), &w.HScroll1(0), &w.Option4(0),
      &w.Option4(1)};
  std::vector<QWidget*> widgets;
  for (const toolkit::Control* c : stops) widgets.push_back(NativeWidget(*c));
  return widgets;
}

// Every widget of the window that Tab can reach, once round the focus chain from the first
// surface, in chain order.
TEST_F(StartedFormTest, FocusChainHoldsExactlyTheTabStopsInOrder) {
  const std::vector<QWidget*> expected = TabStops(*f);
  std::vector<QWidget*> chain;
  QWidget* start = expected.front();
  QWidget* w = start;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) chain.push_back(w);
    w = w->nextInFocusChain();
  } while (w != nullptr && w != start);
  EXPECT_EQ(chain, expected);
}

// Pressing Tab walks the stops in the same order and comes round again. A frame's option
// buttons are one stop, entered at its first button in tab order, and the arrow keys move
// within it; the disabled speed slider is passed over.
TEST_F(StartedFormTest, TabKeyWalksTheStopsAndWrapsAround) {
  QWidget* window = toolkit::NativeWindow(*f);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  const std::vector<const toolkit::Control*> stops = {
      &f->Picture1(),  &f->Picture2(), &f->Picture3(),  &f->HScroll1(3), &f->Option1(0),
      &f->HScroll1(2), &f->Option2(3), &f->HScroll1(1), &f->Option3(0),  &f->HScroll2(1),
      &f->HScroll2(0), &f->Option4(0), &f->Picture1()};
  std::vector<QWidget*> expected;
  for (const toolkit::Control* c : stops) expected.push_back(NativeWidget(*c));

  expected.front()->setFocus(Qt::OtherFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), expected.front());
  std::vector<QWidget*> visited = {QApplication::focusWidget()};
  while (visited.size() < expected.size()) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(visited, expected);
}

// Inside a frame the arrow keys move the focus and the selection to the neighbouring button,
// so a preset can be chosen from the keyboard: Right from "0°" selects "90°".
TEST_F(StartedFormTest, ArrowKeysSelectTheNeighbouringPreset) {
  QWidget* window = toolkit::NativeWindow(*f);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QWidget* first = NativeWidget(f->Option1(0));
  first->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(f->Option1(0).Value());
  QTest::keyClick(first, Qt::Key_Right);
  EXPECT_EQ(QApplication::focusWidget(), NativeWidget(f->Option1(1)));
  EXPECT_TRUE(f->Option1(1).Value());
  EXPECT_FALSE(f->Option1(0).Value());
  // The preset took effect: the node-line slider stands at a quarter turn.
  EXPECT_EQ(f->HScroll1(3).Value(), 8192);
}

// ---- Slider keys --------------------------------------------------------------------------

struct SliderRow {
  const char* name;
  toolkit::HScrollBar& (*get)(Form1&);
};
void PrintTo(const SliderRow& r, std::ostream* os) {
  *os << r.name;
}

using SliderKeyTest = StartedFormTableTest<SliderRow>;

// Right and Up move a slider one position up its range, Left and Down one down; PageUp and
// PageDown move it by its page step. Each move is a Change, so the readouts follow.
TEST_P(SliderKeyTest, ArrowsMoveByOneAndPageKeysByThePageStep) {
  toolkit::HScrollBar& bar = GetParam().get(*f);
  bar.SetEnabled(true);  // the speed slider waits for the animation otherwise
  // Well inside the range, so that no key meets an end.
  const int start = bar.Min() + (bar.Max() - bar.Min()) / 3;
  bar.SetValue(start);
  ASSERT_EQ(bar.Value(), start);
  const int page = bar.LargeChange();
  ASSERT_GT(page, 1);
  int changes = 0;
  const auto handler = bar.onChange;
  bar.onChange = [&changes, handler] {
    ++changes;
    if (handler) handler();
  };
  bar.SetFocus();
  QWidget* w = NativeWidget(bar);

  const struct {
    Qt::Key key;
    int step;
  } presses[] = {{Qt::Key_Right, 1},        {Qt::Key_Up, 1},          {Qt::Key_Left, -1},
                 {Qt::Key_Down, -1},        {Qt::Key_Left, -1},       {Qt::Key_PageUp, page},
                 {Qt::Key_PageDown, -page}, {Qt::Key_PageDown, -page}};
  int expected = start;
  for (const auto& p : presses) {
    QTest::keyClick(w, p.key);
    expected += p.step;
    EXPECT_EQ(bar.Value(), expected) << "after key " << QTest::toString(p.key);
  }
  EXPECT_EQ(changes, static_cast<int>(std::size(presses)));

  // The accessible value follows the position.
  QAccessibleValueInterface* value = Accessible(bar)->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->currentValue().toInt(), expected);
  EXPECT_EQ(value->minimumValue().toInt(), bar.Min());
  EXPECT_EQ(value->maximumValue().toInt(), bar.Max());
}

INSTANTIATE_TEST_SUITE_P(
    Sliders, SliderKeyTest,
    ::testing::Values(SliderRow{"HScroll1_0_speed",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(0); }},
                      SliderRow{"HScroll1_1_sidereal",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(1); }},
                      SliderRow{"HScroll1_2_moon",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(2); }},
                      SliderRow{"HScroll1_3_nodes",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(3); }},
                      SliderRow{"HScroll2_0_latitude",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll2(0); }},
                      SliderRow{"HScroll2_1_longitude",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll2(1); }}),
    RowName<SliderRow>);

}  // namespace
