// Files and the camera's pipes: synchronous kernel32 I/O.
#include "platform/api.h"
#include "platform/real/live_objects.h"

namespace win {

HANDLE CreateFileA(const char* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile) {
  HANDLE file = ::CreateFileA(name, access, share, security, disposition, flags, templateFile);
  if (file != INVALID_HANDLE_VALUE) win::live::Opened(win::live::LiveKind::Kernel);
  return file;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* overlapped) {
  return ::WriteFile(file, buffer, count, written, overlapped);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read, OVERLAPPED* overlapped) {
  return ::ReadFile(file, buffer, count, read, overlapped);
}

BOOL CloseHandle(HANDLE handle) {
  const BOOL closed = ::CloseHandle(handle);
  if (closed) win::live::Closed(win::live::LiveKind::Kernel);
  return closed;
}

}  // namespace win
