// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 as built: every control's place, size, caption, font, colours, range and state.
#include "classroom/form/form1.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/color.h"
#include "toolkit/qt/native.h"

namespace {

using toolkit::Alignment;
using toolkit::NativeWidget;
using toolkit::RGB;

// A fresh window for each test, destroyed before the application object goes.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateForm1(); }
  void TearDown() override { DestroyForm1(); }
  static Form1& f() { return form1(); }
};

template <class Row>
class FormTableTest : public FormTest, public ::testing::WithParamInterface<Row> {};

template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

// Fonts are Tahoma bold at the given point size; at 96 dpi a point is 4/3 of a pixel, so
// 9.75 pt is 13 px, 12 pt 16 px, 14.25 pt 19 px and 15.75 pt 21 px.
void ExpectTahomaBold(const QFont& font, int pixels) {
  EXPECT_EQ(font.family(), toolkit::MakeFont("Tahoma", 12, true).family());
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.pixelSize(), pixels);
}

// The container is the widget whose client area the control's twips are measured in.
bool IsChildOf(const toolkit::Control& c, const toolkit::Container& parent) {
  return NativeWidget(c)->parentWidget() == toolkit::NativeClient(parent);
}

// ---- Frames -------------------------------------------------------------------------------

struct FrameRow {
  const char* name;
  toolkit::Frame& (*get)(Form1&);
  const char* caption;
  int left, top, width, height;
  int fontPixels;
};
void PrintTo(const FrameRow& r, std::ostream* os) {
  *os << r.name;
}

using FrameTest = FormTableTest<FrameRow>;

TEST_P(FrameTest, SitsInTheWindowWithItsCaptionAndFont) {
  const FrameRow& r = GetParam();
  const toolkit::Frame& fr = r.get(f());
  EXPECT_TRUE(IsChildOf(fr, f()));
  EXPECT_EQ(fr.Caption(), r.caption);
  EXPECT_EQ(fr.Left(), r.left);
  EXPECT_EQ(fr.Top(), r.top);
  EXPECT_EQ(fr.Width(), r.width);
  EXPECT_EQ(fr.Height(), r.height);
  EXPECT_TRUE(fr.Enabled());
  ExpectTahomaBold(NativeWidget(fr)->font(), r.fontPixels);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameTest,
    ::testing::Values(FrameRow{"Frame3", [](Form1& w) -> toolkit::Frame& { return w.Frame3(); }, "",
                               3840, 120, 14655, 915, 19},
                      FrameRow{"Frame2", [](Form1& w) -> toolkit::Frame& { return w.Frame2(); },
                               "Lune - Moon", 14565, 1020, 3975, 4755, 19},
                      FrameRow{"Frame1_0", [](Form1& w) -> toolkit::Frame& { return w.Frame1(0); },
                               "Point P: Latitude - Longitude", 7965, 5880, 10095, 2055, 21},
                      FrameRow{"Frame1_1", [](Form1& w) -> toolkit::Frame& { return w.Frame1(1); },
                               "Angle Sid\u00e9ral Gr. (SH) - Gr. Sidereal Angle (CW)", 7965, 8040,
                               10095, 1455, 21},
                      FrameRow{"Frame1_2", [](Form1& w) -> toolkit::Frame& { return w.Frame1(2); },
                               "Ascencion Droite - Right Ascension", 7965, 9480, 10095, 1335, 21},
                      FrameRow{"Frame1_3", [](Form1& w) -> toolkit::Frame& { return w.Frame1(3); },
                               "Ligne des Noeuds - Node Line", 7965, 10920, 10095, 1335, 21},
                      FrameRow{"Frame1_4", [](Form1& w) -> toolkit::Frame& { return w.Frame1(4); },
                               "Animation", 7965, 12360, 10095, 1335, 21}),
    RowName<FrameRow>);

// ---- Drawing surfaces ---------------------------------------------------------------------

