#include "tools/windows/scenarios.h"

#include <cstdio>

#include "tools/windows/checks.h"
#include "tools/windows/process.h"
#include "tools/windows/screenshot.h"
#include "tools/windows/settings.h"
#include "tools/windows/windows_of.h"

namespace drive {
namespace {

const wchar_t kTitle[] = L"Po\u010det Filtr\u016f v3.0";
const wchar_t kFindCamera[] = L"Vyhledat kameru";
const wchar_t kNext[] = L"Dal\u0161\u00ed ->";
const wchar_t kAboutTitle[] = L"O konfigura\u010dn\u00edm n\u00e1stroji";
constexpr int kInteriorWidth = 272;
constexpr int kInteriorHeight = 188;
constexpr DWORD kStartTimeout = 30000;
constexpr DWORD kExitTimeout = 15000;
// The system menu's "O programu…" item of the native toolkit.
constexpr WPARAM kSysAbout = 0x0110;

std::string Number(long value) { return std::to_string(value); }

std::string Hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08lX", value);
  return text;
}

std::string Point(long x, long y) { return "(" + Number(x) + ", " + Number(y) + ")"; }

HWND StartAndFind(Process& process, const std::wstring& exe, int showCommand) {
  Check(process.Start(exe, showCommand), "zeltfw.exe starts", "CreateProcess failed, error " + Number(GetLastError()));
  HWND window = WaitForMainWindow(process.Id(), kStartTimeout);
  Check(window != nullptr, "its window appears", "no visible window within " + Number(kStartTimeout) + " ms");
  Settle(window);
  return window;
}

void CloseLikeAPerson(Process& process, HWND window) {
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD code = 1234;
  Check(process.Wait(kExitTimeout, &code), "the close box ends the program",
        "still running after " + Number(kExitTimeout) + " ms");
  Check(code == 0, "it exits with 0", "exit code " + Number(static_cast<long>(code)));
}

const Control* FindControl(const std::vector<Control>& controls, const wchar_t* className, const wchar_t* text) {
  for (const Control& control : controls)
    if (control.className == className && (text == nullptr || control.text == text)) return &control;
  return nullptr;
}

std::string Describe(const std::vector<Control>& controls) {
  std::string out;
  for (const Control& c : controls)
    out += "\n  " + Narrow(c.className) + " \"" + Narrow(c.text) + "\" " + (c.enabled ? "enabled" : "disabled") +
           (c.visible ? " visible " : " hidden ") + Point(c.rect.left, c.rect.top) + " " +
           Number(c.rect.right - c.rect.left) + "x" + Number(c.rect.bottom - c.rect.top);
  return out;
}

void CheckStepOneWithoutCamera(HWND window) {
  const std::wstring title = TextOf(window);
  Check(title == kTitle, "title reads back as UTF-16 \"Počet Filtrů v3.0\"", "got \"" + Narrow(title) + "\"");

  RECT client;
  GetClientRect(window, &client);
  Check(client.right == kInteriorWidth && client.bottom == kInteriorHeight, "interior is 272x188",
        "got " + Number(client.right) + "x" + Number(client.bottom));

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  Check((style & WS_MINIMIZEBOX) != 0 && (style & WS_SYSMENU) != 0 && (style & WS_THICKFRAME) == 0 &&
            (style & WS_MAXIMIZEBOX) == 0,
        "minimize and close boxes, not resizable", "style " + Hex(static_cast<unsigned long>(style)));

  const std::vector<Control> controls = ChildrenOf(window);
  const Control* find = FindControl(controls, L"button", kFindCamera);
  const Control* next = FindControl(controls, L"button", kNext);
  Check(find != nullptr && find->visible && find->enabled, "\"Vyhledat kameru\" is shown and enabled",
        "controls:" + Describe(controls));
  Check(next != nullptr && next->visible && !next->enabled, "\"Další ->\" is shown and disabled",
        "controls:" + Describe(controls));
  Check(find->rect.right <= next->rect.left && find->rect.top == next->rect.top && next->rect.right <= kInteriorWidth &&
            find->rect.bottom <= kInteriorHeight,
        "the buttons sit side by side inside the interior", "controls:" + Describe(controls));
  Check(FindControl(controls, L"combobox", nullptr) == nullptr, "no drop-down list at step 1",
        "controls:" + Describe(controls));
  const Control* pane = FindControl(controls, L"zeltviewpane", nullptr);
  Check(pane != nullptr && pane->visible && pane->rect.left == 8 && pane->rect.top == 8 &&
            pane->rect.right == kInteriorWidth - 8 && pane->rect.bottom <= find->rect.top,
        "the information pane fills the interior above the buttons", "controls:" + Describe(controls));
}

void CheckPosition(HWND window, long x, long y, const std::string& what) {
  RECT rect;
  GetWindowRect(window, &rect);
  Check(rect.left == x && rect.top == y, what, "window at " + Point(rect.left, rect.top));
}

void CheckSaved(long x, long y) {
  std::int32_t savedX = -1;
  std::int32_t savedY = -1;
  const bool found = ReadPosition(&savedX, &savedY);
  Check(found && savedX == x && savedY == y, "XPos/YPos saved as " + Point(x, y),
        found ? "saved " + Point(savedX, savedY) : "no XPos/YPos under HKCU\\Software\\Kelvane\\zeltfw\\Window");
}

bool Iconic(HWND hwnd) { return IsIconic(hwnd) != FALSE; }
bool NotIconic(HWND hwnd) { return IsIconic(hwnd) == FALSE; }

}  // namespace

