// A desktop script: the scripted mode's list of actions, one a line, in the
// scenario console's word syntax (see tools/desktop/README.md).
#pragma once
#include <string>
#include <vector>

#include "tools/common/script_words.h"

namespace desktop {

struct ScriptLine {
  int number = 0;  // 1-based line in the file
  std::vector<simtools::Word> words;
};

struct Script {
  std::string file;
  std::vector<ScriptLine> lines;  // blank and comment lines left out
};

// False with "FILE: reason" or "FILE:LINE: reason" in error.
bool LoadScript(const std::string& path, Script& script, std::string& error);

// The words of a line from index first on, with typed access. Each accessor
// throws ScriptError when the word is missing or malformed.
struct ScriptError {
  std::string reason;
};

class Args {
 public:
  Args(const std::vector<simtools::Word>& words, std::size_t first) : words_(words), first_(first) {}
  std::size_t Count() const { return words_.size() - first_; }
  void Exactly(std::size_t n) const;
  void AtLeast(std::size_t n) const;
  const std::string& Text(std::size_t i) const;
  std::int64_t Number(std::size_t i, std::int64_t min, std::int64_t max, const char* what) const;
  std::size_t Choice(std::size_t i, const std::vector<std::string>& choices) const;
  std::vector<simtools::Word> WordsFrom(std::size_t i) const;

 private:
  const std::vector<simtools::Word>& words_;
  std::size_t first_;
};

}  // namespace desktop
