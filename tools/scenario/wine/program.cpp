#include "tools/scenario/wine/program.h"

#include <algorithm>

#include "lib/view/win32/class_names.h"
#include "platform/real/live_objects.h"
#include "tools/scenario/wine/box_icons.h"
#include "tools/scenario/wine/input.h"
#include "tools/scenario/wine/windows_of.h"

namespace scenario::wine {
namespace {

constexpr DWORD kStartTimeout = 30000;
constexpr DWORD kSettleTimeout = 15000;
constexpr DWORD kBoxTimeout = 5000;
using view::win32::kPaneClass;
using view::win32::kWindowClass;
constexpr wchar_t kBoxClass[] = L"#32770";

// The visible child windows of a class, in z-order from the top.
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && wine::HasClass(child, className)) found.push_back(child);
  return found;
}

Control Describe(HWND parent, HWND hwnd) {
  Control control;
  control.hwnd = hwnd;
  control.text = wine::TextOf(hwnd);
  control.enabled = IsWindowEnabled(hwnd) != FALSE;
  GetWindowRect(hwnd, &control.rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&control.rect), 2);
  if (!ReadAloud(hwnd, control.spoken)) throw WorldStuck{"no accessible object answers for a control"};
  return control;
}

std::vector<std::wstring> SplitLines(const std::wstring& text, const wchar_t* separator) {
  std::vector<std::wstring> lines;
  const std::wstring sep = separator;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(sep, start);
    lines.push_back(text.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
    if (at == std::wstring::npos) return lines;
    start = at + sep.size();
  }
}

}  // namespace

Program::Program(std::wstring exe) : exe_(std::move(exe)) {}

Program::~Program() {
  if (started_ && Running()) {
    try {
      holdBoxes_ = false;
      if (OpenBox() != nullptr) Settle();
      if (WindowOpen()) Close();
    } catch (const WorldStuck&) {
    }
  }
  if (!started_ || !Running()) return;
  DWORD code = 0;
  if (!Exited(kSettleTimeout, &code)) process_.Kill();
}

void Program::Start(int showCommand) {
  // Wine now and then refuses a process while its server is busy with one
  // that just ended: one more try.
  if (!process_.Start(exe_, showCommand)) {
    Sleep(500);
    if (!process_.Start(exe_, showCommand))
      throw WorldStuck{"zeltfw.exe does not start (error " + std::to_string(GetLastError()) + ")"};
  }
  started_ = true;
  WaitForInputIdle(process_.Handle(), kStartTimeout);
  const ULONGLONG end = GetTickCount64() + kStartTimeout;
  for (;;) {
    window_ = wine::FindTopLevel(process_.Id(), [](HWND hwnd) { return wine::HasClass(hwnd, kWindowClass); });
    if (window_ != nullptr) break;
    if (!Running()) throw WorldStuck{"zeltfw.exe ended without showing its window"};
    if (GetTickCount64() >= end) throw WorldStuck{"no window within 30 s"};
    Sleep(5);
  }
  thread_ = GetWindowThreadProcessId(window_, nullptr);
  Settle();
  WaitForFirstPaint();
  for (int kind = 0; kind < static_cast<int>(win::live::LiveKind::Count); ++kind)
    startCounts_.push_back(LiveCount(kind));
  startControls_ = Controls();
  // A program that answers no counts would make every steady check hold.
  if (startCounts_[static_cast<std::size_t>(win::live::LiveKind::Window)] <= 0)
    throw WorldStuck{"zeltfw.exe counts no windows of its own"};
}

std::size_t Program::Controls() { return WindowOpen() ? wine::ChildrenOf(window_).size() : 0; }

// The counts at start-up include what the first paint makes: the pane makes
// the caption's bold font when it first paints, and in a fresh Wine session
// the window itself may have painted while its pane has not yet. A minimized
// window paints nothing until it is restored.
void Program::WaitForFirstPaint() {
  const ULONGLONG end = GetTickCount64() + kSettleTimeout;
  for (;;) {
    if (!WindowOpen() || IsIconic(window_)) return;
    bool pending = false;
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT update = {};
      if (IsWindowVisible(child) && GetUpdateRect(child, &update, FALSE)) pending = true;
    }
    if (!pending) return;
    if (GetTickCount64() >= end) throw WorldStuck{"the window's controls were not painted within 15 s"};
    Sleep(1);
  }
}

