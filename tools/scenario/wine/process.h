// Starting a program and waiting for it; the handles are ours and closed here.
#pragma once
#include <windows.h>

#include <string>

namespace scenario::wine {

class Process {
 public:
  // showCommand goes to the program's WinMain (STARTF_USESHOWWINDOW).
  bool Start(const std::wstring& exe, int showCommand);
  ~Process();
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  // False on time-out; code holds the exit code when it ended.
  bool Wait(DWORD milliseconds, DWORD* code);
  void Kill();

 private:
  PROCESS_INFORMATION info_ = {};
};

// The directory of this program, with a trailing backslash.
std::wstring OwnDirectory();

}  // namespace scenario::wine
