// Repeated use must not make zeltfw.exe hold more system objects: the same
// actions over and over in one session, and several whole runs, compared by
// the program's own live counts (platform/real/live_objects.h).
#include "tools/windows/steady.h"

#include <cstdio>
#include <string>

#include "platform/real/live_objects.h"
#include "tools/windows/checks.h"
#include "tools/windows/process.h"
#include "tools/windows/windows_of.h"

namespace drive {
namespace {

constexpr int kKinds = static_cast<int>(win::live::LiveKind::Count);
const wchar_t kFindCamera[] = L"Vyhledat kameru";
constexpr DWORD kStartTimeout = 30000;
constexpr DWORD kExitTimeout = 15000;
constexpr WPARAM kSysAbout = 0x0110;

struct LiveCounts {
  long value[kKinds] = {};

  bool operator==(const LiveCounts& other) const {
    for (int i = 0; i < kKinds; ++i)
      if (value[i] != other.value[i]) return false;
    return true;
  }
  std::string Text() const {
    std::string out;
    for (int i = 0; i < kKinds; ++i)
      out += std::string(i > 0 ? ", " : "") + win::live::kLiveKindNames[i] + " " + std::to_string(value[i]);
    return out;
  }
};

LiveCounts ReadCounts(HWND window, const std::string& when) {
  static const UINT message = RegisterWindowMessageW(win::live::kLiveObjectsMessageName);
  LiveCounts counts;
  for (int i = 0; i < kKinds; ++i) {
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(window, message, static_cast<WPARAM>(i), 0, SMTO_NORMAL, 5000, &result);
    const auto value = static_cast<long>(static_cast<LRESULT>(result));
    if (!answered || value < 0)
      Fail("live counts " + when, std::string("no answer for ") + win::live::kLiveKindNames[i]);
    counts.value[i] = value;
  }
  std::printf("     %-12s %s\n", (when + ":").c_str(), counts.Text().c_str());
  std::fflush(stdout);
  return counts;
}

bool Iconic(HWND hwnd) { return IsIconic(hwnd) != FALSE; }
bool NotIconic(HWND hwnd) { return IsIconic(hwnd) == FALSE; }

// Failures name the round; passing steps stay quiet, or 30 rounds drown the figures.
void Expect(bool condition, int round, const std::string& what) {
  if (!condition) Fail("round " + std::to_string(round) + ": " + what, "did not happen");
}

// The About box opened and closed, the camera looked for (none is there, so
// the pane says so again), the window minimized and restored.
void OneRound(const Process& process, HWND window, int round) {
  PostMessageW(window, WM_SYSCOMMAND, kSysAbout, 0);
  HWND box = WaitForOwnedWindow(process.Id(), window, 10000);
  Expect(box != nullptr, round, "the About box opens");
  Settle(box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  Expect(WaitUntil(Gone, box, 5000), round, "OK closes the About box");
  Settle(window);

  HWND find = nullptr;
  for (const Control& control : ChildrenOf(window))
    if (control.className == L"button" && control.text == kFindCamera && control.enabled) find = control.hwnd;
  Expect(find != nullptr, round, "\"Vyhledat kameru\" is there and enabled");
  PostMessageW(find, BM_CLICK, 0, 0);
  Settle(window);
  Expect(WaitForOwnedWindow(process.Id(), window, 0) == nullptr, round, "looking for the camera opens no box");

  PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Expect(WaitUntil(Iconic, window, 5000), round, "the window minimizes");
  PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  Expect(WaitUntil(NotIconic, window, 5000), round, "the window comes back");
  Settle(window);
}

HWND Start(Process& process, const std::wstring& exe) {
  Check(process.Start(exe, SW_SHOWNORMAL), "zeltfw.exe starts", "CreateProcess failed");
  HWND window = WaitForMainWindow(process.Id(), kStartTimeout);
  Check(window != nullptr, "its window appears", "no visible window");
  Settle(window);
  // Painted once: the counts at start-up include what painting keeps.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Settle(window);
  return window;
}

void Close(Process& process, HWND window) {
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD code = 1234;
  Check(process.Wait(kExitTimeout, &code), "the close box ends the program", "still running");
  Check(code == 0, "it exits with 0", "exit code " + std::to_string(code));
}

}  // namespace

void SteadyUse(const std::wstring& exe, int rounds, int runs) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kelvane\\zeltfw");  // the first run for this user
  {
    Process process;
    HWND window = Start(process, exe);
    const LiveCounts startUp = ReadCounts(window, "start-up");
    Check(startUp.value[static_cast<int>(win::live::LiveKind::Window)] > 0 &&
              startUp.value[static_cast<int>(win::live::LiveKind::Gdi)] > 0,
          "the program counts its windows and GDI objects", startUp.Text());
    OneRound(process, window, 1);
    const LiveCounts first = ReadCounts(window, "round 1");
    for (int round = 2; round <= rounds; ++round) OneRound(process, window, round);
    const LiveCounts last = ReadCounts(window, "round " + std::to_string(rounds));
    Check(last == first, "no growth from round 1 to round " + std::to_string(rounds),
          "round 1: " + first.Text() + "; round " + std::to_string(rounds) + ": " + last.Text());
    Check(last == startUp, "back to the start-up counts after " + std::to_string(rounds) + " rounds",
          "start-up: " + startUp.Text() + "; now: " + last.Text());
    Close(process, window);
  }
  for (int run = 1; run <= runs; ++run) {
    Process process;
    HWND window = Start(process, exe);
    const LiveCounts startUp = ReadCounts(window, "run " + std::to_string(run));
    OneRound(process, window, 1);
    const LiveCounts before = ReadCounts(window, "before close");
    Check(before == startUp, "run " + std::to_string(run) + ": the counts are back to start-up before closing",
          "start-up: " + startUp.Text() + "; before closing: " + before.Text());
    Close(process, window);
  }
}

}  // namespace drive
