// The language's reference (tools/scenario/README.md) against the player: a
// command or check the player knows and the reference leaves out cannot be
// learnt from the repository, and a word the reference lists that the
// player does not know sends a script writer astray.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>

#include "tools/scenario/player.h"

namespace {

const std::string kReference =
#include "scenario_reference.inc"
    ;

// The first word of each table row under the reference's command and check
// sections ("| `camera NAME ...` |" gives "camera", "| `expect step N` |"
// gives "expect step"), with every alternative a row names ("`a` / `b`").
std::set<std::string> Documented() {
  static const std::set<std::string> kSections = {"## The world", "## The user", "## Checks", "## Other lines"};
  std::set<std::string> words;
  std::istringstream in(kReference);
  bool inSection = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("## ", 0) == 0) inSection = kSections.count(line) != 0;
    if (!inSection || line.rfind("| `", 0) != 0) continue;
    const std::string cell = line.substr(2, line.find(" |", 2) - 2);
    for (std::size_t at = cell.find('`'); at != std::string::npos; at = cell.find('`', cell.find('`', at + 1) + 1)) {
      std::istringstream code(cell.substr(at + 1, cell.find('`', at + 1) - at - 1));
      std::string word, check;
      code >> word;
      if (word == "expect") code >> check, word += " " + check;
      words.insert(word);
      if (cell.find('`', at + 1) == std::string::npos) break;
    }
  }
  return words;
}

std::set<std::string> Known() {
  std::set<std::string> words;
  for (const std::string& word : scenario::Player::CommandWords())
    if (word != "expect") words.insert(word);
  for (const std::string& check : scenario::CheckWords()) words.insert("expect " + check);
  return words;
}

TEST(ScenarioReference, ListsEveryCommandAndCheckThePlayerKnows) {
  const std::set<std::string> documented = Documented();
  for (const std::string& word : Known()) EXPECT_EQ(documented.count(word), 1u) << word << " is not in the reference";
}

TEST(ScenarioReference, ListsNoWordThePlayerDoesNotKnow) {
  const std::set<std::string> known = Known();
  for (const std::string& word : Documented()) EXPECT_EQ(known.count(word), 1u) << word << " is not a command";
}

}  // namespace