struct SurfaceRow {
  const char* name;
  toolkit::PictureBox& (*get)(Form1&);
  int left, top, width, height;
  toolkit::Color back, fore;
};
void PrintTo(const SurfaceRow& r, std::ostream* os) {
  *os << r.name;
}

using SurfaceTest = FormTableTest<SurfaceRow>;

TEST_P(SurfaceTest, SitsInTheWindowWithItsColours) {
  const SurfaceRow& r = GetParam();
  const toolkit::PictureBox& p = r.get(f());
  EXPECT_TRUE(IsChildOf(p, f()));
  EXPECT_EQ(p.Left(), r.left);
  EXPECT_EQ(p.Top(), r.top);
  EXPECT_EQ(p.Width(), r.width);
  EXPECT_EQ(p.Height(), r.height);
  EXPECT_EQ(p.BackColor(), r.back);
  EXPECT_EQ(p.ForeColor(), r.fore);
  // Persistent drawing is switched on by start-up, not by the window.
  EXPECT_FALSE(p.AutoRedraw());
  EXPECT_TRUE(p.Picture().IsNothing());
  // Before any Scale the unit is the twip: the interior is a little smaller than the outer
  // size by the border, and positive.
  EXPECT_GT(p.ScaleWidth(), 0);
  EXPECT_LE(p.ScaleWidth(), r.width);
  EXPECT_GT(p.ScaleHeight(), 0);
  EXPECT_LE(p.ScaleHeight(), r.height);
}

INSTANTIATE_TEST_SUITE_P(
    Surfaces, SurfaceTest,
    ::testing::Values(
        SurfaceRow{"Picture1", [](Form1& w) -> toolkit::PictureBox& { return w.Picture1(); }, -75,
                   1200, 7935, 7695, RGB(0, 0, 0), RGB(255, 255, 255)},
        SurfaceRow{"Picture2", [](Form1& w) -> toolkit::PictureBox& { return w.Picture2(); }, 7965,
                   1200, 6495, 4575, RGB(0, 0, 64), RGB(255, 255, 255)},
        SurfaceRow{"Picture3", [](Form1& w) -> toolkit::PictureBox& { return w.Picture3(); }, -75,
                   9120, 7935, 4575, RGB(0, 0, 64), RGB(255, 255, 255)}),
    RowName<SurfaceRow>);

// ---- Sliders ------------------------------------------------------------------------------

struct SliderRow {
  const char* name;
  toolkit::HScrollBar& (*get)(Form1&);
  toolkit::Frame& (*frame)(Form1&);
  int top, height;
  int min, max, pageStep, value;
  bool enabled;
};
void PrintTo(const SliderRow& r, std::ostream* os) {
  *os << r.name;
}

using SliderTest = FormTableTest<SliderRow>;

TEST_P(SliderTest, SitsInItsFrameWithItsRange) {
  const SliderRow& r = GetParam();
  const toolkit::HScrollBar& s = r.get(f());
  EXPECT_TRUE(IsChildOf(s, r.frame(f())));
  EXPECT_EQ(s.Left(), 120);
  EXPECT_EQ(s.Top(), r.top);
  EXPECT_EQ(s.Width(), 7935);
  EXPECT_EQ(s.Height(), r.height);
  EXPECT_EQ(s.Min(), r.min);
  EXPECT_EQ(s.Max(), r.max);
  EXPECT_EQ(s.LargeChange(), r.pageStep);
  EXPECT_EQ(s.SmallChange(), 1);
  EXPECT_EQ(s.Value(), r.value);
  EXPECT_EQ(s.Enabled(), r.enabled);
  EXPECT_EQ(s.Tag, "");
}

