// A registry branch in a text file, so the desktop build keeps the window
// position between runs. Format, one record a line:
//   zeltfw-registry 1
//   key N HEXNAME1 ... HEXNAMEN      (a key, its names relative to the branch)
//   value HEXNAME TYPE HEXDATA       (a value of the key named last)
//   end
// Names and data are hexadecimal ("-" when empty), so no character needs
// escaping. A file without its "end" line was cut short and is refused.
// Volatile keys are left out: the next run is as after a restart.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/sim/registry_access.h"

namespace sim {

namespace {

constexpr const char* kHeader = "zeltfw-registry 1";
constexpr std::size_t kMaxFileSize = 4u << 20;
constexpr std::size_t kMaxNameLength = 16383;
constexpr std::size_t kMaxDataLength = 1u << 20;

std::string ToHex(const std::string& bytes) {
  if (bytes.empty()) return "-";
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool FromHex(const std::string& word, std::size_t maxLength, std::string& out) {
  out.clear();
  if (word == "-") return true;
  if (word.empty() || word.size() % 2 != 0 || word.size() / 2 > maxLength) return false;
  for (std::size_t i = 0; i < word.size(); i += 2) {
    int hi = HexDigit(word[i]), lo = HexDigit(word[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

bool ParseNumber(const std::string& word, std::uint64_t limit, std::uint64_t& value) {
  if (word.empty() || word.size() > 10) return false;
  value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value <= limit;
}

void SaveKey(const RegistryAccess::Key& key, const std::vector<std::string>& names, std::ostream& out) {
  out << "key " << names.size();
  for (const std::string& name : names) out << ' ' << ToHex(name);
  out << '\n';
  for (const auto& [upper, value] : key.values) {
    auto shown = key.valueNames.find(upper);
    out << "value " << ToHex(shown != key.valueNames.end() ? shown->second : upper) << ' ' << value.type << ' '
        << ToHex(std::string(value.data.begin(), value.data.end())) << '\n';
  }
  for (const auto& [upper, child] : key.subkeys) {
    if (child->isVolatile) continue;  // lost at a restart, so never kept in the file
    auto shown = key.subkeyNames.find(upper);
    std::vector<std::string> childNames = names;
    childNames.push_back(shown != key.subkeyNames.end() ? shown->second : upper);
    SaveKey(*child, childNames, out);
  }
}

// Reads the whole file into a detached tree; false at the first flaw.
bool ParseBranch(Registry& registry, std::istream& in, RegistryAccess::Key& branch) {
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  RegistryAccess::Key* current = nullptr;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "end") {
      std::string rest;
      return !(words >> rest) && !(in >> rest);
    }
    if (kind == "key") {
      std::string countWord;
      std::uint64_t count = 0;
      if (!(words >> countWord) || !ParseNumber(countWord, 512, count)) return false;
      current = &branch;
      for (std::uint64_t i = 0; i < count; ++i) {
        std::string word, name;
        if (!(words >> word) || !FromHex(word, 255, name) || name.empty() || name.find('\\') != std::string::npos)
          return false;
        bool created = false;
        current = &RegistryAccess::AddChild(registry, *current, name, created);
      }
    } else if (kind == "value") {
      std::string nameWord, typeWord, dataWord, name, data;
      std::uint64_t type = 0;
      if (current == nullptr || !(words >> nameWord >> typeWord >> dataWord) ||
          !FromHex(nameWord, kMaxNameLength, name) || !ParseNumber(typeWord, 0xFFFFFFFFu, type) ||
          !FromHex(dataWord, kMaxDataLength, data))
        return false;
      std::string upper = UpperCase(name);
      Registry::Value value;
      value.type = static_cast<win::DWORD>(type);
      value.data.assign(data.begin(), data.end());
      current->values[upper] = std::move(value);
      current->valueNames[upper] = name;
    } else {
      return false;
    }
    std::string extra;
    if (words >> extra) return false;
  }
  return false;  // no "end": cut short
}

}  // namespace

bool Registry::SaveBranch(const std::string& rootPath, const std::string& file) const {
  const Key* key = Find(rootPath);
  if (key == nullptr) return false;
  std::ostringstream text;
  text << kHeader << '\n';
  SaveKey(*key, {}, text);
  text << "end\n";
  // Write beside the file and rename, so a crash never leaves half a file.
  std::string temp = file + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text.str();
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  std::remove(file.c_str());  // rename does not replace an existing file on Windows
  return std::rename(temp.c_str(), file.c_str()) == 0;
}

bool Registry::LoadBranch(const std::string& rootPath, const std::string& file) {
  int root = 0;
  std::vector<std::string> names;
  if (!RegistryAccess::ParsePath(rootPath, root, names)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uint64_t>(size) > kMaxFileSize) return false;
  in.seekg(0, std::ios::beg);

  Key loaded;
  if (!ParseBranch(*this, in, loaded)) return false;
  Key* target = Find(rootPath, true);
  if (target == nullptr) return false;
  // The branch's own key stays (open handles to it keep working); its contents are replaced.
  target->subkeys = std::move(loaded.subkeys);
  target->subkeyNames = std::move(loaded.subkeyNames);
  target->values = std::move(loaded.values);
  target->valueNames = std::move(loaded.valueNames);
  return true;
}

}  // namespace sim
