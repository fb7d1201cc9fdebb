// State of the simulated platform functions that tools do not touch: the
// handle table, device notification registrations, replies waiting on data
// pipes, and the error codes Windows uses beyond those in platform/types.h.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/sim/world.h"

namespace sim {

// Windows error codes and flags the simulator needs (named k... so that the
// windows.h macros of a MinGW build cannot clash with them).
constexpr win::DWORD kErrorInvalidFunction = 1;
constexpr win::DWORD kErrorInvalidData = 13;
constexpr win::DWORD kErrorGenFailure = 31;
constexpr win::DWORD kErrorInvalidName = 123;
constexpr win::DWORD kErrorModNotFound = 126;
constexpr win::DWORD kErrorProcNotFound = 127;
constexpr win::DWORD kErrorBadPathname = 161;
constexpr win::DWORD kErrorNoData = 232;
constexpr win::DWORD kErrorNoAccess = 998;
constexpr win::DWORD kErrorKeyDeleted = 1018;
constexpr win::DWORD kErrorChildMustBeVolatile = 1021;
constexpr win::DWORD kErrorInvalidWindowHandle = 1400;
constexpr win::DWORD kErrorInvalidUserBuffer = 1784;
constexpr win::DWORD kRegCreatedNewKey = 1;
constexpr win::DWORD kRegOpenedExistingKey = 2;
constexpr win::DWORD kRegOptionVolatile = 1;
constexpr win::DWORD kDeviceNotifyAllInterfaceClasses = 4;
constexpr win::DWORD kSpintActive = 1;

enum class HandleKind { DeviceSet, Device, Pipe, RegistryKey, Library, ServiceManager };

// A registry key as a handle sees it: the key's place and the serial of the
// key that was there when it was opened.
struct KeyRef {
  int root = 0;                    // 0 HKLM, 1 HKCU
  std::vector<std::string> names;  // upper-case, from the root down
  std::uint64_t serial = 0;
};

struct HandleEntry {
  HandleKind kind = HandleKind::Device;
  std::string label;  // for DescribeOpenHandles
  // Device and Pipe: the camera, which pipe (0..2; -1 for the device), and
  // whether a power cut has killed the handle.
  Camera* camera = nullptr;
  int pipe = -1;
  bool dead = false;
  // DeviceSet: the class asked for and the cameras listed at that moment.
  int classIndex = -1;
  win::GUID guid{};
  std::vector<Camera*> members;
  // RegistryKey
  KeyRef key;
  win::REGSAM access = 0;
};

struct Registration {
  win::HWND window = nullptr;
  win::GUID guid{};
  bool allClasses = false;
};

// The camera's answer to the last request, waiting to be read from its data pipe.
struct PendingReply {
  std::vector<std::uint8_t> bytes;
  bool lost = false;  // the read that fetches it moves no bytes
};

// A buffer that GetFileVersionInfoA filled: VerQueryValueA trusts no size
// field of the block beyond these bounds.
struct VersionBuffer {
  std::size_t size = 0;      // what the caller said the buffer holds
  std::size_t blockLen = 0;  // the version block at its start
};

struct World::Internals {
  std::map<std::uintptr_t, HandleEntry> handles;
  std::uintptr_t nextHandle = 0;
  std::map<std::uintptr_t, Registration> registrations;
  std::uintptr_t nextRegistration = 0;
  std::map<const Camera*, PendingReply> replies;
  std::map<const void*, VersionBuffer> versionBuffers;
  std::uintptr_t nextIcon = 0;
  win::DWORD lastError = 0;

  void Clear();
  void* Add(HandleEntry entry);
  // The live entry of that kind, or null.
  HandleEntry* Find(const void* handle, HandleKind kind);
  bool Remove(const void* handle, HandleKind kind);
};

// Shared helpers of the simulator.
bool SameGuid(const win::GUID& a, const win::GUID& b);
std::string GuidText(const win::GUID& guid);  // "{2bcdda06-f3c9-...}", lower case
int ClassIndexOf(const win::GUID& guid);      // -1 for a class the driver does not register
bool EqualNoCase(const std::string& a, const std::string& b);
std::string UpperCase(std::string text);
// The removal or arrival record for a camera: DEV_BROADCAST_DEVICEINTERFACE_A with the path.
std::vector<std::uint8_t> InterfaceRecord(const Camera& camera);

}  // namespace sim