// The angle sliders span one turn over 0..32767; the latitude slider is not symmetric,
// -16383..16384, so that its top position is the north pole.
INSTANTIATE_TEST_SUITE_P(
    Sliders, SliderTest,
    ::testing::Values(SliderRow{"HScroll1_0_speed",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(0); },
                                [](Form1& w) -> toolkit::Frame& { return w.Frame1(4); }, 480, 270,
                                0, 32767, 100, 0, false},
                      SliderRow{"HScroll1_1_sidereal",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(1); },
                                [](Form1& w) -> toolkit::Frame& { return w.Frame1(1); }, 480, 285,
                                0, 32767, 1024, 0, true},
                      SliderRow{"HScroll1_2_moon",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(2); },
                                [](Form1& w) -> toolkit::Frame& { return w.Frame1(2); }, 480, 270,
                                0, 32767, 100, 0, true},
                      SliderRow{"HScroll1_3_nodes",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll1(3); },
                                [](Form1& w) -> toolkit::Frame& { return w.Frame1(3); }, 480, 270,
                                0, 32767, 100, 0, true},
                      SliderRow{"HScroll2_0_latitude",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll2(0); },
                                [](Form1& w) -> toolkit::Frame& { return w.Frame1(0); }, 600, 285,
                                -16383, 16384, 1024, 16383, true},
                      SliderRow{"HScroll2_1_longitude",
                                [](Form1& w) -> toolkit::HScrollBar& { return w.HScroll2(1); },
                                [](Form1& w) -> toolkit::Frame& { return w.Frame1(0); }, 1080, 285,
                                0, 32767, 1024, 0, true}),
    RowName<SliderRow>);

// ---- Option buttons -----------------------------------------------------------------------

struct OptionRow {
  const char* name;
  toolkit::OptionButton& (*get)(Form1&);
  toolkit::Frame& (*frame)(Form1&);
  const char* caption;
  int left, top, width, height;
  int fontPixels;
  bool selected;
};
void PrintTo(const OptionRow& r, std::ostream* os) {
  *os << r.name;
}

using OptionTest = FormTableTest<OptionRow>;

TEST_P(OptionTest, SitsInItsFrameWithItsCaptionAndSelection) {
  const OptionRow& r = GetParam();
  const toolkit::OptionButton& o = r.get(f());
  EXPECT_TRUE(IsChildOf(o, r.frame(f())));
  EXPECT_EQ(o.Caption(), r.caption);
  EXPECT_EQ(o.Left(), r.left);
  EXPECT_EQ(o.Top(), r.top);
  EXPECT_EQ(o.Width(), r.width);
  EXPECT_EQ(o.Height(), r.height);
  EXPECT_EQ(o.Value(), r.selected);
  EXPECT_TRUE(o.Enabled());
  ExpectTahomaBold(NativeWidget(o)->font(), r.fontPixels);
}

#define OPTION(arr, i) [](Form1& w) -> toolkit::OptionButton& { return w.arr(i); }
#define FRAME1(i) [](Form1& w) -> toolkit::Frame& { return w.Frame1(i); }

