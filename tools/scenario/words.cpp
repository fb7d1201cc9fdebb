#include "tools/scenario/words.h"

#include <limits>

namespace scenario {

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool SplitWords(const std::string& line, std::vector<Word>& words, std::string& error) {
  words.clear();
  std::size_t i = 0, n = line.size();
  while (i < n) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i >= n || line[i] == '#') break;
    Word word;
    while (i < n && !IsBlank(line[i]) && line[i] != '#') {
      if (line[i] != '"') {
        word.text += line[i++];
        continue;
      }
      word.quoted = true;
      ++i;
      bool closed = false;
      while (i < n) {
        char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        // Only \" and \\ are escapes, so Windows paths can be quoted as they are.
        if (c == '\\' && i < n && (line[i] == '"' || line[i] == '\\')) c = line[i++];
        word.text += c;
      }
      if (!closed) {
        error = "unterminated quote";
        return false;
      }
    }
    words.push_back(std::move(word));
  }
  return true;
}

static int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseNumber(const std::string& text, std::int64_t min, std::int64_t max, std::int64_t& value) {
  std::size_t i = 0;
  bool negative = false;
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    i = 2;
  } else if (!text.empty() && text[0] == '-') {
    negative = true;
    i = 1;
  }
  if (i >= text.size()) return false;
  // Magnitudes up to 2^63 fit, so INT64_MIN is reachable.
  const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int d = HexDigit(text[i]);
    if (d < 0 || static_cast<unsigned>(d) >= base) return false;
    if (magnitude > (limit - static_cast<unsigned>(d)) / base) return false;
    magnitude = magnitude * base + static_cast<unsigned>(d);
  }
  std::int64_t result;
  if (negative) {
    result = magnitude == limit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
  } else {
    if (magnitude == limit) return false;
    result = static_cast<std::int64_t>(magnitude);
  }
  if (result < min || result > max) return false;
  value = result;
  return true;
}

bool ParseHexBytes(const std::vector<std::string>& words, std::vector<std::uint8_t>& bytes, std::string& error) {
  std::vector<std::uint8_t> out;
  for (const std::string& word : words) {
    if (word.empty() || word.size() % 2 != 0) {
      error = "hex bytes come in pairs of digits: \"" + word + "\"";
      return false;
    }
    for (std::size_t i = 0; i < word.size(); i += 2) {
      int hi = HexDigit(word[i]), lo = HexDigit(word[i + 1]);
      if (hi < 0 || lo < 0) {
        error = "not a hex byte: \"" + word + "\"";
        return false;
      }
      out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
  }
  bytes = std::move(out);
  return true;
}

}  // namespace scenario
