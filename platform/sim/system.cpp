// The system around the program: version, advapi32.dll with the service
// control manager (the administrator check), the module file name and icons.
#include <cstring>

#include "platform/api.h"
#include "platform/sim/internals.h"

namespace {

constexpr win::DWORD kGenericAll = 0x10000000;
// What any user may open the service control manager for: GENERIC_READ,
// SC_MANAGER_CONNECT, SC_MANAGER_ENUMERATE_SERVICE, SC_MANAGER_QUERY_LOCK_STATUS, READ_CONTROL.
constexpr win::DWORD kUserScRights = GENERIC_READ | 0x0001 | 0x0004 | 0x0010 | 0x20000;

win::SC_HANDLE WINAPI SimOpenSCManagerA(const char* machine, const char* database, win::DWORD access) {
  sim::World& world = sim::World::Get();
  ++world.openSCManagerCalls;
  world.scManagerAccess = access;
  if ((machine != nullptr && *machine != '\0') ||
      (database != nullptr && !sim::EqualNoCase(database, "ServicesActive"))) {
    win::SetLastError(sim::kErrorInvalidName);
    return nullptr;
  }
  if (!world.admin && ((access & ~kUserScRights) != 0 || (access & kGenericAll) != 0)) {
    win::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  sim::HandleEntry entry;
  entry.kind = sim::HandleKind::ServiceManager;
  entry.label = "service control manager";
  return static_cast<win::SC_HANDLE>(world.internals().Add(std::move(entry)));
}

win::BOOL WINAPI SimCloseServiceHandle(win::SC_HANDLE handle) {
  if (!sim::World::Get().internals().Remove(handle, sim::HandleKind::ServiceManager)) {
    win::SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return 1;
}

// Function pointers travel as FARPROC, as GetProcAddress gives them; the
// detour through a generic function pointer keeps the cast free of warnings.
template <typename Fn>
win::FARPROC AsFarProc(Fn fn) {
  return reinterpret_cast<win::FARPROC>(reinterpret_cast<void (*)()>(fn));
}

std::string BaseName(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void CopyTruncated(const std::string& text, char* buffer, win::DWORD size) {
  std::size_t n = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

}  // namespace

namespace win {

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  if (info == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const char* servicePack = "";
  switch (sim::World::Get().platform) {
    case sim::World::Platform::Nt:
      info->dwMajorVersion = 6;
      info->dwMinorVersion = 1;
      info->dwBuildNumber = 7601;
      info->dwPlatformId = VER_PLATFORM_WIN32_NT;
      servicePack = "Service Pack 1";
      break;
    case sim::World::Platform::Win9x:
      info->dwMajorVersion = 4;
      info->dwMinorVersion = 10;
      info->dwBuildNumber = 2222;
      info->dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
      servicePack = " A ";
      break;
    case sim::World::Platform::Other:
      info->dwMajorVersion = 5;
      info->dwMinorVersion = 0;
      info->dwBuildNumber = 0;
      info->dwPlatformId = 3;  // VER_PLATFORM_WIN32_CE
      break;
    case sim::World::Platform::Fail:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
  std::memset(info->szCSDVersion, 0, sizeof(info->szCSDVersion));
  std::memcpy(info->szCSDVersion, servicePack, std::strlen(servicePack));
  return 1;
}

HMODULE LoadLibraryA(const char* name) {
  sim::World& world = sim::World::Get();
  ++world.loadLibraryCalls;
  std::string base = name != nullptr ? BaseName(name) : std::string();
  if (!sim::EqualNoCase(base, "advapi32.dll") && !sim::EqualNoCase(base, "advapi32")) {
    SetLastError(sim::kErrorModNotFound);
    return nullptr;
  }
  if (world.advapiMissing) {
    SetLastError(sim::kErrorModNotFound);
    return nullptr;
  }
  sim::HandleEntry entry;
  entry.kind = sim::HandleKind::Library;
  entry.label = "library advapi32.dll";
  return static_cast<HMODULE>(world.internals().Add(std::move(entry)));
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
  sim::World& world = sim::World::Get();
  if (world.internals().Find(module, sim::HandleKind::Library) == nullptr) {
    SetLastError(sim::kErrorModNotFound);
    return nullptr;
  }
  // A number rather than a name (an ordinal): advapi32 exports none we know.
  if (name == nullptr || reinterpret_cast<std::uintptr_t>(name) < 0x10000) {
    SetLastError(sim::kErrorProcNotFound);
    return nullptr;
  }
  if (std::strcmp(name, "OpenSCManagerA") == 0 && !world.advapiLacksOpenSCManager) {
    OpenSCManagerAFn fn = &SimOpenSCManagerA;
    return AsFarProc(fn);
  }
  if (std::strcmp(name, "CloseServiceHandle") == 0 && !world.advapiLacksCloseServiceHandle) {
    CloseServiceHandleFn fn = &SimCloseServiceHandle;
    return AsFarProc(fn);
  }
  SetLastError(sim::kErrorProcNotFound);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  sim::World& world = sim::World::Get();
  ++world.freeLibraryCalls;
  if (!world.internals().Remove(module, sim::HandleKind::Library)) {
    SetLastError(sim::kErrorModNotFound);
    return 0;
  }
  return 1;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  sim::World& world = sim::World::Get();
  if (world.moduleFileNameFails) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  std::string name;
  if (module == nullptr || module == sim::World::ProgramInstance()) {
    name = world.moduleFileName;
  } else if (world.internals().Find(module, sim::HandleKind::Library) != nullptr) {
    name = "C:\\Windows\\system32\\advapi32.dll";
  } else {
    SetLastError(sim::kErrorModNotFound);
    return 0;
  }
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  CopyTruncated(name, buffer, size);
  // Cut short: the buffer holds size - 1 characters and the zero, and the
  // result is size, as on Windows Vista and later.
  if (name.size() >= size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(name.size());
}

HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags) {
  (void)instance;
  (void)flags;
  sim::World& world = sim::World::Get();
  sim::World::ImageLoad load;
  auto value = reinterpret_cast<std::uintptr_t>(name);
  if (value < 0x10000)
    load.name = "#" + std::to_string(value);
  else
    load.name = name;
  load.type = type;
  load.cx = cx;
  load.cy = cy;
  // Images are not handles the program must close: no entry in the table.
  load.image = reinterpret_cast<HANDLE>(world.internals().nextIcon);
  world.internals().nextIcon += 4;
  world.imageLoads.push_back(load);
  return load.image;
}

}  // namespace win
