// A toolkit window on the native backend, as the program builds one: a
// painted pane, two buttons and a drop-down list, shown and live.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lib/view/toolkit.h"

namespace wintest {

// Records what reaches the window's handlers.
class RecordingWindow : public CWindow {
 public:
  struct DeviceMessage {
    WPARAM code;
    bool hasHeader;
    std::vector<std::uint8_t> header;  // dbch_size bytes of what lParam pointed to
  };
  bool ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override;
  void ReceiveEvent(TEvent* event) override;
  std::vector<DeviceMessage> device;
  std::vector<TEvent> events;
};

// Paints what the information pane paints: background, an etched separator
// in context 7, text in the context font.
class EtchedPane : public CView {
 public:
  EtchedPane() { gContext = GetPGContext(7); }
  void PaintView(CDeviceContext* dc) override;
};

class NativeWindow : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Handles what Windows and the toolkit have queued, as the loop does.
  static void Pump();
  static HWND Peer(CView* view);  // the view's child window

  RecordingWindow* window = nullptr;
  EtchedPane* pane = nullptr;
  CButton* action = nullptr;
  CButton* next = nullptr;
  CComboBox* box = nullptr;
  HWND hwnd = nullptr;
};

std::wstring TextOf(HWND hwnd);

}  // namespace wintest
