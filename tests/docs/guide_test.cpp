// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's guide, in both languages, against the programs: every value it writes as
// code (`like this`) is what the window of its lesson shows in the state the lesson sets.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "classroom/form/form1.h"
#include "classroom/model/constants.h"
#include "skyapp/window/sky_window.h"
#include "skyapp/window/station_input.h"
#include "tests/support/started_form.h"
#include "tools/guide/lesson_states.h"

namespace {

using Quotes = std::map<int, std::vector<std::string>>;  // lesson -> values written as code

// The inline code spans of each lesson ("## Lesson N" or "## Séance N") that hold a digit;
// fenced blocks (commands to type) are not quotes.
Quotes QuotesOf(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  Quotes quotes;
  int lesson = 0;
  bool fenced = false;
  const std::regex heading("^## \\D*(\\d+)");
  const std::regex span("`([^`]*)`");
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("```")) {
      fenced = !fenced;
      continue;
    }
    std::smatch m;
    if (std::regex_search(line, m, heading)) lesson = std::stoi(m[1]);
    if (fenced || lesson == 0) continue;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), span);
         it != std::sregex_iterator(); ++it) {
      const std::string q = (*it)[1];
      if (q.find_first_of("0123456789") != std::string::npos) quotes[lesson].push_back(q);
    }
  }
  return quotes;
}

// The captions a lesson may quote in each classroom state, as a window shows them.
using StateQuotes = std::vector<std::pair<std::string, std::vector<std::string>>>;

StateQuotes OnTheDesktop() {
  StateQuotes out;
  for (const guide::ClassroomState& s : guide::ClassroomStates()) {
    Form1& f = StartForm();
    guide::Set(f, s);
    out.emplace_back(s.name, guide::ClassroomQuotes(f));
    DestroyForm1();
  }
  return out;
}

// The same states on the classroom page (VORNAK_PAGE) in headless Chromium: the page's
// script is given the moves and the labels, and writes a line a state, its captions
// separated by tabs.
StateQuotes OnThePage() {
  const char* node = std::getenv("VORNAK_NODE");
  const char* page = std::getenv("VORNAK_PAGE");
  if (!node || !page) {
    ADD_FAILURE() << "VORNAK_NODE and VORNAK_PAGE name node and the page";
    return {};
  }
  QTemporaryDir dir;
  const std::string in = dir.filePath("moves").toStdString();
  const std::string out = dir.filePath("captions").toStdString();
  {
    std::ofstream moves(in);
    moves << "labels";
    for (const std::string& l : guide::QuotedLabels()) moves << ' ' << l;
    moves << '\n';
    for (const guide::ClassroomState& s : guide::ClassroomStates()) {
      moves << "state " << s.name << '\n';
      for (const guide::Move& m : s.moves) {
        if (m.IsOption()) {
          moves << "option " << m.Name() << '\n';
        } else {
          moves << "set " << m.Name() << ' ' << m.value << '\n';
        }
      }
    }
  }
  const std::string command = std::string(node) +
                              " " VORNAK_SOURCE_DIR "/tests/web/guide_states.js < '" + in +
                              "' > '" + out + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  StateQuotes quotes;
  std::ifstream captions(out);
  for (std::string line; std::getline(captions, line);) {
    std::istringstream fields(line);
    std::string name, caption;
    std::getline(fields, name, '\t');
    std::vector<std::string> q;
    while (std::getline(fields, caption, '\t')) {
      if (!guide::Quoted(caption).empty()) q.push_back(guide::Quoted(caption));
    }
    quotes.emplace_back(name, q);
  }
  EXPECT_EQ(quotes.size(), guide::ClassroomStates().size()) << "a line for each state";
  return quotes;
}

// What each of the classroom lessons (1 to 5) may quote: the captions of the states it uses.
std::map<int, std::set<std::string>> ClassroomValues(const StateQuotes& states) {
  // Lessons 3 and 4 compare the moving Earth with the start-up state.
  const std::map<char, std::vector<int>> lessonsOfState = {
      {'1', {1, 3, 4}}, {'2', {2}}, {'3', {3, 4}}, {'5', {5}}};
  std::map<int, std::set<std::string>> values;
  for (const auto& [name, quotes] : states) {
    for (const std::string& q : quotes) {
      for (const int lesson : lessonsOfState.at(name[0])) values[lesson].insert(q);
    }
  }
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%.5f", kEarthTurnsPerMoonTurn);
  values[5].insert(ratio);
  return values;
}

