// SPDX-License-Identifier: GPL-3.0-or-later
// The house's floors hold: every include written from the repository root names a header of a
// floor its file may use, as floors.txt lists them, and the README's map shows that table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = VORNAK_SOURCE_DIR;

struct Floors {
  std::map<std::string, std::set<std::string>> floors;  // a floor and what it may include
  std::map<std::string, std::set<std::string>> files;   // a file's own additions
};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

Floors ReadFloors() {
  Floors t;
  std::ifstream in(kRoot / "floors.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string key = line.substr(0, colon);
    const std::vector<std::string> words = Words(line.substr(colon + 1));
    auto& into = key.ends_with(".cpp") || key.ends_with(".h") ? t.files[key] : t.floors[key];
    into.insert(words.begin(), words.end());
  }
  return t;
}

bool Under(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

// A folder of tests mirrors the floor it is named after: tests/classroom/view mirrors
// classroom/view.
std::set<std::string> MirroredRule(const Floors& t, const std::string& mirrored) {
  std::set<std::string> allowed{mirrored, "tests/support"};
  for (const std::string& f : t.floors.at(mirrored)) {
    allowed.insert(f);
    allowed.insert("tests/" + f);
  }
  return allowed;
}

// Every floor a path can stand on: the listed ones and the mirrors of those under tests/.
std::vector<std::string> AllFloors(const Floors& t) {
  std::vector<std::string> all;
  for (const auto& [f, _] : t.floors) {
    all.push_back(f);
    if (!f.starts_with("tests")) all.push_back("tests/" + f);
  }
  return all;
}

// The deepest floor the path stands on, or "" when none.
std::string FloorOf(const std::vector<std::string>& floors, const std::string& path) {
  std::string best;
  for (const std::string& f : floors)
    if (Under(path, f) && f.size() > best.size()) best = f;
  return best;
}

std::set<std::string> Allowed(const Floors& t, const std::string& floor) {
  if (const auto it = t.floors.find(floor); it != t.floors.end()) return it->second;
  return MirroredRule(t, floor.substr(std::string("tests/").size()));
}

std::vector<std::string> Violations(const Floors& t, const std::string& file,
                                    const std::string& text) {
  const std::vector<std::string> floors = AllFloors(t);
  const std::string from = FloorOf(floors, file);
  if (from.empty()) return {file + " stands on no floor of floors.txt"};
  std::set<std::string> allowed = Allowed(t, from);
  if (const auto it = t.files.find(file); it != t.files.end())
    allowed.insert(it->second.begin(), it->second.end());
  std::vector<std::string> bad;
  static const std::regex include(R"(^\s*#\s*include\s+"([^"]+)\")");
  std::istringstream in(text);
  int lineNo = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    std::smatch m;
    if (!std::regex_search(line, m, include)) continue;
    const std::string header = m[1];
    const std::string to = FloorOf(floors, header);
    if (to == from || allowed.contains("*") || allowed.contains(to)) continue;
    bad.push_back(file + ":" + std::to_string(lineNo) + " (" + from + ") includes " + header +
                  " (" + (to.empty() ? "no floor" : to) + ")");
  }
  return bad;
}

std::string Read(const fs::path& p) {
  std::ifstream in(p);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(IncludeFloors, EveryIncludeNamesAFloorItsFileMayUse) {
  const Floors t = ReadFloors();
  ASSERT_FALSE(t.floors.empty()) << "floors.txt not read";
  std::vector<std::string> bad;
  int files = 0;
  for (auto it = fs::recursive_directory_iterator(kRoot); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string name = it->path().filename().string();
    if (it->is_directory() &&
        (name.starts_with(".") || name == "build" || name == "node_modules")) {
      it.disable_recursion_pending();
      continue;
    }
    const std::string ext = it->path().extension().string();
    if (!it->is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
    const std::string rel = fs::relative(it->path(), kRoot).generic_string();
    const std::vector<std::string> v = Violations(t, rel, Read(it->path()));
    bad.insert(bad.end(), v.begin(), v.end());
    ++files;
  }
  EXPECT_GT(files, 100);
  for (const std::string& b : bad) ADD_FAILURE() << b;
}

// The rule itself, on files it has never seen: a wrong-way include, a sibling, a mirror.
TEST(IncludeFloors, RefusesIncludesUpwardsAndSideways) {
  const Floors t = ReadFloors();
  EXPECT_EQ(Violations(t, "classroom/model/orbit.cpp", "#include \"toolkit/controls.h\"").size(),
            1u);
  EXPECT_EQ(Violations(t, "classroom/form/form1.cpp", "#include \"classroom/view/scene.h\"").size(),
            1u);
  EXPECT_EQ(Violations(t, "sky/day.cpp", "#include \"classroom/model/orbit.h\"").size(), 1u);
  EXPECT_EQ(Violations(t, "classroom/view/scene.cpp", "#include \"toolkit/qt/native.h\"").size(),
            1u);
  EXPECT_TRUE(Violations(t, "classroom/app/main.cpp", "#include \"toolkit/qt/backend.h\"").empty());
  EXPECT_EQ(Violations(t, "classroom/app/startup.cpp", "#include \"toolkit/qt/backend.h\"").size(),
            1u);
  EXPECT_TRUE(
      Violations(t, "tests/classroom/view/x_test.cpp", "#include \"tests/classroom/model/a.h\"")
          .empty());
  EXPECT_EQ(Violations(t, "tests/classroom/model/x_test.cpp", "#include \"classroom/view/scene.h\"")
                .size(),
            1u);
  EXPECT_EQ(Violations(t, "newfolder/x.cpp", "").size(), 1u);
}

// The README's map has one row for each floor that is not a test folder, and its last column
// lists exactly what floors.txt lets that floor include.
TEST(IncludeFloors, TheReadmeMapShowsTheTable) {
  const Floors t = ReadFloors();
  std::map<std::string, std::set<std::string>> readme;
  std::istringstream in(Read(kRoot / "README.md"));
  static const std::regex row(R"(^\| `([a-z/]+)/` \|.*\| ([^|]*) \|\s*$)");
  static const std::regex name("`([a-z/]+)/?`");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (!std::regex_match(line, m, row)) continue;
    std::set<std::string> names;
    const std::string cell = m[2];
    for (auto w = std::sregex_iterator(cell.begin(), cell.end(), name); w != std::sregex_iterator();
         ++w)
      names.insert((*w)[1]);
    if (cell.find("anything") != std::string::npos) names.insert("*");
    readme[m[1]] = names;
  }
  for (const auto& [floor, allowed] : t.floors) {
    if (floor.starts_with("tests")) continue;
    ASSERT_TRUE(readme.contains(floor)) << "the README's map has no row for " << floor;
    EXPECT_EQ(readme[floor], allowed) << "the README's map row for " << floor;
  }
}

}  // namespace