INSTANTIATE_TEST_SUITE_P(
    Options, OptionTest,
    ::testing::Values(OptionRow{"Option1_0", OPTION(Option1, 0), FRAME1(3), "0\u00b0", 315, 840,
                                735, 405, 19, true},
                      OptionRow{"Option1_1", OPTION(Option1, 1), FRAME1(3), "90\u00b0", 2145, 855,
                                855, 405, 19, false},
                      OptionRow{"Option1_2", OPTION(Option1, 2), FRAME1(3), "180\u00b0", 3975, 840,
                                1215, 405, 19, false},
                      OptionRow{"Option1_3", OPTION(Option1, 3), FRAME1(3), "270\u00b0", 5820, 840,
                                1095, 405, 19, false},
                      OptionRow{"Option2_0", OPTION(Option2, 0), FRAME1(2), "0\u00b0", 300, 840,
                                735, 405, 19, true},
                      OptionRow{"Option2_1", OPTION(Option2, 1), FRAME1(2), "90\u00b0", 2145, 840,
                                855, 405, 19, false},
                      OptionRow{"Option2_2", OPTION(Option2, 2), FRAME1(2), "180\u00b0", 3975, 840,
                                1215, 405, 19, false},
                      OptionRow{"Option2_3", OPTION(Option2, 3), FRAME1(2), "270\u00b0", 5835, 840,
                                1095, 405, 19, false},
                      OptionRow{"Option3_0", OPTION(Option3, 0), FRAME1(1),
                                "D\u00e9coupl\u00e9 - Uncoupled", 480, 960, 3615, 375, 19, true},
                      OptionRow{"Option3_1", OPTION(Option3, 1), FRAME1(1), "Coupl\u00e9 - Coupled",
                                4920, 960, 3015, 375, 19, false},
                      OptionRow{"Option4_0", OPTION(Option4, 0), FRAME1(4), "Animation OFF", 2070,
                                855, 1575, 375, 13, true},
                      OptionRow{"Option4_1", OPTION(Option4, 1), FRAME1(4), "Animation ON", 4230,
                                855, 1575, 375, 13, false}),
    RowName<OptionRow>);

// ---- Value labels -------------------------------------------------------------------------

struct ValueLabelRow {
  const char* name;
  toolkit::Label& (*get)(Form1&);
  toolkit::Container& (*container)(Form1&);
  const char* caption;  // the design caption: the control's own name, a placeholder
  int left, top, width;
  Alignment alignment;
  const char* toolTip;
};
void PrintTo(const ValueLabelRow& r, std::ostream* os) {
  *os << r.name;
}

using ValueLabelTest = FormTableTest<ValueLabelRow>;

TEST_P(ValueLabelTest, KeepsItsAnchoredEdgeAndStyle) {
  const ValueLabelRow& r = GetParam();
  const toolkit::Label& l = r.get(f());
  EXPECT_TRUE(IsChildOf(l, r.container(f())));
  EXPECT_EQ(l.Caption(), r.caption);
  EXPECT_EQ(l.DesignLeft(), r.left);
  EXPECT_EQ(l.DesignTop(), r.top);
  EXPECT_EQ(l.DesignWidth(), r.width);
  EXPECT_EQ(l.DesignHeight(), 435);
  EXPECT_EQ(l.GetAlignment(), r.alignment);

  // The label has taken the size of its caption; its top stays put and so does the edge its
  // alignment names. A centred label of odd pixel width sits within one pixel (15 twips).
  EXPECT_EQ(l.Top(), r.top);
  EXPECT_GT(l.Width(), 0);
  switch (r.alignment) {
    case Alignment::Left:
      EXPECT_EQ(l.Left(), r.left);
      break;
    case Alignment::Right:
      EXPECT_EQ(l.Left() + l.Width(), r.left + r.width);
      break;
    case Alignment::Center:
      EXPECT_NEAR(2 * l.Left() + l.Width(), 2 * r.left + r.width, 2 * 15);
      break;
  }

  const toolkit::LabelStyle& s = l.Style();
  EXPECT_TRUE(s.autoSize);
  EXPECT_TRUE(s.border);
  EXPECT_TRUE(s.opaque);
  EXPECT_EQ(s.backColor, RGB(255, 255, 255));
  EXPECT_EQ(s.foreColor, RGB(0, 0, 0));
  EXPECT_EQ(s.font.name, "Tahoma");
  EXPECT_DOUBLE_EQ(s.font.points, 15.75);
  EXPECT_TRUE(s.font.bold);
  ExpectTahomaBold(NativeWidget(l)->font(), 21);

  EXPECT_EQ(l.ToolTipText(), r.toolTip);
  // A label reads out its caption; it gets a description, never a name of its own.
  const QWidget* w = NativeWidget(l);
  EXPECT_TRUE(w->accessibleName().isEmpty());
  EXPECT_FALSE(w->accessibleDescription().isEmpty());
  if (r.toolTip[0] != '\0') {
    EXPECT_EQ(w->accessibleDescription().toStdString(), r.toolTip);
  }
}