bool Program::Running() {
  DWORD code = 0;
  return started_ && GetExitCodeProcess(process_.Handle(), &code) && code == STILL_ACTIVE;
}

bool Program::WindowOpen() { return Running() && window_ != nullptr && IsWindow(window_) && IsWindowVisible(window_); }

bool Program::Exited(DWORD milliseconds, DWORD* exitCode) { return started_ && process_.Wait(milliseconds, exitCode); }

void Program::Foreground(HWND hwnd) {
  if (GetForegroundWindow() != hwnd) SetForegroundWindow(hwnd);
}

HWND Program::OpenBox() {
  if (!Running() || window_ == nullptr) return nullptr;
  return wine::FindTopLevel(process_.Id(), [this](HWND hwnd) {
    return wine::HasClass(hwnd, kBoxClass) && GetWindow(hwnd, GW_OWNER) == window_;
  });
}

// Input sent so far is in the program's queue. WM_PAINT comes only when its
// queue holds no posted message and no input any more, so a paint of a part
// of the window invalidated now means the program took all of it, handled
// it, and pumped the toolkit's queue (which it does after every message).
// Nothing is sent to the program meanwhile: under Wine a message sent while
// the program tracks a pressed caption button cancels the press. A pressed
// button or caption box holds the mouse until its release is handled, so the
// capture must be free too, unless a list was just opened (it keeps the
// mouse while open). A minimized or hidden window is not painted: WM_NULL
// round trips and a pause must do then.
void Program::SyncInput(bool listOpening) {
  if (!WindowOpen()) return;
  RECT update = {};
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE);
  if (!GetUpdateRect(window_, &update, FALSE)) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kSettleTimeout, &ignored);
    Sleep(20);
    if (!SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kSettleTimeout, &ignored) && WindowOpen())
      throw WorldStuck{"the program answered no message for 15 s"};
    return;
  }
  const ULONGLONG end = GetTickCount64() + kSettleTimeout;
  for (;;) {
    if (!WindowOpen()) return;
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    const bool captured = !listOpening && GetGUIThreadInfo(thread_, &info) && info.hwndCapture != nullptr;
    if (!GetUpdateRect(window_, &update, FALSE) && !captured) return;
    if (GetTickCount64() >= end) throw WorldStuck{"the program did not get back to its message loop for 15 s"};
    Sleep(1);
  }
}

void Program::Settle() {
  for (int round = 0; round < 100; ++round) {
    if (!Running()) return;
    if (!WindowOpen()) {
      // Closing: the process ends on its own.
      DWORD code = 0;
      if (!Exited(kSettleTimeout, &code)) throw WorldStuck{"the window closed but the program runs on"};
      return;
    }
    SyncInput();
    if (!WindowOpen()) continue;  // it closed meanwhile: wait for its end
    HWND box = OpenBox();
    if (box == nullptr) return;
    if (std::find(recorded_.begin(), recorded_.end(), box) == recorded_.end()) Record(box);
    if (holdBoxes_) return;
    AnswerBox();
  }
  throw WorldStuck{"message boxes keep coming"};
}

void Program::Record(HWND box) {
  recorded_.push_back(box);
  BoxSeen seen;
  seen.title = wine::Narrow(wine::TextOf(box));
  HWND iconControl = nullptr;
  HWND textControl = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!wine::HasClass(child, L"Static") || !IsWindowVisible(child)) continue;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      iconControl = child;
    else if (!wine::TextOf(child).empty())
      textControl = child;
  }
  if (textControl != nullptr) {
    std::vector<std::wstring> lines = SplitLines(wine::TextOf(textControl), L"\n");
    for (std::size_t i = 0; i < lines.size() && i < 3; ++i) seen.lines[i] = wine::Narrow(lines[i]);
    RECT rect = {};
    GetClientRect(textControl, &rect);
    seen.textFits = LinesFit(rect.bottom, static_cast<int>(lines.size()));
  }
  seen.icon = iconControl != nullptr ? NameIcon(iconControl, exe_) : "none";
  boxes_.push_back(seen);
}

