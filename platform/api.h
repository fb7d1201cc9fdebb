// The subset of the Windows API that the program calls, by its real names, in
// namespace win. One binding is linked: platform/real forwards to Windows,
// platform/sim answers from the simulated world. Behaviour, error codes and
// out-parameters follow Windows as far as the program relies on them.
#pragma once
#include "platform/types.h"

namespace win {

// Errors
DWORD GetLastError();
void SetLastError(DWORD code);

// Setup API: device interfaces
HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent, DWORD flags);
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* devInfo, const GUID* classGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* data);
BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize, DWORD* requiredSize,
                                      SP_DEVINFO_DATA* devInfo);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set);

// Files and pipes (synchronous)
HANDLE CreateFileA(const char* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* overlapped);
BOOL ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read, OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE handle);

// Device notifications
HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags);
BOOL UnregisterDeviceNotification(HDEVNOTIFY handle);

// Version and libraries
BOOL GetVersionExA(OSVERSIONINFOA* info);
HMODULE LoadLibraryA(const char* name);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);

// Version resources and images
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);
DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle);
BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* data);
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length);
HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags);

// Registry (results are Windows error codes, ERROR_SUCCESS on success)
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* className, DWORD options, REGSAM access,
                     SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition);
LONG RegCloseKey(HKEY key);
LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValueA(HKEY key, const char* name);

// Monitors: the one the rectangle overlaps most; none overlapped gives
// null with MONITOR_DEFAULTTONULL.
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);

// Service control manager, looked up at run time in "advapi32.dll"
using OpenSCManagerAFn = SC_HANDLE(WINAPI*)(const char* machine, const char* database, DWORD access);
using CloseServiceHandleFn = BOOL(WINAPI*)(SC_HANDLE handle);

}  // namespace win
