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

// The kinds differ in their empty value (null, or the invalid handle) and
// their closing call.
enum class EmptyValue { Null, Invalid };
template <typename H, auto CloseFn, EmptyValue kEmpty>
struct HandleKind {
  using Handle = H;
  static Handle Empty() {
    if constexpr (kEmpty == EmptyValue::Invalid)
      return INVALID_HANDLE_VALUE;
    else
      return nullptr;
  }
  static bool IsValid(Handle h) { return h != Empty(); }
  static void Close(Handle h) { CloseFn(h); }
};

// Files, pipes and devices: CreateFileA's failure value is the invalid handle.
using FileTraits = HandleKind<HANDLE, &win::CloseHandle, EmptyValue::Invalid>;
// SetupDiGetClassDevsA fails with the invalid handle; null is not a list either.
struct DeviceListTraits : HandleKind<HDEVINFO, &win::SetupDiDestroyDeviceInfoList, EmptyValue::Invalid> {
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
};
using KeyTraits = HandleKind<HKEY, &win::RegCloseKey, EmptyValue::Null>;
using LibraryTraits = HandleKind<HMODULE, &win::FreeLibrary, EmptyValue::Null>;

using ScopedFile = Scoped<FileTraits>;
using ScopedDeviceList = Scoped<DeviceListTraits>;
using ScopedKey = Scoped<KeyTraits>;
using ScopedLibrary = Scoped<LibraryTraits>;

}  // namespace win
