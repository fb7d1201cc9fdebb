#include "tests/windows/view_fixture.h"

#include <cstring>

#include "lib/view/modules.h"
#include "lib/view/win32/win32_backend.h"

namespace wintest {

bool RecordingWindow::ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) {
  if (message == WM_DEVICECHANGE) {
    DeviceMessage record = {wParam, lParam != 0, {}};
    if (lParam != 0) {
      const auto* header = reinterpret_cast<const std::uint8_t*>(lParam);
      DWORD size = 0;
      std::memcpy(&size, header, sizeof(size));
      record.header.assign(header, header + size);
    }
    device.push_back(record);
  }
  return CWindow::ReceiveMsg(message, wParam, lParam, result);
}

void RecordingWindow::ReceiveEvent(TEvent* event) {
  events.push_back(*event);
  CWindow::ReceiveEvent(event);
}

void EtchedPane::PaintView(CDeviceContext* dc) {
  const int w = Rect().width;
  dc->ClearRect(0, 0, w, Rect().height);
  dc->SetLineColor(gContext->lineColor1);
  dc->DrawLine(0, 38, w - 1, 38);
  dc->SetLineColor(gContext->lineColor2);
  dc->DrawLine(0, 39, w - 1, 39);
  dc->DrawString(0, 0, 63, "\xA9\xA9\xA9\xA9\xA9\xA9\xA9\xA9");  // a dark, solid run of text
}

void NativeWindow::SetUp() {
  view::InitAllModules();
  SetAppHandle(GetModuleHandleW(nullptr));
  PBackground = new CBackground;
  PBackground->Init(true);

  window = new RecordingWindow;
  const char title[] =
      "Po\xe8"
      "et Filtr\xf9 v3.0";  // Windows-1250
  window->Init(CRect(120, 90, 272, 188), 0x80001213u, 17, title);
  PBackground->Register(window);
  PBackground->Select();
  PBackground->Show();
  hwnd = window->GetHandle();
  ASSERT_NE(hwnd, nullptr);

  pane = new EtchedPane;
  pane->Init(CRect(8, 8, 256, 148));
  window->Register(pane);
  pane->Show();
  action = new CButton;
  action->Init(CRect(8, 156, 124, 0), 1002, 15, "Vyhledat kameru", 0);
  window->Register(action);
  action->Show();
  next = new CButton;
  next->Init(CRect(140, 156, 124, 0), 1003, 8, "Dal\x9a\xed ->", 0);
  window->Register(next);
  next->Show();
  box = new CComboBox;
  box->Init(CRect(108, 101, 156, 0), 0, false);
  window->Register(box);
  box->Show();
  Pump();
}

void NativeWindow::TearDown() {
  view::ResetToolkit();  // ends the native windows with the views
  Pump();
}

void NativeWindow::Pump() {
  for (int round = 0; round < 3; ++round) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    view::PumpPending();
  }
}

HWND NativeWindow::Peer(CView* view) {
  auto* peer = static_cast<view::win32::ViewPeer*>(view->peer);
  return peer != nullptr ? peer->hwnd : nullptr;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

}  // namespace wintest
