#include "tools/scenario/wine/process.h"

#include <vector>

namespace scenario::wine {

bool Process::Start(const std::wstring& exe, int showCommand) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  std::wstring commandLine = L"\"" + exe + L"\"";
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  return CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_) !=
         FALSE;
}

Process::~Process() {
  if (info_.hProcess != nullptr) {
    DWORD code = 0;
    if (GetExitCodeProcess(info_.hProcess, &code) && code == STILL_ACTIVE) Kill();
    CloseHandle(info_.hProcess);
  }
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
}

bool Process::Wait(DWORD milliseconds, DWORD* code) {
  if (info_.hProcess == nullptr) return false;
  if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
  if (code != nullptr) GetExitCodeProcess(info_.hProcess, code);
  return true;
}

void Process::Kill() {
  if (info_.hProcess == nullptr) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
}

std::wstring OwnDirectory() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n < MAX_PATH ? n : 0);
  const std::size_t slash = dir.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash + 1);
}

}  // namespace scenario::wine