#define LABEL(expr) [](Form1& w) -> toolkit::Label& { return w.expr; }
#define IN(expr) [](Form1& w) -> toolkit::Container& { return w.expr; }

// Label2(9) is right-aligned so that it grows leftwards and stays in the top bar; the other
// Label2 elements are left-aligned, and every other readout is centred.
INSTANTIATE_TEST_SUITE_P(
    ValueLabels, ValueLabelTest,
    ::testing::Values(ValueLabelRow{"Label2_10", LABEL(Label2(10)), IN(Frame3()),
                                    " Doppler 10 GHz: ", 165, 315, 2835, Alignment::Center, ""},
                      ValueLabelRow{"Label2_6", LABEL(Label2(6)), IN(Frame3()), "Label2", 3720, 315,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_7", LABEL(Label2(7)), IN(Frame3()), "Label2", 6120, 315,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_8", LABEL(Label2(8)), IN(Frame3()), "Label2", 8520, 315,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_9", LABEL(Label2(9)), IN(Frame3()), "Label2", 13320,
                                    315, 1125, Alignment::Right, ""},
                      ValueLabelRow{"Label2_0", LABEL(Label2(0)), IN(Frame2()), "Label2", 120, 480,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_5", LABEL(Label2(5)), IN(Frame2()), "Label2", 120, 1200,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_1", LABEL(Label2(1)), IN(Frame2()), "Label2", 120, 1920,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_2", LABEL(Label2(2)), IN(Frame2()), "Label2", 120, 2640,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_3", LABEL(Label2(3)), IN(Frame2()), "Label2", 120, 3360,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label2_4", LABEL(Label2(4)), IN(Frame2()), "Label2", 120, 4080,
                                    1125, Alignment::Left, ""},
                      ValueLabelRow{"Label9_0", LABEL(Label9(0)), IN(Frame1(0)), "Label9", 8520,
                                    480, 1125, Alignment::Center, " Latitude "},
                      ValueLabelRow{"Label9_1", LABEL(Label9(1)), IN(Frame1(0)), "Label9", 8520,
                                    960, 1125, Alignment::Center, " Longitude "},
                      ValueLabelRow{"Label5_0", LABEL(Label5(0)), IN(Frame1(0)), "Label5", 2040,
                                    1485, 1125, Alignment::Center, ""},
                      ValueLabelRow{"Label5_1", LABEL(Label5(1)), IN(Frame1(0)), "Label5", 5280,
                                    1485, 1125, Alignment::Center, ""},
                      ValueLabelRow{"Label3", LABEL(Label3()), IN(Frame1(1)), "Label3", 8520, 360,
                                    1125, Alignment::Center, " Angle Sid. Gr. - Gr. Sid. Angle"},
                      ValueLabelRow{"Label4", LABEL(Label4()), IN(Frame1(2)), "Label4", 8520, 360,
                                    1125, Alignment::Center, " Asc. Droite - Right Asc. "},
                      ValueLabelRow{"Label1_0", LABEL(Label1(0)), IN(Frame1(3)), "Label1", 8520,
                                    315, 1125, Alignment::Center, ""},
                      ValueLabelRow{"Label1_1", LABEL(Label1(1)), IN(Frame1(3)), "Label1", 8520,
                                    810, 1125, Alignment::Center,
                                    " D\u00e9clinaison - Declination "}),
    RowName<ValueLabelRow>);

// ---- Caption labels -----------------------------------------------------------------------

struct CaptionLabelRow {
  const char* name;
  toolkit::Label& (*get)(Form1&);
  const char* caption;
  int left, top, width, height;
  Alignment alignment;
};
void PrintTo(const CaptionLabelRow& r, std::ostream* os) {
  *os << r.name;
}

