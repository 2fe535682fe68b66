// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop window driven by the page tests: reads events on stdin, one a line, gives each
// to the started window as real input (offscreen), and prints what the window then shows, so
// that a test can compare the page with it event for event.
//
//   set NAME V          a value set as assistive technology sets it
//   arrow NAME SIDE     a click on a slider's left or right arrow button
//   trough NAME SIDE    a click in a slider's trough, left or right of the thumb
//   drag NAME DX        the thumb of a slider pressed, moved DX pixels in four steps, let go
//   key NAME KEY        the slider or option takes the focus as by Tab, then the key
//   option NAME         a click on an option button
//   ticks N             N ticks of the running timer
//   journal             the surfaces' journals start afresh
//   journals            prints the journals
//   tabwalk N           from Picture1, N presses of Tab: prints the controls reached
// After each event it prints one line: {"captions":…,"values":…,"checked":…,"enabled":…}.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "classroom/app/startup.h"
#include "classroom/form/form1.h"
#include "toolkit/application.h"
#include "toolkit/picture_box.h"
#include "toolkit/qt/native.h"

namespace {

using toolkit::NativeWidget;

std::map<std::string, toolkit::Control*> controls;  // every control of Form1 by its name
// Ticks run only when an event asks for them: the page's clock is held the same way, so that
// both windows see the same ticks between the same events, whatever the time they take.
bool ticksAsked = false;

void NameAll(Form1& f) {
  const auto at = [](const char* a, int i) {
    return std::string(a) + "(" + std::to_string(i) + ")";
  };
  for (int i = 0; i < 11; ++i) controls[at("Label2", i)] = &f.Label2(i);
  for (int i = 0; i < 2; ++i) {
    controls[at("Label1", i)] = &f.Label1(i);
    controls[at("Label5", i)] = &f.Label5(i);
    controls[at("Label9", i)] = &f.Label9(i);
    controls[at("HScroll2", i)] = &f.HScroll2(i);
    controls[at("Option3", i)] = &f.Option3(i);
    controls[at("Option4", i)] = &f.Option4(i);
  }
  for (int i = 0; i < 4; ++i) {
    controls[at("HScroll1", i)] = &f.HScroll1(i);
    controls[at("Option1", i)] = &f.Option1(i);
    controls[at("Option2", i)] = &f.Option2(i);
  }
  controls["Label3"] = &f.Label3();
  controls["Label4"] = &f.Label4();
  controls["Label6"] = &f.Label6();
  controls["Label7"] = &f.Label7();
  controls["Picture1"] = &f.Picture1();
  controls["Picture2"] = &f.Picture2();
  controls["Picture3"] = &f.Picture3();
}

std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

void PrintState() {
  std::string captions, values, checked, enabled;
  for (const auto& [name, c] : controls) {
    const auto add = [&name](std::string& to, const std::string& v) {
      to += (to.empty() ? "" : ",") + Quoted(name) + ":" + v;
    };
    if (auto* l = dynamic_cast<toolkit::Label*>(c)) add(captions, Quoted(l->Caption()));
    if (auto* s = dynamic_cast<toolkit::HScrollBar*>(c)) {
      add(values, std::to_string(s->Value()));
      add(enabled, s->Enabled() ? "true" : "false");
    }
    if (auto* o = dynamic_cast<toolkit::OptionButton*>(c))
      add(checked, o->Value() ? "true" : "false");
  }
  std::printf("{\"captions\":{%s},\"values\":{%s},\"checked\":{%s},\"enabled\":{%s}}\n",
              captions.c_str(), values.c_str(), checked.c_str(), enabled.c_str());
  std::fflush(stdout);
}

void PrintJournals() {
  std::string out;
  for (const char* name : {"Picture1", "Picture2", "Picture3"}) {
    auto* p = static_cast<toolkit::PictureBox*>(controls[name]);
    std::string calls;
    for (const toolkit::DrawCall& call : p->Journal()) {
      std::string args;
      for (const float a : call.args) {
        char n[32];
        std::snprintf(n, sizeof n, "%s%.9g", args.empty() ? "" : ",", static_cast<double>(a));
        args += n;
      }
      calls += (calls.empty() ? "" : ",") + std::string("{\"op\":\"") +
               toolkit::DrawOpName(call.op) + "\",\"color\":" + std::to_string(call.color) +
               ",\"style\":" + std::to_string(static_cast<int>(call.drawStyle)) + ",\"args\":[" +
               args + "],\"text\":" + Quoted(call.text) + "}";
    }
    // A pixel in user units, for the tolerance of positions taken from text metrics.
    const QRect interior = NativeWidget(*p)->contentsRect();
    char pixel[64];
    std::snprintf(pixel, sizeof pixel, "[%.9g,%.9g]",
                  toolkit::UnitsPerPixelX(p->UserFrame(), interior.width()),
                  toolkit::UnitsPerPixelY(p->UserFrame(), interior.height()));
    out += (out.empty() ? "" : ",") + Quoted(name) + ":{\"pixel\":" + pixel + ",\"calls\":[" +
           calls + "]}";
  }
  std::printf("{%s}\n", out.c_str());
  std::fflush(stdout);
}

QScrollBar* Bar(const std::string& name) {
  return static_cast<QScrollBar*>(NativeWidget(*controls.at(name)));
}

// The centre of a part of a slider as its style lays it out; an empty part has none.
bool PartCentre(QScrollBar* bar, QStyle::SubControl part, QPoint& at) {
  QStyleOptionSlider opt;
  opt.initFrom(bar);
  opt.subControls = QStyle::SC_All;
  opt.orientation = Qt::Horizontal;
  opt.state |= QStyle::State_Horizontal;
  opt.minimum = bar->minimum();
  opt.maximum = bar->maximum();
  opt.sliderPosition = bar->sliderPosition();
  opt.sliderValue = bar->value();
  opt.singleStep = bar->singleStep();
  opt.pageStep = bar->pageStep();
  const QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
  if (r.width() < 2) return false;
  at = r.center();
  return true;
}

Qt::Key KeyNamed(const std::string& k) {
  static const std::map<std::string, Qt::Key> keys = {
      {"ArrowLeft", Qt::Key_Left}, {"ArrowRight", Qt::Key_Right}, {"ArrowUp", Qt::Key_Up},
      {"ArrowDown", Qt::Key_Down}, {"PageUp", Qt::Key_PageUp},    {"PageDown", Qt::Key_PageDown},
      {"Home", Qt::Key_Home},      {"End", Qt::Key_End},          {"Space", Qt::Key_Space}};
  return keys.at(k);
}

std::string NameOf(const QWidget* w) {
  for (const auto& [name, c] : controls) {
    if (NativeWidget(*c) == w) return name;
  }
  return "?";
}

void Run(const std::string& line) {
  std::istringstream in(line);
  std::string op, name, arg;
  in >> op >> name >> arg;
  if (op == "set") {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Bar(name));
    a->valueInterface()->setCurrentValue(std::stoi(arg));
  } else if (op == "arrow" || op == "trough") {
    QScrollBar* bar = Bar(name);
    QStyle::SubControl part = QStyle::SC_ScrollBarSubLine;
    if (op == "arrow" && arg == "right") part = QStyle::SC_ScrollBarAddLine;
    if (op == "trough")
      part = arg == "left" ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage;
    QPoint at;
    if (bar->isEnabled() && PartCentre(bar, part, at))
      QTest::mouseClick(bar, Qt::LeftButton, {}, at);
  } else if (op == "drag") {
    QScrollBar* bar = Bar(name);
    QPoint at;
    if (bar->isEnabled() && PartCentre(bar, QStyle::SC_ScrollBarSlider, at)) {
      const int dx = std::stoi(arg);
      QTest::mousePress(bar, Qt::LeftButton, {}, at);
      for (int step = 1; step <= 4; ++step) QTest::mouseMove(bar, at + QPoint(dx * step / 4, 0));
      QTest::mouseRelease(bar, Qt::LeftButton, {}, at + QPoint(dx, 0));
    }
  } else if (op == "key") {
    QWidget* w = NativeWidget(*controls.at(name));
    if (w->isEnabled()) {
      if (QApplication::focusWidget() != w) w->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), KeyNamed(arg));
    }
  } else if (op == "option") {
    QWidget* w = NativeWidget(*controls.at(name));
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
  } else if (op == "ticks") {
    ticksAsked = true;
    for (int i = std::stoi(name); i > 0; --i) {
      if (form1().Timer1().Ticking() && form1().Timer1().onTimer) form1().Timer1().onTimer();
    }
    ticksAsked = false;
  } else if (op == "journal") {
    for (const char* p : {"Picture1", "Picture2", "Picture3"}) {
      auto* surface = static_cast<toolkit::PictureBox*>(controls[p]);
      surface->ClearJournal();
      surface->StartJournal();
    }
    return;
  } else if (op == "journals") {
    PrintJournals();
    return;
  } else if (op == "tabwalk") {
    NativeWidget(form1().Picture1())->setFocus(Qt::OtherFocusReason);
    std::string names = Quoted(NameOf(QApplication::focusWidget()));
    for (int i = std::stoi(name); i > 0; --i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      names += "," + Quoted(NameOf(QApplication::focusWidget()));
    }
    std::printf("[%s]\n", names.c_str());
    std::fflush(stdout);
    return;
  } else {
    std::fprintf(stderr, "desktop_peer: unknown event \"%s\"\n", line.c_str());
    std::exit(2);
  }
  PrintState();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  toolkit::Application app(argc, argv);
  StartProgram();
  NameAll(form1());
  form1().Timer1().onTimer = [tick = form1().Timer1().onTimer] {
    if (ticksAsked) tick();
  };
  QWidget* window = NativeWidget(form1().HScroll1(0))->window();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window)) {
    std::fputs("desktop_peer: the window did not become active\n", stderr);
    return 1;
  }
  PrintState();
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty()) Run(line);
  }
  DestroyForm1();
  return 0;
}
