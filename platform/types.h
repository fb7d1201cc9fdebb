// The Windows types the program uses, in namespace win, and the constants at
// global scope (on Windows: macros of windows.h). On
// Windows they are the SDK's own; elsewhere they are defined here with the
// sizes of a 64-bit Windows build (LLP64: DWORD and LONG are 32 bits, handles
// and WPARAM/LPARAM pointer-sized).
#pragma once
#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h must come first
#include <dbt.h>
#include <setupapi.h>
#include <winsvc.h>

namespace win {
using ::BOOL;
using ::BYTE;
using ::CHAR;
using ::DEV_BROADCAST_DEVICEINTERFACE_A;
using ::DEV_BROADCAST_HDR;
using ::DWORD;
using ::FARPROC;
using ::GUID;
using ::HANDLE;
using ::HDEVINFO;
using ::HDEVNOTIFY;
using ::HICON;
using ::HINSTANCE;
using ::HKEY;
using ::HMODULE;
using ::HMONITOR;
using ::HWND;
using ::LONG;
using ::LPARAM;
using ::LRESULT;
using ::OSVERSIONINFOA;
using ::OVERLAPPED;
using ::RECT;
using ::REGSAM;
using ::SC_HANDLE;
using ::SECURITY_ATTRIBUTES;
using ::SP_DEVICE_INTERFACE_DATA;
using ::SP_DEVICE_INTERFACE_DETAIL_DATA_A;
using ::SP_DEVINFO_DATA;
using ::UINT;
using ::ULONG_PTR;
using ::WORD;
using ::WPARAM;
}  // namespace win

#else  // simulated Windows

#define WINAPI
#define CALLBACK

namespace win {
using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using CHAR = char;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using ULONG_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using REGSAM = DWORD;

struct HWND__;
struct HINSTANCE__;
struct HKEY__;
struct HICON__;
struct SC_HANDLE__;
using HANDLE = void*;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HKEY = HKEY__*;
using HICON = HICON__*;
using HDEVINFO = void*;
using HDEVNOTIFY = void*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
using SC_HANDLE = SC_HANDLE__*;
using FARPROC = std::intptr_t (*)();

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};

struct RECT {
  LONG left, top, right, bottom;
};

struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;
struct SP_DEVINFO_DATA;

struct SP_DEVICE_INTERFACE_DATA {
  DWORD cbSize;
  GUID InterfaceClassGuid;
  DWORD Flags;
  ULONG_PTR Reserved;
};

struct SP_DEVICE_INTERFACE_DETAIL_DATA_A {
  DWORD cbSize;
  CHAR DevicePath[1];
};

struct DEV_BROADCAST_HDR {
  DWORD dbch_size;
  DWORD dbch_devicetype;
  DWORD dbch_reserved;
};

struct DEV_BROADCAST_DEVICEINTERFACE_A {
  DWORD dbcc_size;
  DWORD dbcc_devicetype;
  DWORD dbcc_reserved;
  GUID dbcc_classguid;
  char dbcc_name[1];
};

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
};

}  // namespace win

// Constants live at global scope, as windows.h has them (as macros there):
// write GENERIC_READ, never win::GENERIC_READ.
using win::DWORD;
constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD GENERIC_EXECUTE = 0x20000000u;
constexpr DWORD FILE_SHARE_READ = 1;
constexpr DWORD FILE_SHARE_WRITE = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD DIGCF_PRESENT = 0x02;
constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;
constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr win::UINT WM_DEVICECHANGE = 0x0219;
constexpr win::WPARAM DBT_DEVNODES_CHANGED = 0x0007;
constexpr win::WPARAM DBT_DEVICEARRIVAL = 0x8000;
constexpr win::WPARAM DBT_DEVICEQUERYREMOVE = 0x8001;
constexpr win::WPARAM DBT_DEVICEREMOVEPENDING = 0x8003;
constexpr win::WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr DWORD DBT_DEVTYP_VOLUME = 2;
constexpr DWORD DBT_DEVTYP_PORT = 3;
constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 5;
constexpr DWORD DEVICE_NOTIFY_WINDOW_HANDLE = 0;
constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr win::REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr win::REGSAM KEY_SET_VALUE = 0x0002;
constexpr win::REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr win::REGSAM KEY_READ = 0x20019;
constexpr win::REGSAM KEY_WRITE = 0x20006;
constexpr win::REGSAM KEY_ALL_ACCESS = 0xF003F;
constexpr win::UINT IMAGE_ICON = 1;
constexpr win::UINT LR_DEFAULTCOLOR = 0;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MINIMIZE = 6;

inline win::HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<win::HKEY>(static_cast<std::uintptr_t>(0x80000000u));
inline win::HKEY const HKEY_CURRENT_USER = reinterpret_cast<win::HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline win::HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<win::HKEY>(static_cast<std::uintptr_t>(0x80000002u));
inline win::HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<win::HANDLE>(~static_cast<std::uintptr_t>(0));
inline win::HWND const HWND_BROADCAST = reinterpret_cast<win::HWND>(static_cast<std::uintptr_t>(0xFFFF));

inline const char* MAKEINTRESOURCEA(unsigned id) {
  return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id));
}

#endif

#if defined(_WIN32) && !defined(_WIN64)
// 32-bit Windows: the sizes the camera driver and the system expect.
static_assert(sizeof(win::SP_DEVICE_INTERFACE_DATA) == 28, "SP_DEVICE_INTERFACE_DATA must be 28 bytes on x86");
static_assert(sizeof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5, "detail fixed part must be 5 bytes on x86");
static_assert(sizeof(win::DEV_BROADCAST_DEVICEINTERFACE_A) == 32, "DEV_BROADCAST_DEVICEINTERFACE_A header");
#endif
// Every build: the same on x86 and x64.
static_assert(sizeof(win::OSVERSIONINFOA) == 148, "OSVERSIONINFOA must be 148 bytes");
static_assert(sizeof(win::DEV_BROADCAST_HDR) == 12, "DEV_BROADCAST_HDR must be 12 bytes");
static_assert(offsetof(win::DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) == 28, "name field at byte 28");