using CaptionLabelTest = FormTableTest<CaptionLabelRow>;

TEST_P(CaptionLabelTest, HasFixedSizeAndNoBorder) {
  const CaptionLabelRow& r = GetParam();
  const toolkit::Label& l = r.get(f());
  EXPECT_TRUE(IsChildOf(l, f().Frame1(4)));
  EXPECT_EQ(l.Caption(), r.caption);
  EXPECT_EQ(l.Left(), r.left);
  EXPECT_EQ(l.Top(), r.top);
  EXPECT_EQ(l.Width(), r.width);
  EXPECT_EQ(l.Height(), r.height);
  EXPECT_EQ(l.GetAlignment(), r.alignment);
  EXPECT_FALSE(l.Style().autoSize);
  EXPECT_FALSE(l.Style().border);
  EXPECT_FALSE(l.Style().opaque);
  ExpectTahomaBold(NativeWidget(l)->font(), 16);
  EXPECT_TRUE(NativeWidget(l)->accessibleName().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(CaptionLabels, CaptionLabelTest,
                         ::testing::Values(CaptionLabelRow{"Label6", LABEL(Label6()), "Lent-Slow",
                                                           120, 840, 1455, 255, Alignment::Left},
                                           CaptionLabelRow{"Label7", LABEL(Label7()), "Rapide-Fast",
                                                           6360, 840, 1695, 375, Alignment::Right}),
                         RowName<CaptionLabelRow>);

// ---- The window, the menu and the timer ---------------------------------------------------

TEST_F(FormTest, WindowHasItsTitleClientAreaAndOneMenuItem) {
  EXPECT_EQ(f().Title(), "Vornak - Doppler EME 10 GHz");
  EXPECT_EQ(f().ClientWidth(), 19080);
  EXPECT_EQ(f().ClientHeight(), 13710);
  // The menu bar sits above the client area: the outer size is at least the client's.
  EXPECT_GE(f().Width(), 19080);
  EXPECT_GT(f().Height(), 13710);
  ASSERT_EQ(f().MenuItems().size(), 1u);
  EXPECT_EQ(f().MenuItems()[0]->Caption(), "Quit");
  EXPECT_EQ(&f().Quit(), f().MenuItems()[0].get());
  // Start-up shows the window; building it does not.
  EXPECT_FALSE(f().Visible());
}

TEST_F(FormTest, TimerIsEnabledButSilentWithIntervalZero) {
  EXPECT_TRUE(f().Timer1().Enabled());
  EXPECT_EQ(f().Timer1().Interval(), 0);
  EXPECT_FALSE(f().Timer1().Ticking());
}

// Tab walks the sliders and option buttons in the order of their tab indexes: the node-line
// frame (7, 9-12), the Moon frame (13, 15-18, its presets in reverse), the sidereal frame
// (19, 21, 22), the station sliders (23 longitude before 24 latitude), the speed slider (28)
// and the animation switch (47, 48).
TEST_F(FormTest, TabOrderFollowsTheTabIndexes) {
  Form1& w = f();
  const std::vector<const toolkit::Control*> expected = {
      &w.HScroll1(3), &w.Option1(0), &w.Option1(1), &w.Option1(2),  &w.Option1(3),
      &w.HScroll1(2), &w.Option2(3), &w.Option2(2), &w.Option2(1),  &w.Option2(0),
      &w.HScroll1(1), &w.Option3(0), &w.Option3(1), &w.HScroll2(1), &w.HScroll2(0),
      &w.HScroll1(0), &w.Option4(0), &w.Option4(1)};
  std::vector<QWidget*> focusable;
  for (const toolkit::Control* c : expected) focusable.push_back(NativeWidget(*c));

  // Walk the focus chain once round from the first control and keep ours in chain order.
  std::vector<QWidget*> chain;
  QWidget* start = focusable.front();
  QWidget* w0 = start;
  do {
    if (std::find(focusable.begin(), focusable.end(), w0) != focusable.end()) chain.push_back(w0);
    w0 = w0->nextInFocusChain();
  } while (w0 != nullptr && w0 != start);
  EXPECT_EQ(chain, focusable);
}

// Screen readers name each slider, option button and surface in both languages.
TEST_F(FormTest, InteractiveControlsHaveBilingualAccessibleNames) {
  Form1& w = f();
  std::vector<const toolkit::Control*> named = {&w.Picture1(), &w.Picture2(), &w.Picture3()};
  for (int i = 0; i < 4; ++i) {
    named.push_back(&w.HScroll1(i));
    named.push_back(&w.Option1(i));
    named.push_back(&w.Option2(i));
  }
  for (int i = 0; i < 2; ++i) {
    named.push_back(&w.HScroll2(i));
    named.push_back(&w.Option3(i));
    named.push_back(&w.Option4(i));
  }
  std::vector<QString> names;
  for (const toolkit::Control* c : named) {
    const QString name = NativeWidget(*c)->accessibleName();
    EXPECT_TRUE(name.contains(QStringLiteral(" - "))) << name.toStdString();
    names.push_back(name);
  }
  // No two controls share a name, or a screen reader could not tell them apart.
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

}  // namespace

namespace {

// ---- Captions in their rectangles ---------------------------------------------------------

// The width a one-line text needs in a widget's font: its advance, or its ink where a letter
// leans past the advance.
int TextWidth(const QWidget* w, const QString& text) {
  const QFontMetrics fm(w->font());
  return std::max(fm.horizontalAdvance(text), fm.boundingRect(text).right() + 1);
}

// Every fixed caption fits the rectangle the window gives it: the caption labels their
// design size, an option button's text the room beside its indicator, a title its frame.
TEST_F(FormTest, FixedCaptionsFitTheirRectangles) {
  for (const toolkit::Label* l : {&f().Label6(), &f().Label7()}) {
    const QWidget* w = NativeWidget(*l);
    const QString text = w->property("text").toString();
    EXPECT_LE(TextWidth(w, text), w->width()) << l->Caption();
    EXPECT_LE(QFontMetrics(w->font()).tightBoundingRect(text).height(), w->height());
  }
  for (int i = 0; i < 4; ++i) {
    for (const toolkit::OptionButton* b :
         {&f().Option1(i), &f().Option2(i), &f().Option3(i % 2), &f().Option4(i % 2)}) {
      const auto* w = static_cast<const QAbstractButton*>(NativeWidget(*b));
      QStyleOptionButton option;
      option.initFrom(w);
      const bool push = qobject_cast<const QPushButton*>(w) != nullptr;
      const QRect room = w->style()->subElementRect(
          push ? QStyle::SE_PushButtonContents : QStyle::SE_RadioButtonContents, &option, w);
      EXPECT_LE(TextWidth(w, w->text()), room.width()) << b->Caption();
      EXPECT_LE(QFontMetrics(w->font()).tightBoundingRect(w->text()).height(), room.height());
    }
  }
  for (int i = -1; i < 5; ++i) {
    const auto* box =
        static_cast<const QGroupBox*>(NativeWidget(i < 0 ? f().Frame2() : f().Frame1(i)));
    EXPECT_LE(TextWidth(box, box->title()), box->width()) << box->title().toStdString();
  }
}

// The pairs of sibling widgets whose rectangles overlap.
std::set<std::pair<const QWidget*, const QWidget*>> Overlaps(const QWidget* window) {
  std::set<std::pair<const QWidget*, const QWidget*>> pairs;
  for (const QWidget* a : window->findChildren<QWidget*>()) {
    for (const QWidget* b : window->findChildren<QWidget*>()) {
      if (a < b && a->parentWidget() == b->parentWidget() && a->isVisibleTo(window) &&
          b->isVisibleTo(window) && a->geometry().intersects(b->geometry())) {
        pairs.insert({a, b});
      }
    }
  }
  return pairs;
}

// With the widest texts the readouts can take, every auto-sized label shows its text whole
// inside its frame and overlaps nothing it did not overlap with its design caption. The
// range rate reaches about 465 m/s from the Earth's rotation, 73 m/s from the orbit's
// eccentricity and some tens from parallax (600 m/s with room); a shift is 69.17 Hz per m/s.
TEST_F(FormTest, ValueLabelsStayInsideTheirFramesWithTheWidestTexts) {
  const QWidget* window = toolkit::NativeWindow(f());
  const auto before = Overlaps(window);
  const std::pair<toolkit::Label*, const char*> widest[] = {
      {&f().Label2(0), " vRad= -73.000 m/s "},
      {&f().Label2(5), " vTan= 1091.757 m/s "},
      {&f().Label2(1), " vAD= -99.999 m/s "},
      {&f().Label2(2), " vDc= -99.999 m/s "},
      {&f().Label2(3), " vRot= -465.197 m/s "},
      {&f().Label2(4), " vFin= -599.999 m/s "},
      {&f().Label2(6), " AD: -6917 Hz "},
      {&f().Label2(7), " Dc: -6917 Hz "},
      {&f().Label2(8), " Rot: -32177 Hz "},
      {&f().Label2(9), " Final: -41501 Hz "},
      {&f().Label5(0), " El= -88.888° "},
      {&f().Label5(1), " Az= 359.999° "},
      {&f().Label9(0), " 90.0° S "},
      {&f().Label9(1), " 360.0° "},
      {&f().Label3(), " 359.999° "},
      {&f().Label4(), " 359.999° "},
      {&f().Label1(0), " 359.999° "},
      {&f().Label1(1), " -28.730° "}};
  for (const auto& [label, text] : widest) label->SetCaption(text);
  for (const auto& [label, text] : widest) {
    const QWidget* w = NativeWidget(*label);
    EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << text;
    EXPECT_GE(w->width(), TextWidth(w, toolkit::Q(text))) << text;
  }
  for (const auto& pair : Overlaps(window)) EXPECT_EQ(before.count(pair), 1u);
}

// The summed darkness of a text drawn black on white, and the widest run of blank columns
// between two inked ones.
std::pair<double, int> InkAndWidestGap(const QFont& font, const QString& text) {
  QImage image(QFontMetrics(font).horizontalAdvance(text) + 20, 40, QImage::Format_Grayscale8);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.drawText(10, 30, text);
  painter.end();
  double ink = 0;
  int gap = -image.width(), widest = 0;
  for (int x = 0; x < image.width(); ++x) {
    int column = 0;
    for (int y = 0; y < image.height(); ++y) column += 255 - qGray(image.pixel(x, y));
    ink += column / 255.0;
    widest = column > 0 ? std::max(widest, gap) : widest;
    gap = column > 0 ? 0 : gap + 1;
  }
  return {ink, widest};
}

// A caption in bold looks bold: clearly more ink than the same text in the regular face
// (the bold face fonts-wine ships carries the same), and "m/s" without a gap after the
// slash: at most the one blank column the regular face leaves, where that bold face
// leaves 3 to 5.
TEST(CaptionFont, BoldIsHeavierThanRegularAndSpeedUnitsHaveNoGap) {
  for (const double points : {9.75, 12.0, 14.25, 15.75}) {
    const QString text = QStringLiteral("vRad= 0.000 m/s");
    EXPECT_GT(InkAndWidestGap(toolkit::MakeFont("Tahoma", points, true), text).first,
              1.25 * InkAndWidestGap(toolkit::MakeFont("Tahoma", points, false), text).first);
    EXPECT_LE(InkAndWidestGap(toolkit::MakeFont("Tahoma", points, true), "m/s").second, 1);
  }
}

}  // namespace
