// Owners for the handles the program opens through the platform: each closes
// its handle once, when it is reset or goes. A traits type per kind names the
// empty value and the closing call. Fields whose shape the link fixes (its
// pipes and notification) stay plain handles, closed by the link itself.
#pragma once
#include "platform/api.h"

namespace win {

template <typename Traits>
class Scoped {
 public:
  using Handle = typename Traits::Handle;
  Scoped() = default;
  explicit Scoped(Handle handle) : handle_(handle) {}
  ~Scoped() { reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : handle_(other.release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  bool valid() const { return Traits::IsValid(handle_); }
  // Closes what is held (if anything) and holds handle instead.
  void reset(Handle handle = Traits::Empty()) {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }
  // Gives the handle up without closing it.
  Handle release() {
    const Handle handle = handle_;
    handle_ = Traits::Empty();
    return handle;
  }
  // For functions that return a handle through a pointer: closes what is held first.
  Handle* receive() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

// Files, pipes and devices: CreateFileA's failure value is the invalid handle.
struct FileTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { win::CloseHandle(h); }
};

struct DeviceListTraits {
  using Handle = HDEVINFO;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { win::SetupDiDestroyDeviceInfoList(h); }
};

struct KeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { win::RegCloseKey(h); }
};

struct LibraryTraits {
  using Handle = HMODULE;
  static Handle Empty() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { win::FreeLibrary(h); }
};

using ScopedFile = Scoped<FileTraits>;
using ScopedDeviceList = Scoped<DeviceListTraits>;
using ScopedKey = Scoped<KeyTraits>;
using ScopedLibrary = Scoped<LibraryTraits>;

}  // namespace win
