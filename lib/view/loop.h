// The toolkit's queue: events made with MakeEvent, native messages posted by
// the platform, and views waiting to be freed. Everything runs on one thread.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace view {
// Queues a raw message for the window with that native handle, or for every
// window with HWND_BROADCAST. header is the record lParam will point to while
// the message is handled; empty: lParam 0.
void PostNativeMessage(win::HWND window, win::UINT message, win::WPARAM wParam, std::vector<std::uint8_t> header);
// Handles everything queued, including what handling queues, until nothing is left.
void PumpPending();
bool HasPending();
// Whether the object is a view the toolkit has not freed yet. For drivers that
// keep pointers across PumpPending; an address may be reused by a later view.
bool IsLive(const void* view);
// Frees every toolkit object and clears the globals; the next start-up begins afresh.
void ResetToolkit();
}  // namespace view