// What each lesson may quote: the classroom window's captions, or the real Moon's readouts
// and pass at the school.
std::map<int, std::set<std::string>> ProgramValues() {
  std::map<int, std::set<std::string>> values = ClassroomValues(OnTheDesktop());
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  skyapp::SkyWindow sky(guide::kSkyLessonInstants[0]);
  sky.stationInput()->enterLocator(guide::kSchoolLocator);
  for (const sky::UtcInstant t : guide::kSkyLessonInstants) {
    sky.setChosenInstant(t);
    for (const std::string& q : guide::SkyReadouts(sky)) values[6].insert(q);
  }
  for (const std::string& q : guide::SkyPassTimes()) values[6].insert(q);
  values[6].insert(guide::kSchoolLocator);
  return values;
}

// Every value quoted in lessons up to `lastLesson`, in both languages, is among `values`.
void ExpectQuotesAmong(const std::map<int, std::set<std::string>>& values, int lastLesson,
                       const char* where) {
  const std::string docs = VORNAK_SOURCE_DIR "/docs/";
  for (const char* name : {"guide.en.md", "guide.fr.md"}) {
    for (const auto& [lesson, quotes] : QuotesOf(docs + name)) {
      if (lesson > lastLesson) continue;
      for (const std::string& q : quotes) {
        EXPECT_TRUE(values.count(lesson) && values.at(lesson).count(q))
            << name << ", lesson " << lesson << ": `" << q << "` is not what " << where
            << " shows in the lesson's state";
      }
    }
  }
}

TEST(Guide, EveryQuotedValueIsWhatTheProgramShowsInBothLanguages) {
  const std::string docs = VORNAK_SOURCE_DIR "/docs/";
  const Quotes en = QuotesOf(docs + "guide.en.md");
  const Quotes fr = QuotesOf(docs + "guide.fr.md");
  ASSERT_EQ(en.size(), 6u) << "six lessons, each quoting the programs";
  ExpectQuotesAmong(ProgramValues(), 6, "the program");
  // The same lessons say the same: every value quoted in one language is quoted in the other.
  for (int lesson = 1; lesson <= 6; ++lesson) {
    const auto set = [&](const Quotes& q) {
      const auto it = q.find(lesson);
      return it == q.end() ? std::set<std::string>()
                           : std::set<std::string>(it->second.begin(), it->second.end());
    };
    EXPECT_EQ(set(en), set(fr)) << "lesson " << lesson
                                << " quotes different values in English and French";
  }
}

// The classroom page (label web: it needs the page built and Chromium) shows the same values
// in the same states.
TEST(GuideOnThePage, EveryQuotedClassroomValueIsWhatThePageShows) {
  if (!std::getenv("VORNAK_PAGE")) GTEST_SKIP() << "no page named: ctest -L web runs this case";
  ExpectQuotesAmong(ClassroomValues(OnThePage()), 5, "the classroom page");
}

TEST(Guide, EveryPictureIsThereWithItsDescription) {
  for (const char* name : {"guide.en.md", "guide.fr.md"}) {
    std::ifstream in(std::string(VORNAK_SOURCE_DIR "/docs/") + name);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    const std::regex image("!\\[([^\\]]*)\\]\\(([^)]+)\\)");
    int pictures = 0;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), image); it != std::sregex_iterator();
         ++it, ++pictures) {
      EXPECT_GE((*it)[1].length(), 20) << name << ": a picture without a description";
      EXPECT_TRUE(std::ifstream(std::string(VORNAK_SOURCE_DIR "/docs/") + (*it)[2].str()))
          << name << ": no file " << (*it)[2];
    }
    EXPECT_GE(pictures, 6) << name << ": a picture for each lesson";
  }
}

}  // namespace