void Program::AnswerBox() {
  HWND box = OpenBox();
  if (box == nullptr) return;
  HWND ok = GetDlgItem(box, IDOK);
  Foreground(box);
  if (ok != nullptr && IsWindowVisible(ok))
    ClickAt(CentreOf(ok));
  else
    PressKey(VK_RETURN);
  if (!wine::WaitUntil(wine::Gone, box, kBoxTimeout) && Running())
    throw WorldStuck{"the message box does not close on OK"};
}

std::wstring Program::Title() { return WindowOpen() ? wine::TextOf(window_) : std::wstring(); }

std::vector<std::wstring> Program::PaneLines() {
  if (!WindowOpen()) return {};
  std::vector<HWND> panes = ChildrenOfClass(window_, kPaneClass);
  if (panes.empty()) return {};
  Spoken spoken;
  if (!ReadAloud(panes.front(), spoken)) throw WorldStuck{"no accessible object answers for the pane"};
  return SplitLines(spoken.name, L"\r\n");
}

bool Program::PanePlace(RECT& place) {
  if (!WindowOpen()) return false;
  std::vector<HWND> panes = ChildrenOfClass(window_, kPaneClass);
  if (panes.empty()) return false;
  GetWindowRect(panes.front(), &place);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
  return true;
}

bool Program::Button(bool action, Control& button) {
  if (!WindowOpen()) return false;
  for (HWND hwnd : ChildrenOfClass(window_, L"button")) {
    Control control = Describe(window_, hwnd);
    const bool left = control.rect.left < control.rect.right - control.rect.left;
    if (left == action) {
      button = control;
      return true;
    }
  }
  return false;
}

bool Program::ListOf(std::size_t items, List& list) {
  if (!WindowOpen()) return false;
  for (HWND hwnd : ChildrenOfClass(window_, L"combobox")) {
    const LRESULT count = SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
    if (count != static_cast<LRESULT>(items)) continue;
    static_cast<Control&>(list) = Describe(window_, hwnd);
    // A drop-down list's text is the item it shows; only WM_GETTEXT gives it to another process.
    wchar_t shown[256] = {};
    SendMessageW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(shown));
    list.text = shown;
    list.items.clear();
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = SendMessageW(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
      std::wstring item(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
      SendMessageW(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
      item.resize(std::wcslen(item.c_str()));
      list.items.push_back(item);
    }
    // The item the list shows is its text; a list showing nothing shows no text.
    list.shown = 0;
    for (std::size_t i = 0; i < list.items.size(); ++i)
      if (!list.text.empty() && list.items[i] == list.text) list.shown = static_cast<int>(i) + 1;
    return true;
  }
  return false;
}

bool Program::Minimized() { return WindowOpen() && IsIconic(window_) != FALSE; }
bool Program::Maximized() { return WindowOpen() && IsZoomed(window_) != FALSE; }

POINT Program::Position() {
  RECT rect = {};
  GetWindowRect(window_, &rect);
  return POINT{rect.left, rect.top};
}

void Program::Click(const Control& control) {
  Foreground(window_);
  ClickAt(CentreOf(control.hwnd));
  Settle();
}

HWND Program::Focus() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
}

bool Program::HoldsTheMouse() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (GetGUIThreadInfo(thread_, &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0)
    return true;
  for (HWND list : ChildrenOfClass(window_, L"combobox"))
    if (SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != FALSE) return true;
  return false;
}

void Program::Key(const scenario::KeyPress& press) {
  static const WORD kCodes[] = {VK_TAB, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_F4};
  PressKey(kCodes[static_cast<int>(press.key)], press.alt ? VK_MENU : press.shift ? VK_SHIFT : 0);
  // An open list or menu keeps the mouse: wait for the paint alone then.
  SyncInput(true);
  if (WindowOpen() && HoldsTheMouse()) return;
  Settle();
}

