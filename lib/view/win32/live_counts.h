// The backend's share of the live-object accounting (platform/real/live_objects.h):
// every GDI object and device context it makes goes through these, and so
// does every window it creates.
#pragma once
#include <windows.h>

#include "platform/real/live_objects.h"

namespace view::win32 {

// Counts a GDI object or device context just made; null (a failure) is not counted.
template <typename Handle>
Handle CountedGdi(Handle made) {
  if (made != nullptr) win::live::Opened(win::live::LiveKind::Gdi);
  return made;
}

inline void DeleteCountedObject(HGDIOBJ object) {
  if (DeleteObject(object)) win::live::Closed(win::live::LiveKind::Gdi);
}

inline void DeleteCountedDC(HDC dc) {
  if (DeleteDC(dc)) win::live::Closed(win::live::LiveKind::Gdi);
}

inline void ReleaseCountedDC(HWND hwnd, HDC dc) {
  if (ReleaseDC(hwnd, dc)) win::live::Closed(win::live::LiveKind::Gdi);
}

// Windows go down with their parents without a call of ours, so they are
// counted by looking: the ones created here that are still windows.
void TrackWindow(HWND hwnd);
long LiveWindows();

// The registered message the top-level windows answer with a live count.
UINT LiveObjectsMessage();
LRESULT AnswerLiveObjects(WPARAM kind);

}  // namespace view::win32