void FirstRun(const std::wstring& exe, const std::wstring& shotPath) {
  ForgetSettings();
  Process process;
  HWND window = StartAndFind(process, exe, SW_SHOWNORMAL);
  CheckPosition(window, 100, 100, "first start opens at (100, 100)");
  CheckStepOneWithoutCamera(window);

  // Give the window time to paint, then look at it.
  Sleep(300);
  Settle(window);
  Picture interior;
  Check(Capture(window, false, &interior), "the screen shows the window", "capture failed");
  const std::size_t colours = interior.DistinctColours();
  Check(colours >= 3, "the window is not blank", Number(static_cast<long>(colours)) + " colour(s) in the interior");
  if (!shotPath.empty()) {
    Picture whole;
    Check(Capture(window, true, &whole) && whole.Save(shotPath), "screenshot saved", Narrow(shotPath));
  }

  SetWindowPos(window, nullptr, 137, 111, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Settle(window);
  CheckPosition(window, 137, 111, "the window moves");
  CloseLikeAPerson(process, window);
  CheckSaved(137, 111);
}

void SavedPosition(const std::wstring& exe) {
  ForgetSettings();
  SavePosition(211, 97);
  Process process;
  HWND window = StartAndFind(process, exe, SW_SHOWNORMAL);
  CheckPosition(window, 211, 97, "opens at the saved position");
  PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Check(WaitUntil(Iconic, window, 5000), "the minimize box minimizes", "window not minimized");
  CloseLikeAPerson(process, window);
  CheckSaved(211, 97);
}

void ShowMinimized(const std::wstring& exe) {
  ForgetSettings();
  Process process;
  HWND window = StartAndFind(process, exe, SW_SHOWMINIMIZED);
  Check(IsIconic(window) != FALSE, "show command 2 starts minimized", "window not minimized");
  PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  Check(WaitUntil(NotIconic, window, 5000), "restore brings it back", "still minimized");
  Settle(window);
  CheckPosition(window, 100, 100, "restored at (100, 100)");
  CheckStepOneWithoutCamera(window);
  CloseLikeAPerson(process, window);
  CheckSaved(100, 100);
}

void AboutBox(const std::wstring& exe) {
  ForgetSettings();
  Process process;
  HWND window = StartAndFind(process, exe, SW_SHOWNORMAL);
  PostMessageW(window, WM_SYSCOMMAND, kSysAbout, 0);
  HWND box = WaitForOwnedWindow(process.Id(), window, 10000);
  Check(box != nullptr, "\"O programu…\" opens a box owned by the window", "no box appeared");
  Settle(box);
  Check(TextOf(box) == kAboutTitle, "the box's title", "got \"" + Narrow(TextOf(box)) + "\"");
  Check(IsWindowEnabled(window) == FALSE, "the box is modal", "the main window stays enabled");
  std::wstring texts;
  bool icon = false;
  for (const Control& control : ChildrenOf(box)) {
    texts += control.text + L"|";
    if (control.className == L"static" && (GetWindowLongW(control.hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      icon = icon || SendMessageW(control.hwnd, STM_GETICON, 0, 0) != 0;
  }
  Check(texts.find(kTitle) != std::wstring::npos && texts.find(L"3.0.0.0") != std::wstring::npos &&
            texts.find(L"Copyright \u00a9") != std::wstring::npos,
        "the box shows the title, the file version 3.0.0.0 and the copyright", "texts: " + Narrow(texts));
  Check(icon, "the box shows an icon", "no icon in the box");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  Check(WaitUntil(Gone, box, 5000), "OK closes the box", "the box is still there");
  Settle(window);
  Check(IsWindowEnabled(window) != FALSE, "the window takes input again", "still disabled");
  CloseLikeAPerson(process, window);
}

}  // namespace drive
