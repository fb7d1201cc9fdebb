// The backend object, start-up (window classes, common controls), text
// metrics and painting.
#include <windows.h>
// windows.h must come first
#include <commctrl.h>

#include <algorithm>

#include "lib/view/win32/gdi_context.h"
#include "lib/view/win32/live_counts.h"
#include "lib/view/win32/wide_text.h"
#include "lib/view/win32/win32_backend.h"

namespace view {
Backend& TheBackend() { return win32::Win32Backend::Instance(); }
}  // namespace view

namespace view::win32 {
namespace {

constexpr int kEtchedContext = 7;

// The screen's DC for measuring, released on every path.
class ScreenDC {
 public:
  ScreenDC() : dc_(CountedGdi(GetDC(nullptr))) {}
  ~ScreenDC() {
    if (dc_ != nullptr) ReleaseCountedDC(nullptr, dc_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

// Context 7 draws an etched separator: give it the system's 3-D colours, as
// a native dialog's etched line has them.
void StyleEtchedContext() {
  TGContext* etched = GraphicsContext(kEtchedContext);
  etched->lineColor1 = GetSysColor(COLOR_BTNSHADOW);
  etched->lineColor2 = GetSysColor(COLOR_BTNHIGHLIGHT);
}

}  // namespace

Win32Backend& Win32Backend::Instance() {
  static Win32Backend backend;
  return backend;
}

void Win32Backend::Start() {
  instance_ = GetModuleHandleW(nullptr);
  // The version 6 push buttons and combo boxes; the toolkit uses no other common control.
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterWindowClass(instance_, kWindowClass, TopWindowProc, GetSysColorBrush(COLOR_BTNFACE));
  RegisterWindowClass(instance_, kPaneClass, PaneProc, nullptr);
  RegisterWindowClass(instance_, kWakeClass, WakeProc, nullptr);
  wakeWindow_ = CreateWindowExW(0, kWakeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, nullptr);
  TrackWindow(wakeWindow_);
}

int Win32Backend::TextWidth(TFont* font, std::size_t len, const char* text) {
  const std::wstring wide = WideFromCp1250(text, len);
  if (wide.empty()) return 0;
  ScreenDC screen;
  if (screen.get() == nullptr) return 0;
  HGDIOBJ old = SelectObject(screen.get(), fonts_.For(font));
  SIZE size = {};
  GetTextExtentPoint32W(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(screen.get(), old);
  return size.cx;
}

int Win32Backend::StandardHeight(ControlKind kind) {
  ScreenDC screen;
  TEXTMETRICW metrics = {};
  metrics.tmHeight = 13;
  if (screen.get() != nullptr) {
    HGDIOBJ old = SelectObject(screen.get(), fonts_.Dialog());
    GetTextMetricsW(screen.get(), &metrics);
    SelectObject(screen.get(), old);
  }
  // A dialog's push button and closed drop-down list for the dialog font,
  // capped so that the rows of a 24-pixel grid never overlap.
  if (kind == ControlKind::Button) return std::min<int>(metrics.tmHeight + 10, 26);
  if (kind == ControlKind::ComboBox) return std::min<int>(metrics.tmHeight + 8, 23);
  return 0;
}

void Win32Backend::Invalidate(CView* view) {
  if (auto* window = dynamic_cast<CWindow*>(view)) {
    if (window->GetHandle() != nullptr) InvalidateRect(window->GetHandle(), nullptr, FALSE);
    return;
  }
  auto* peer = static_cast<ViewPeer*>(view->peer);
  if (peer == nullptr || peer->hwnd == nullptr) return;
  if (peer->kind == ControlKind::Pane) Name(*peer);
  InvalidateRect(peer->hwnd, nullptr, FALSE);
}

void Win32Backend::Paint(CView* view, HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(hwnd, &client);
  if (view != nullptr) {
    StyleEtchedContext();
    // Straight into the window's DC: under GDI scaling (a high-DPI screen)
    // Windows draws its text and lines at the screen's resolution, which it
    // cannot do for a bitmap painted off-screen; and the windows that scale
    // it (Windows 10) always compose the screen, so nothing flickers.
    TFont* start = view->gContext != nullptr && view->gContext->font != nullptr ? view->gContext->font : TextFont();
    GdiDeviceContext context(dc, fonts_, start);
    view->PaintView(&context);
    view->needsPaint = false;
  } else {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  }
  EndPaint(hwnd, &ps);
}

}  // namespace view::win32
