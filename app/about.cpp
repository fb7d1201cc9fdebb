#include "app/about.h"

#include "app/app_texts.h"
#include "core/little_endian.h"
#include "core/memory.h"
#include "core/text.h"
#include "lib/view/message_box.h"
#include "lib/view/modules.h"
#include "platform/api.h"

TIcon* AboutIcon = nullptr;

namespace {

constexpr std::size_t kWorkMax = 259;  // the work buffer holds 260 bytes
constexpr std::size_t kVersionMax = 31;

// The version block read for one query; freed on every path.
class VersionBlock {
 public:
  ~VersionBlock() { core::Free(data_); }
  bool Read(const char* path) {
    win::DWORD ignored = 0;
    win::DWORD size = win::GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return false;
    data_ = core::Allocate(size);
    return data_ != nullptr && win::GetFileVersionInfoA(path, 0, size, data_) != 0;
  }
  const void* data() const { return data_; }

 private:
  void* data_ = nullptr;
};

bool QueryFileVersion(char (&work)[kWorkMax + 1], std::size_t maxLen, char* buffer) {
  if (win::GetModuleFileNameA(GetAppHandle(), work, kWorkMax + 1) == 0) return false;
  VersionBlock block;
  if (!block.Read(work)) return false;

  void* value = nullptr;
  win::UINT length = 0;
  if (!win::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) || value == nullptr)
    return false;
  // A translation entry is a language and a code page, 16 bits each.
  if (length < 4) return false;
  const auto* entry = static_cast<const std::uint8_t*>(value);
  const std::uint32_t language = core::ReadLe16(entry);
  const std::uint32_t codePage = core::ReadLe16(entry + 2);

  bool converted = false;
  core::CardToStrA(language << 16 | codePage, kWorkMax, work, 16, converted);
  if (!converted) return false;
  while (core::LengthA(kWorkMax, work) < 8) core::PrependA(kWorkMax, work, 1, "0");
  core::PrependA(kWorkMax, work, 16, "\\StringFileInfo\\");
  core::AppendA(kWorkMax, work, 12, "\\FileVersion");

  value = nullptr;
  length = 0;
  if (!win::VerQueryValueA(block.data(), work, &value, &length) || value == nullptr) return false;
  // The value may lack a terminator within its length: never read past it.
  core::CopyA(maxLen, buffer, length, static_cast<const char*>(value));
  return true;
}

}  // namespace

void GetFileVersionText(std::size_t maxLen, char* buffer) {
  char work[kWorkMax + 1] = {};
  if (!QueryFileVersion(work, maxLen, buffer)) core::CopyA(maxLen, buffer, app::texts::kUnknownVersion);
}

void ShowAboutBox(CWindow* owner) {
  char version[kVersionMax + 1] = {};
  GetFileVersionText(kVersionMax, version);
  // The version line goes with the buffer's whole length: the box stops at its NUL.
  DoMessageBox(owner, app::texts::kAboutTitle, app::texts::kTitle, std::string_view(version, kVersionMax),
               app::texts::kCopyright, AboutIcon);
}
