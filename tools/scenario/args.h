// A command's arguments, with the parsing every command shares. Failures throw
// ScriptError: the script cannot be run as written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/scenario/keys.h"
#include "tools/scenario/words.h"

namespace scenario {

struct ScriptError {
  std::string reason;
};

// An expectation that did not hold (also a click on an absent button).
struct ExpectFailure {
  std::string expected;
  std::string got;
};

class Args {
 public:
  Args(const std::vector<scenario::Word>& words, std::size_t first) : words_(words), first_(first) {}

  Args Rest(std::size_t skip) const { return Args(words_, first_ + skip); }
  std::size_t Count() const { return words_.size() > first_ ? words_.size() - first_ : 0; }
  const scenario::Word& At(std::size_t i) const;
  const std::string& Text(std::size_t i) const { return At(i).text; }
  bool IsWildcard(std::size_t i) const { return At(i).IsWildcard(); }
  std::int64_t Number(std::size_t i, std::int64_t min, std::int64_t max, const char* what) const;
  // The same, or nothing for the wildcard.
  std::optional<std::int64_t> NumberOrAny(std::size_t i, std::int64_t min, std::int64_t max, const char* what) const;
  // The text in Windows-1250, the program's code page.
  std::string Cp1250(std::size_t i) const;
  // Words i..end as a hex byte list (at least one byte unless allowEmpty).
  std::vector<std::uint8_t> HexFrom(std::size_t i, bool allowEmpty = false) const;
  // Exactly one of the choices; its index.
  std::size_t Choice(std::size_t i, const std::vector<std::string>& choices) const;
  void Exactly(std::size_t n) const;
  void Between(std::size_t min, std::size_t max) const;

  // The value of word i, which must be key=value.
  std::string Option(std::size_t i, const std::string& key) const;
  // Words i..end of the form key=value, each key among the known ones, none twice.
  std::map<std::string, std::string> Options(std::size_t i, const std::vector<std::string>& known) const;

 private:
  const std::vector<scenario::Word>& words_;
  std::size_t first_;
};

// A wanted value (nothing: the wildcard) holds for the actual one.
template <typename T>
bool Holds(const std::optional<T>& want, const T& actual) {
  return !want || *want == actual;
}

// A drop-down list's selection as checks write it: absent, none (-1, 0) or
// the 1-based item; nothing for the wildcard.
std::optional<int> WantListItem(const Args& a, std::size_t i, std::size_t items);
std::string ListItemText(int item);

// The words of a `key` line as keys, at least one.
std::vector<scenario::KeyPress> KeysFrom(const Args& a);

std::int64_t ParseNumberOrThrow(const std::string& text, std::int64_t min, std::int64_t max, const char* what);
std::string Cp1250OrThrow(const std::string& utf8);
std::string Quote(const std::string& utf8);  // "text" with \" and \\ escaped
std::string QuoteCp1250(const std::string& cp1250);
std::string Utf8(const std::string& cp1250);
std::string Hex(std::uint64_t value, int digits = 0);                // 0x1F, upper-case
std::string HexBytes(const std::uint8_t* bytes, std::size_t count);  // "0a 0b 0c"

}  // namespace scenario
