#include "tools/scenario/args.h"

#include <cstdio>

#include "core/cp1250.h"

namespace scenario {

const scenario::Word& Args::At(std::size_t i) const {
  if (i >= Count()) throw ScriptError{"missing argument " + std::to_string(i + 1)};
  return words_[first_ + i];
}

std::int64_t ParseNumberOrThrow(const std::string& text, std::int64_t min, std::int64_t max, const char* what) {
  std::int64_t value = 0;
  if (!scenario::ParseNumber(text, min, max, value))
    throw ScriptError{std::string("bad ") + what + " \"" + text + "\" (" + std::to_string(min) + " to " +
                      std::to_string(max) + ")"};
  return value;
}

std::int64_t Args::Number(std::size_t i, std::int64_t min, std::int64_t max, const char* what) const {
  return ParseNumberOrThrow(Text(i), min, max, what);
}

std::optional<std::int64_t> Args::NumberOrAny(std::size_t i, std::int64_t min, std::int64_t max,
                                              const char* what) const {
  if (IsWildcard(i)) return std::nullopt;
  return Number(i, min, max, what);
}

std::optional<int> WantListItem(const Args& a, std::size_t i, std::size_t items) {
  if (a.IsWildcard(i)) return std::nullopt;
  if (a.Text(i) == "absent") return -1;
  if (a.Text(i) == "none") return 0;
  return static_cast<int>(a.Number(i, 1, static_cast<std::int64_t>(items), "item"));
}

std::string ListItemText(int item) { return item < 0 ? "absent" : item == 0 ? "none" : std::to_string(item); }

std::string Cp1250OrThrow(const std::string& utf8) {
  std::string out;
  if (!core::Cp1250FromUtf8(utf8, out)) throw ScriptError{"text has a character Windows-1250 lacks: " + Quote(utf8)};
  return out;
}

std::string Args::Cp1250(std::size_t i) const { return Cp1250OrThrow(Text(i)); }

std::vector<std::uint8_t> Args::HexFrom(std::size_t i, bool allowEmpty) const {
  std::vector<std::string> texts;
  for (std::size_t k = i; k < Count(); ++k) texts.push_back(Text(k));
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!scenario::ParseHexBytes(texts, bytes, error)) throw ScriptError{error};
  if (bytes.empty() && !allowEmpty) throw ScriptError{"missing hex bytes"};
  return bytes;
}

std::size_t Args::Choice(std::size_t i, const std::vector<std::string>& choices) const {
  const std::string& text = Text(i);
  for (std::size_t k = 0; k < choices.size(); ++k)
    if (text == choices[k]) return k;
  std::string list;
  for (const auto& c : choices) list += (list.empty() ? "" : "|") + c;
  throw ScriptError{"expected " + list + ", not \"" + text + "\""};
}

void Args::Exactly(std::size_t n) const { Between(n, n); }

void Args::Between(std::size_t min, std::size_t max) const {
  if (Count() < min) throw ScriptError{"missing argument " + std::to_string(Count() + 1)};
  if (Count() > max) throw ScriptError{"too many arguments: \"" + Text(max) + "\""};
}

std::string Args::Option(std::size_t i, const std::string& key) const {
  const std::string& text = Text(i);
  if (text.compare(0, key.size() + 1, key + "=") != 0)
    throw ScriptError{"expected " + key + "=..., not \"" + text + "\""};
  return text.substr(key.size() + 1);
}

std::map<std::string, std::string> Args::Options(std::size_t i, const std::vector<std::string>& known) const {
  std::map<std::string, std::string> options;
  for (std::size_t k = i; k < Count(); ++k) {
    const std::string& text = Text(k);
    std::size_t eq = text.find('=');
    if (eq == std::string::npos) throw ScriptError{"expected key=value, not \"" + text + "\""};
    std::string key = text.substr(0, eq);
    bool isKnown = false;
    for (const auto& name : known) isKnown = isKnown || name == key;
    if (!isKnown) throw ScriptError{"unknown option \"" + key + "\""};
    if (!options.emplace(key, text.substr(eq + 1)).second) throw ScriptError{"option \"" + key + "\" given twice"};
  }
  return options;
}

// Only \" and \\ are escapes in scripts, so a backslash is doubled only where
// it would otherwise read as one: paths stay readable.
std::string Quote(const std::string& utf8) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    char c = utf8[i];
    bool ambiguous = c == '\\' && (i + 1 == utf8.size() || utf8[i + 1] == '"' || utf8[i + 1] == '\\');
    if (c == '"' || ambiguous) out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Utf8(const std::string& cp1250) { return core::Utf8FromCp1250(cp1250.data(), cp1250.size()); }

std::string QuoteCp1250(const std::string& cp1250) { return Quote(Utf8(cp1250)); }

std::string Hex(std::uint64_t value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return buffer;
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out += ' ';
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 15];
  }
  return out;
}

std::vector<scenario::KeyPress> KeysFrom(const Args& a) {
  if (a.Count() == 0) throw ScriptError{"key needs the keys to press"};
  std::vector<scenario::KeyPress> keys;
  for (std::size_t i = 0; i < a.Count(); ++i) {
    scenario::KeyPress press;
    if (!scenario::ParseKeyPress(a.Text(i), press))
      throw ScriptError{"unknown key \"" + a.Text(i) + "\" (keys: " + scenario::KeyPressNames() + ")"};
    keys.push_back(press);
  }
  return keys;
}

}  // namespace scenario
