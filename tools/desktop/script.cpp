#include "tools/desktop/script.h"

#include <fstream>

namespace desktop {

bool LoadScript(const std::string& path, Script& script, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  Script loaded;
  loaded.file = path;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    ScriptLine line;
    line.number = number;
    std::string reason;
    if (!simtools::SplitWords(text, line.words, reason)) {
      error = path + ":" + std::to_string(number) + ": " + reason;
      return false;
    }
    if (!line.words.empty()) loaded.lines.push_back(std::move(line));
  }
  script = std::move(loaded);
  return true;
}

void Args::Exactly(std::size_t n) const {
  if (Count() != n) throw ScriptError{"takes " + std::to_string(n) + " word(s), got " + std::to_string(Count())};
}

void Args::AtLeast(std::size_t n) const {
  if (Count() < n)
    throw ScriptError{"takes at least " + std::to_string(n) + " word(s), got " + std::to_string(Count())};
}

const std::string& Args::Text(std::size_t i) const {
  if (i >= Count()) throw ScriptError{"a word is missing"};
  return words_[first_ + i].text;
}

std::int64_t Args::Number(std::size_t i, std::int64_t min, std::int64_t max, const char* what) const {
  std::int64_t value = 0;
  if (!simtools::ParseNumber(Text(i), min, max, value))
    throw ScriptError{std::string(what) + " must be a number from " + std::to_string(min) + " to " +
                      std::to_string(max) + ", got \"" + Text(i) + "\""};
  return value;
}

std::size_t Args::Choice(std::size_t i, const std::vector<std::string>& choices) const {
  const std::string& text = Text(i);
  for (std::size_t n = 0; n < choices.size(); ++n)
    if (choices[n] == text) return n;
  std::string all;
  for (const std::string& choice : choices) all += (all.empty() ? "" : "|") + choice;
  throw ScriptError{"expected " + all + ", got \"" + text + "\""};
}

std::vector<simtools::Word> Args::WordsFrom(std::size_t i) const {
  if (first_ + i >= words_.size()) return {};
  return std::vector<simtools::Word>(words_.begin() + static_cast<std::ptrdiff_t>(first_ + i), words_.end());
}

}  // namespace desktop
