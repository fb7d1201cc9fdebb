// The word syntax of scenario scripts: blank-separated words, double quotes
// around words with blanks or '#', \" and \\ inside quotes, '#' comments,
// numbers in decimal or 0x hexadecimal, and hex byte lists.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace scenario {

struct Word {
  std::string text;     // UTF-8, quotes and escapes removed
  bool quoted = false;  // some part was in quotes: "*" is then a plain star
  bool IsWildcard() const { return !quoted && text == "*"; }
};

// Splits one line. False with a reason in error (words then partial) for an
// unterminated quote.
bool SplitWords(const std::string& line, std::vector<Word>& words, std::string& error);

// Decimal (optionally negative) or 0x hexadecimal, within [min, max]. value is
// unchanged on failure.
bool ParseNumber(const std::string& text, std::int64_t min, std::int64_t max, std::int64_t& value);

// Words of two hex digits each, or words of many pairs ("0a0b0c"). bytes is
// unchanged on failure; error names the offending word.
bool ParseHexBytes(const std::vector<std::string>& words, std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace scenario