void Program::PressKeysAndSettle(WORD key, int times, bool listOpen) {
  for (int i = 0; i < times; ++i) PressKey(key);
  SyncInput(listOpen);
}

// Up or Down until the list shows the item; one that shows nothing takes its
// first item with the first Down.
void Program::ArrowTo(const List& list, int item, bool open) {
  const int current = static_cast<int>(SendMessageW(list.hwnd, CB_GETCURSEL, 0, 0)) + 1;  // 0: none
  if (current == 0 || item > current)
    PressKeysAndSettle(VK_DOWN, item - current, open);
  else
    PressKeysAndSettle(VK_UP, current - item, open);
}

// Opens the list with a click, arrows to the item and takes it with Enter, or
// leaves with Esc (cancel).
void Program::ChooseByMouse(const List& list, int item, bool cancel) {
  Foreground(window_);
  ClickAt(CentreOf(list.hwnd));
  SyncInput(true);
  if (SendMessageW(list.hwnd, CB_GETDROPPEDSTATE, 0, 0) == FALSE) throw WorldStuck{"a click does not open the list"};
  ArrowTo(list, item, true);
  PressKey(cancel ? VK_ESCAPE : VK_RETURN);
  Settle();
}

// Tab until the list has the focus, then arrows with the list closed.
void Program::ChooseByKeyboard(const List& list, int item) {
  Foreground(window_);
  for (int i = 0; i < 8 && Focus() != list.hwnd; ++i) PressKeysAndSettle(VK_TAB, 1, false);
  if (Focus() != list.hwnd) throw WorldStuck{"Tab never reaches the list"};
  ArrowTo(list, item, false);
  Settle();
}

// The close box of the caption, found where the window says it is; a window
// whose close box is off the screen is closed with Alt+F4, as a person would.
// (Alt+F4 alone would not do: under Wine a drop-down list with the focus
// swallows it.) A minimized window is closed from the task bar: SC_CLOSE.
void Program::Close() {
  if (Minimized()) return Command(SC_CLOSE);
  Foreground(window_);
  RECT frame = {};
  GetWindowRect(window_, &frame);
  POINT interior = {0, 0};
  ClientToScreen(window_, &interior);
  const int captionMiddle = (frame.top + interior.y) / 2;
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  for (int x = frame.right - 2; x > frame.left; --x) {
    DWORD_PTR hit = HTNOWHERE;
    SendMessageTimeoutW(window_, WM_NCHITTEST, 0, MAKELPARAM(x, captionMiddle), SMTO_NORMAL, kSettleTimeout, &hit);
    if (hit != HTCLOSE) continue;
    const POINT box = {x - 4, captionMiddle};
    if (PtInRect(&screen, box))
      ClickAt(box);
    else
      PressKey(VK_F4, VK_MENU);
    Settle();
    return;
  }
  throw WorldStuck{"the window shows no close box"};
}

void Program::About() {
  Foreground(window_);
  PressKey(VK_SPACE, VK_MENU);
  SyncInput(true);  // the open menu holds the mouse
  // From the top of the open menu, Up wraps to its last item.
  PressKey(VK_UP);
  PressKey(VK_RETURN);
  Settle();
}

// What the caption's boxes send; sent, not posted, so that it is handled when this returns.
void Program::Command(UINT systemCommand) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window_, WM_SYSCOMMAND, systemCommand, 0, SMTO_NORMAL, kSettleTimeout, &ignored);
  Settle();
}

void Program::Move(int x, int y) {
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Settle();
}

long Program::LiveCount(int kind) {
  static const UINT message = RegisterWindowMessageW(win::live::kLiveObjectsMessageName);
  DWORD_PTR count = 0;
  if (!WindowOpen() ||
      !SendMessageTimeoutW(window_, message, static_cast<WPARAM>(kind), 0, SMTO_NORMAL, kSettleTimeout, &count))
    return -1;
  return static_cast<long>(static_cast<LONG_PTR>(count));
}

}  // namespace scenario::wine
