#include "app/ravik_config.h"

#include <cstdint>

#include "app/about.h"
#include "app/app_texts.h"
#include "config/commands.h"
#include "core/memory.h"
#include "platform/api.h"

namespace {
constexpr std::uint32_t kWindowStyle = 0x80001213u;
}  // namespace

CRavikConfig::CRavikConfig() : link(*this), wizardOps_(*this, wizard, views, link) {}

void CRavikConfig::InitWindow() {
  CRect rect(100, 100, 272, 188);
  std::int32_t position[2] = {rect.x, rect.y};
  LoadWindowPosition(position);
  // A saved place where the window would show on no monitor (one unplugged,
  // a laptop off its dock, a lower resolution) leaves the window out of
  // sight: it opens at the default place instead. Partly visible stays.
  if (OnNoMonitor(position[0], position[1], rect.width, rect.height)) {
    position[0] = rect.x;
    position[1] = rect.y;
  }
  rect.x = position[0];
  rect.y = position[1];
  Init(rect, kWindowStyle, app::texts::kTitle);
}

bool CRavikConfig::OnNoMonitor(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  constexpr std::int32_t kMost = INT32_MAX;
  if (x > kMost - width || y > kMost - height) return true;  // reaches past every coordinate
  const win::RECT place = {x, y, x + width, y + height};
  return win::MonitorFromRect(&place, MONITOR_DEFAULTTONULL) == nullptr;
}

void CRavikConfig::CreatePeerWindow() {
  CWindow::CreatePeerWindow();
  Connect();
  wizard.WizardStep = 0;
  AdvanceStep();
}

void CRavikConfig::DeletePeerWindow() {
  tearingDown_ = true;
  Disconnect();
  CWindow::DeletePeerWindow();
}

void CRavikConfig::Done() {
  tearingDown_ = true;
  Disconnect();
  const CRect& place = (IsMinimized() || IsMaximized()) ? RestoreRect() : Rect();
  const std::int32_t position[2] = {place.x, place.y};
  SaveWindowPosition(position);
  CWindow::Done();
}

void CRavikConfig::LinkClosed() {
  // The camera lost power at step 2: set the permission and move on to step 3.
  // Not while the window is being torn down: closing it must change nothing.
  if (wizard.WizardStep == 2 && !tearingDown_) {
    PerformStepAction();
    AdvanceStep();
  }
}

void CRavikConfig::ReceiveEvent(TEvent* event) {
  if (event != nullptr && (event->eventClass & view::kCommandMask) != 0) {
    switch (event->command) {
      case CmdAbout:
        ShowAboutBox(this);
        StopEvent(event);
        break;
      case config::CmdPerformStep:
        PerformStepAction();
        break;
      case config::CmdAdvanceStep:
        AdvanceStep();
        break;
      default:
        break;
    }
  }
  CWindow::ReceiveEvent(event);
}

bool CRavikConfig::ReceiveMsg(win::UINT message, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) {
  // Only arrival and removal carry a broadcast header; a missing one (lParam 0)
  // is left to the base window like any other message.
  if (message == WM_DEVICECHANGE && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) &&
      lParam != 0) {
    win::DWORD deviceType = 0;
    core::Move(reinterpret_cast<const char*>(lParam) + offsetof(win::DEV_BROADCAST_HDR, dbch_devicetype), &deviceType,
               sizeof(deviceType));
    if (deviceType == DBT_DEVTYP_DEVICEINTERFACE) {
      if (wParam == DBT_DEVICEARRIVAL)
        Connect();
      else
        Disconnect();
      return true;
    }
  }
  return CWindow::ReceiveMsg(message, wParam, lParam, result);
}
