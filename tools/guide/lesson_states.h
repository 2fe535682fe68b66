// SPDX-License-Identifier: GPL-3.0-or-later
// The states the teacher's guide sets up, lesson by lesson: shared by the program that makes
// the guide's pictures and by the test that keeps the guide's numbers true.
#pragma once

#include <string>
#include <vector>

#include "sky/time.h"

class Form1;
class QWidget;

namespace guide {

// One move of a teacher: a slider set to a value, or an option chosen. Controls are named as
// the window names them ("HScroll1", index 1 is the element HScroll1(1)), so that the same
// moves can be given to the desktop window and to the page.
struct Move {
  std::string control;
  int index = 0;
  int value = 0;                           // a slider's position; unused for an option
  [[nodiscard]] std::string Name() const;  // "HScroll1(1)"
  [[nodiscard]] bool IsOption() const { return control.starts_with("Option"); }
};

// A state of the classroom window, reached from start-up by moving its controls as a
// teacher would.
struct ClassroomState {
  std::string name;  // the picture's file name, docs/guide/<name>.png, when it has one
  std::vector<Move> moves;
  bool picture = false;
};
[[nodiscard]] const std::vector<ClassroomState>& ClassroomStates();

// Makes the moves of `state` on the desktop window, from the state it is in.
void Set(Form1& f, const ClassroomState& state);

// The labels whose captions a lesson may quote, by the window's names ("Label2(0)", "Label3").
[[nodiscard]] const std::vector<std::string>& QuotedLabels();

// A caption as a lesson quotes it: the blanks either side trimmed; empty for a blank one.
[[nodiscard]] std::string Quoted(const std::string& caption);

// The captions a lesson may quote, as the window shows them now, blanks trimmed.
[[nodiscard]] std::vector<std::string> ClassroomQuotes(const Form1& f);

// The real-Moon lesson: the school's locator and the instants it looks at.
inline constexpr const char* kSchoolLocator = "JN18eu";
inline constexpr sky::UtcInstant kSkyLessonInstants[] = {
    {1'796'806'800'000},  // 2026-12-09T09:00:00Z, just after moonrise
    {1'796'817'818'000},  // 2026-12-09T12:03:38Z, the Moon at its highest
    {1'796'828'400'000},  // 2026-12-09T15:00:00Z, before moonset
};

// The readouts a lesson may quote from the vornak-sky window at `t`, from the school's
// station, and the times of that day's pass, as the programs write them.
[[nodiscard]] std::vector<std::string> SkyReadouts(const QWidget& skyWindow);
[[nodiscard]] std::vector<std::string> SkyPassTimes();

}  // namespace guide
