// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson states of the teacher's guide, set through the window's own controls.
#include "tools/guide/lesson_states.h"

#include <QLabel>

#include "classroom/form/form1.h"
#include "sky/passes.h"

namespace guide {
namespace {

// The latitude slider runs from -16383 (90° S) to 16384 (90° N); the sidereal-angle slider
// over one turn, 32767 for 360°. 24576 is three quarters of a turn: on the equator the
// Moon is then just rising in the east.
constexpr int kEquator = 0;
constexpr int kSiderealRising = 24576;
constexpr int kSiderealSetting = 8192;
constexpr int kNearPole = 16000;  // 87.9° N

void Equator(Form1& f) {
  f.HScroll2(0).SetValue(kEquator);
}

}  // namespace

const std::vector<ClassroomState>& ClassroomStates() {
  static const std::vector<ClassroomState> states = {
      {"1-start", [](Form1&) {}, true},
      {"2-perigee", [](Form1& f) { f.Option2(0).SetValue(true); }},
      {"2-quarter-turn", [](Form1& f) { f.Option2(1).SetValue(true); }, true},
      {"2-apogee", [](Form1& f) { f.Option2(2).SetValue(true); }},
      {"3-equator-rising",
       [](Form1& f) {
         Equator(f);
         f.HScroll1(1).SetValue(kSiderealRising);
       },
       true},
      {"3-equator-setting",
       [](Form1& f) {
         Equator(f);
         f.HScroll1(1).SetValue(kSiderealSetting);
       }},
      {"3-paris-rising", [](Form1& f) { f.HScroll1(1).SetValue(kSiderealRising); }, true},
      {"3-near-pole-rising",
       [](Form1& f) {
         f.HScroll2(0).SetValue(kNearPole);
         f.HScroll1(1).SetValue(kSiderealRising);
       }},
      {"5-coupled",
       [](Form1& f) {
         f.Option3(1).SetValue(true);
         f.HScroll1(1).SetValue(kSiderealRising);
       },
       true},
  };
  return states;
}

std::vector<std::string> ClassroomQuotes(const Form1& f) {
  std::vector<std::string> out;
  const auto add = [&](const std::string& caption) {
    const std::size_t a = caption.find_first_not_of(' ');
    const std::size_t b = caption.find_last_not_of(' ');
    if (a != std::string::npos) out.push_back(caption.substr(a, b - a + 1));
  };
  for (int i = 0; i <= 9; ++i) add(f.Label2(i).Caption());
  add(f.Label5(0).Caption());
  add(f.Label5(1).Caption());
  add(f.Label9(0).Caption());
  add(f.Label9(1).Caption());
  add(f.Label3().Caption());
  add(f.Label4().Caption());
  add(f.Label1(1).Caption());
  return out;
}

std::vector<std::string> SkyReadouts(const QWidget& skyWindow) {
  std::vector<std::string> out;
  for (const QLabel* l : skyWindow.findChildren<QLabel*>()) {
    if (!l->objectName().isEmpty()) out.push_back(l->text().toStdString());
  }
  return out;
}

std::vector<std::string> SkyPassTimes() {
  sky::Station s;
  std::string why;
  if (!sky::StationFromLocator(kSchoolLocator, 0, s, why)) return {why};
  const sky::UtcInstant day = sky::StartOfDay(kSkyLessonInstants[0]);
  std::vector<std::string> out;
  sky::ForEachPass(sky::SiteOf(s), day, {day.ms + sky::kMsPerDay}, [&](const sky::Pass& p) {
    if (p.rise) out.push_back(sky::FormatUtc(*p.rise));
    out.push_back(sky::FormatUtc(p.highest));
    if (p.set) out.push_back(sky::FormatUtc(*p.set));
    return true;
  });
  return out;
}

}  // namespace guide
