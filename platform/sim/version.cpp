// Version resources of the world's files. GetFileVersionInfoA copies the
// stored VS_VERSIONINFO block and leaves a spare area after it, into which
// VerQueryValueA writes the Windows-1250 form of a queried string, as Windows
// does for the 8-bit call. Every step of the walk is bounds-checked: a
// damaged block makes a query fail, never read or write outside the buffer.
#include <cstring>

#include "core/cp1250.h"
#include "core/little_endian.h"
#include "platform/api.h"
#include "platform/sim/internals.h"

namespace {

constexpr std::size_t kHeaderSize = 6;  // wLength, wValueLength, wType
constexpr std::uint16_t kText = 1;
constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::size_t kMaxTrackedBuffers = 64;

std::size_t Align4(std::size_t n) { return (n + 3) & ~static_cast<std::size_t>(3); }

std::uint16_t Word(const std::uint8_t* p, std::size_t at) { return core::ReadLe16(p + at); }

struct Node {
  std::size_t start = 0, end = 0;  // end = start + wLength
  std::uint16_t valueLength = 0, type = 0;
  std::size_t keyStart = 0, keyUnits = 0;
  std::size_t valueStart = 0, valueBytes = 0;
  std::size_t childrenStart = 0;
};

// The node at start, within [start, limit); false when it does not fit.
bool ParseNode(const std::uint8_t* block, std::size_t start, std::size_t limit, Node& node) {
  if (start > limit || limit - start < kHeaderSize) return false;
  std::size_t length = Word(block, start);
  if (length < kHeaderSize || length > limit - start) return false;
  node.start = start;
  node.end = start + length;
  node.valueLength = Word(block, start + 2);
  node.type = Word(block, start + 4);
  node.keyStart = start + kHeaderSize;
  std::size_t at = node.keyStart;
  while (true) {
    if (node.end - at < 2) return false;  // key without its zero
    if (Word(block, at) == 0) break;
    at += 2;
  }
  node.keyUnits = (at - node.keyStart) / 2;
  node.valueStart = Align4(at + 2);
  node.valueBytes = node.type == kText ? static_cast<std::size_t>(node.valueLength) * 2 : node.valueLength;
  if (node.valueBytes > 0 && (node.valueStart > node.end || node.valueBytes > node.end - node.valueStart)) return false;
  node.childrenStart = Align4(node.valueStart + node.valueBytes);
  return true;
}

// Compares the node's key with a query name (Windows-1250), ASCII letters without case.
bool KeyIs(const std::uint8_t* block, const Node& node, const std::string& name) {
  if (node.keyUnits != name.size()) return false;
  for (std::size_t i = 0; i < node.keyUnits; ++i) {
    std::uint32_t a = Word(block, node.keyStart + 2 * i);
    std::uint32_t b = core::UnicodeFromCp1250(static_cast<unsigned char>(name[i]));
    if (a >= 'a' && a <= 'z') a -= 'a' - 'A';
    if (b >= 'a' && b <= 'z') b -= 'a' - 'A';
    if (a != b) return false;
  }
  return true;
}

bool FindChild(const std::uint8_t* block, const Node& parent, const std::string& name, Node& found) {
  std::size_t at = parent.childrenStart;
  while (at < parent.end && parent.end - at >= kHeaderSize) {
    Node child;
    if (!ParseNode(block, at, parent.end, child)) return false;
    if (KeyIs(block, child, name)) {
      found = child;
      return true;
    }
    at = Align4(child.end);
  }
  return false;
}

std::vector<std::string> SplitQuery(const char* query) {
  std::vector<std::string> names;
  std::string current;
  for (const char* p = query; *p != '\0'; ++p) {
    if (*p == '\\') {
      if (!current.empty()) names.push_back(current);
      current.clear();
    } else {
      current += *p;
    }
  }
  if (!current.empty()) names.push_back(current);
  return names;
}

// The Windows-1250 form of a text value, without its zero.
std::string TextValue(const std::uint8_t* block, const Node& node) {
  std::string out;
  std::size_t units = node.valueBytes / 2;
  for (std::size_t i = 0; i < units; ++i) {
    std::uint16_t u = Word(block, node.valueStart + 2 * i);
    if (u == 0) break;
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
      std::uint16_t next = Word(block, node.valueStart + 2 * (i + 1));
      if (next >= 0xDC00 && next <= 0xDFFF) ++i;  // one character, which Windows-1250 lacks
      out += '?';
      continue;
    }
    int c = core::Cp1250FromUnicode(u);
    out += c < 0 ? '?' : static_cast<char>(c);
  }
  return out;
}

const std::vector<std::uint8_t>* FindResource(const char* file) {
  const auto& resources = sim::World::Get().versionResources;
  for (const auto& [path, block] : resources)
    if (sim::EqualNoCase(path, file)) return &block;
  return nullptr;
}

// The length of the usable block in a stored resource: its wLength, never
// more than the bytes stored. 0 when there is no block.
std::size_t UsableLength(const std::vector<std::uint8_t>& stored) {
  if (stored.size() < kHeaderSize) return 0;
  std::size_t length = Word(stored.data(), 0);
  if (length > stored.size()) length = stored.size();
  return length < kHeaderSize ? 0 : length;
}

