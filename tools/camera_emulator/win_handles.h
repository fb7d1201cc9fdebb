// Small owning wrappers for the emulator's kernel objects, device lists,
// services and its one lock.
#pragma once
#include <windows.h>
// windows.h must come first
#include <setupapi.h>
#include <winsvc.h>

#include <utility>

namespace camera_emulator {

// A kernel handle whose "nothing" is null (events, threads, the link object).
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(HANDLE handle = nullptr) {
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

// A handle that Closer::Close gives back; its "nothing" is null or INVALID_HANDLE_VALUE.
template <typename Handle, typename Closer>
class Owned {
 public:
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) Closer::Close(handle_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Handle get() const { return handle_; }

 private:
  Handle handle_;
};

struct DeviceListCloser {
  static void Close(HDEVINFO set) { SetupDiDestroyDeviceInfoList(set); }
};
struct ServiceCloser {
  static void Close(SC_HANDLE service) { CloseServiceHandle(service); }
};

// A new, empty device information list of a setup class (INVALID_HANDLE_VALUE when it cannot be made).
class DeviceList : public Owned<HDEVINFO, DeviceListCloser> {
 public:
  explicit DeviceList(const GUID& setupClass) : Owned(SetupDiCreateDeviceInfoList(&setupClass, nullptr)) {}
};

// A service manager's or a service's handle.
using ServiceHandle = Owned<SC_HANDLE, ServiceCloser>;

// Exclusive hold of an SRW lock for one scope.
class Locked {
 public:
  explicit Locked(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~Locked() { ReleaseSRWLockExclusive(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace camera_emulator
