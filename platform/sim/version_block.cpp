// VS_VERSIONINFO as a resource compiler lays it out: every node is wLength,
// wValueLength, wType, a UTF-16 key with its zero, padding to 32 bits, the
// value, padding, then its children, each starting on a 32-bit boundary.
#include "platform/sim/version_block.h"

namespace sim {

namespace {

constexpr std::uint16_t kBinary = 0;
constexpr std::uint16_t kText = 1;

std::u16string Utf16FromUtf8(const std::string& utf8) {
  std::u16string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    auto b = static_cast<unsigned char>(utf8[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    std::uint32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + extra < utf8.size();  // the whole sequence is there
    for (int k = 1; ok && k <= extra; ++k) {
      auto c = static_cast<unsigned char>(utf8[i + k]);
      if ((c & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    i += 1 + extra;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

class Writer {
 public:
  std::vector<std::uint8_t> bytes;
  bool overflow = false;  // a node longer than its 16-bit length field can say

  void Word(std::uint16_t w) {
    bytes.push_back(static_cast<std::uint8_t>(w));
    bytes.push_back(static_cast<std::uint8_t>(w >> 8));
  }
  void Dword(std::uint32_t d) {
    Word(static_cast<std::uint16_t>(d));
    Word(static_cast<std::uint16_t>(d >> 16));
  }
  void Text(const std::u16string& text) {
    for (char16_t c : text) Word(c);
    Word(0);
  }
  void Align() {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
  }
  // Opens a node; Close fills in its length.
  std::size_t Open(const std::string& key, std::uint16_t valueLength, std::uint16_t type) {
    Align();
    std::size_t start = bytes.size();
    Word(0);
    Word(valueLength);
    Word(type);
    Text(Utf16FromUtf8(key));
    Align();
    return start;
  }
  void Close(std::size_t start) {
    std::size_t length = bytes.size() - start;
    if (length > 0xFFFF) overflow = true;
    bytes[start] = static_cast<std::uint8_t>(length);
    bytes[start + 1] = static_cast<std::uint8_t>(length >> 8);
  }
};

void FixedFileInfo(Writer& w, const VersionResourceSpec& resource) {
  w.Dword(0xFEEF04BD);  // signature
  w.Dword(0x00010000);  // structure version 1.0
  w.Dword(static_cast<std::uint32_t>(resource.fileVersion[0]) << 16 | resource.fileVersion[1]);
  w.Dword(static_cast<std::uint32_t>(resource.fileVersion[2]) << 16 | resource.fileVersion[3]);
  w.Dword(static_cast<std::uint32_t>(resource.productVersion[0]) << 16 | resource.productVersion[1]);
  w.Dword(static_cast<std::uint32_t>(resource.productVersion[2]) << 16 | resource.productVersion[3]);
  w.Dword(resource.fileFlagsMask);
  w.Dword(resource.fileFlags);
  w.Dword(resource.fileOS);
  w.Dword(resource.fileType);
  w.Dword(resource.fileSubtype);
  w.Dword(0);  // file date, high
  w.Dword(0);  // file date, low
}

constexpr std::uint16_t kFixedFileInfoSize = 13 * 4;

}  // namespace

std::vector<std::uint8_t> BuildVersionBlock(const VersionResourceSpec& resource) {
  Writer w;
  std::size_t root = w.Open("VS_VERSION_INFO", kFixedFileInfoSize, kBinary);
  FixedFileInfo(w, resource);

  if (!resource.tables.empty()) {
    std::size_t info = w.Open("StringFileInfo", 0, kText);
    for (const VersionStringTable& table : resource.tables) {
      std::size_t tableNode = w.Open(table.key, 0, kText);
      for (const auto& [name, value] : table.entries) {
        std::u16string text = Utf16FromUtf8(value);
        // wValueLength of a string counts its UTF-16 units with the zero.
        std::size_t units = text.size() + 1;
        std::size_t node = w.Open(name, static_cast<std::uint16_t>(units > 0xFFFF ? 0xFFFF : units), kText);
        w.Text(text);
        w.Close(node);
      }
      w.Close(tableNode);
    }
    w.Close(info);
  }

  if (resource.hasVarFileInfo) {
    std::size_t info = w.Open("VarFileInfo", 0, kText);
    std::size_t var = w.Open("Translation", static_cast<std::uint16_t>(resource.translation.size()), kBinary);
    w.bytes.insert(w.bytes.end(), resource.translation.begin(), resource.translation.end());
    w.Close(var);
    w.Close(info);
  }
  w.Close(root);
  if (w.overflow) return {};
  return std::move(w.bytes);
}

}  // namespace sim