// The resource of file, or null with the error set.
const std::vector<std::uint8_t>* ResourceOf(const char* file, std::size_t& usable) {
  if (file == nullptr) {
    win::SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::vector<std::uint8_t>* stored = FindResource(file);
  if (stored == nullptr) {
    bool known = sim::EqualNoCase(file, sim::World::Get().moduleFileName);
    win::SetLastError(known ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  usable = UsableLength(*stored);
  if (usable == 0) {
    win::SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  return stored;
}

bool Fail(void** buffer, win::UINT* length, win::DWORD error) {
  if (buffer != nullptr) *buffer = nullptr;
  if (length != nullptr) *length = 0;
  win::SetLastError(error);
  return false;
}

}  // namespace

namespace win {

DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle) {
  if (handle != nullptr) *handle = 0;
  std::size_t usable = 0;
  if (ResourceOf(file, usable) == nullptr) return 0;
  // Room for the block and for the Windows-1250 copies of its strings, each
  // at most half the bytes of its UTF-16 form.
  return static_cast<DWORD>(Align4(usable) + usable / 2 + 4);
}

BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* data) {
  (void)handle;
  std::size_t usable = 0;
  const std::vector<std::uint8_t>* stored = ResourceOf(file, usable);
  if (stored == nullptr) return 0;
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (size < kHeaderSize) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // A buffer smaller than the block gets its start, and the copy's length
  // field says so; the walk then finds only what lies inside it.
  std::size_t copied = usable < size ? usable : size;
  auto* out = static_cast<std::uint8_t*>(data);
  std::memcpy(out, stored->data(), copied);
  std::memset(out + copied, 0, size - copied);
  out[0] = static_cast<std::uint8_t>(copied);
  out[1] = static_cast<std::uint8_t>(copied >> 8);

  auto& buffers = sim::World::Get().internals().versionBuffers;
  if (buffers.size() >= kMaxTrackedBuffers && buffers.count(data) == 0) buffers.clear();
  buffers[data] = sim::VersionBuffer{size, copied};
  return 1;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length) {
  if (block == nullptr || subBlock == nullptr || buffer == nullptr || length == nullptr)
    return Fail(buffer, length, ERROR_INVALID_PARAMETER);
  const auto* bytes = static_cast<const std::uint8_t*>(block);
  // A buffer from GetFileVersionInfoA has known bounds and a spare area; any
  // other block is taken to hold the wLength bytes it claims, as Windows does.
  std::size_t blockLen = 0, spareStart = 0, spareLen = 0;
  const auto& buffers = sim::World::Get().internals().versionBuffers;
  auto tracked = buffers.find(block);
  // A freed buffer's address may come back for another block: the length field
  // that GetFileVersionInfoA wrote must still be there.
  if (tracked != buffers.end() && Word(bytes, 0) == tracked->second.blockLen) {
    blockLen = tracked->second.blockLen;
    spareStart = Align4(blockLen);
    spareLen = tracked->second.size > spareStart ? tracked->second.size - spareStart : 0;
  } else {
    blockLen = Word(bytes, 0);
  }

  Node node;
  if (!ParseNode(bytes, 0, blockLen, node)) return Fail(buffer, length, ERROR_RESOURCE_TYPE_NOT_FOUND);
  std::vector<std::string> names = SplitQuery(subBlock);
  if (names.empty()) {
    // The root's value: VS_FIXEDFILEINFO.
    if (node.type == kText || node.valueBytes < kFixedFileInfoSize)
      return Fail(buffer, length, ERROR_RESOURCE_TYPE_NOT_FOUND);
    std::uint32_t signature =
        Word(bytes, node.valueStart) | static_cast<std::uint32_t>(Word(bytes, node.valueStart + 2)) << 16;
    if (signature != kFixedSignature) return Fail(buffer, length, ERROR_RESOURCE_TYPE_NOT_FOUND);
    *buffer = const_cast<std::uint8_t*>(bytes + node.valueStart);
    *length = static_cast<UINT>(node.valueBytes);
    return 1;
  }
  for (const std::string& name : names) {
    Node child;
    if (!FindChild(bytes, node, name, child)) return Fail(buffer, length, ERROR_RESOURCE_TYPE_NOT_FOUND);
    node = child;
  }

  if (node.type != kText) {
    if (node.valueBytes == 0) return Fail(buffer, length, ERROR_RESOURCE_TYPE_NOT_FOUND);
    *buffer = const_cast<std::uint8_t*>(bytes + node.valueStart);
    *length = static_cast<UINT>(node.valueBytes);
    return 1;
  }
  // A string goes to the spare area at half its offset in the block, so the
  // copies of different strings never overlap.
  std::string text = TextValue(bytes, node);
  std::size_t at = node.valueStart / 2;
  if (spareLen == 0 || at > spareLen || text.size() + 1 > spareLen - at)
    return Fail(buffer, length, ERROR_INSUFFICIENT_BUFFER);
  auto* out = const_cast<std::uint8_t*>(bytes) + spareStart + at;
  std::memcpy(out, text.c_str(), text.size() + 1);
  *buffer = out;
  *length = static_cast<UINT>(text.size() + 1);
  return 1;
}

}  // namespace win
