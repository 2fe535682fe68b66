// SPDX-License-Identifier: GPL-3.0-or-later
// Lesson states of the teacher's guide, set through the window's own controls.
#include "tools/guide/lesson_states.h"

#include <QLabel>
#include <stdexcept>

#include "classroom/form/form1.h"
#include "sky/passes.h"

namespace guide {
namespace {

// The latitude slider runs from -16383 (90° S) to 16384 (90° N); the sidereal-angle slider
// over one turn, 32767 for 360°. 24576 is three quarters of a turn: on the equator the
// Moon is then just rising in the east.
constexpr int kEquatorPosition = 0;
constexpr int kSiderealRising = 24576;
constexpr int kSiderealSetting = 8192;
constexpr int kNearPole = 16000;  // 87.9° N

const Move kEquator{"HScroll2", 0, kEquatorPosition};

toolkit::Label& LabelNamed(const Form1& f, const std::string& name) {
  const std::size_t open = name.find('(');
  const std::string base = name.substr(0, open);
  const int i = open == std::string::npos ? 0 : std::stoi(name.substr(open + 1));
  if (base == "Label1") return f.Label1(i);
  if (base == "Label2") return f.Label2(i);
  if (base == "Label5") return f.Label5(i);
  if (base == "Label9") return f.Label9(i);
  if (base == "Label3") return f.Label3();
  if (base == "Label4") return f.Label4();
  throw std::invalid_argument("no label " + name);
}

}  // namespace

std::string Move::Name() const {
  return control + "(" + std::to_string(index) + ")";
}

const std::vector<ClassroomState>& ClassroomStates() {
  static const std::vector<ClassroomState> states = {
      {"1-start", {}, true},
      {"2-perigee", {{"Option2", 0}}},
      {"2-quarter-turn", {{"Option2", 1}}, true},
      {"2-apogee", {{"Option2", 2}}},
      {"3-equator-rising", {kEquator, {"HScroll1", 1, kSiderealRising}}, true},
      {"3-equator-setting", {kEquator, {"HScroll1", 1, kSiderealSetting}}},
      {"3-paris-rising", {{"HScroll1", 1, kSiderealRising}}, true},
      {"3-near-pole-rising", {{"HScroll2", 0, kNearPole}, {"HScroll1", 1, kSiderealRising}}},
      {"5-coupled", {{"Option3", 1}, {"HScroll1", 1, kSiderealRising}}, true},
  };
  return states;
}

void Set(Form1& f, const ClassroomState& state) {
  for (const Move& m : state.moves) {
    if (m.control == "Option2") {
      f.Option2(m.index).SetValue(true);
    } else if (m.control == "Option3") {
      f.Option3(m.index).SetValue(true);
    } else if (m.control == "HScroll1") {
      f.HScroll1(m.index).SetValue(m.value);
    } else if (m.control == "HScroll2") {
      f.HScroll2(m.index).SetValue(m.value);
    } else {
      throw std::invalid_argument("no move for " + m.Name());
    }
  }
}

const std::vector<std::string>& QuotedLabels() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (int i = 0; i <= 9; ++i) n.push_back("Label2(" + std::to_string(i) + ")");
    for (const char* other :
         {"Label5(0)", "Label5(1)", "Label9(0)", "Label9(1)", "Label3", "Label4", "Label1(1)"}) {
      n.emplace_back(other);
    }
    return n;
  }();
  return names;
}

std::string Quoted(const std::string& caption) {
  const std::size_t a = caption.find_first_not_of(' ');
  const std::size_t b = caption.find_last_not_of(' ');
  return a == std::string::npos ? std::string() : caption.substr(a, b - a + 1);
}

std::vector<std::string> ClassroomQuotes(const Form1& f) {
  std::vector<std::string> out;
  for (const std::string& name : QuotedLabels()) {
    const std::string q = Quoted(LabelNamed(f, name).Caption());
    if (!q.empty()) out.push_back(q);
  }
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
