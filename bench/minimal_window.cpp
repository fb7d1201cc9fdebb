// The benchmark's yardstick: the least a window program does before its
// window shows (one class, one window, a message loop). Built a second time
// with ZELT_BENCH_IMPORTS: the same, plus what zeltfw.exe needs before any
// work of its own (the common controls' manifest and initialisation, the
// Setup API and registry DLLs), which shows the share of the DLLs alone.
#include <windows.h>
#ifdef ZELT_BENCH_IMPORTS
#include <commctrl.h>
#include <setupapi.h>
#endif

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
#ifdef ZELT_BENCH_IMPORTS
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // Referenced only, so that the DLLs load with the program as zeltfw.exe's do.
  static void* volatile imports[] = {reinterpret_cast<void*>(&SetupDiDestroyDeviceInfoList),
                                     reinterpret_cast<void*>(&RegCloseKey)};
  (void)imports;
#endif
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"MinimalWindow";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, L"MinimalWindow", L"Minimal", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 100, 100, 278,
                              217, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, showCommand);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
