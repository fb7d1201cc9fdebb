// Toolkit internals shared by the view sources; not for the program or the
// backends.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "lib/view/backend.h"

namespace view::detail {

// The text as given: up to len characters, stopping at a NUL; null gives "".
std::string CutText(std::size_t len, const char* text);

ControlKind KindOf(const CView* view);

// The keyboard focus (focus.cpp): whether the view can have it now, and
// handing it on from a view that is losing that.
bool TakesFocus(const CView* view);
void FocusLeaves(CView* view);

// Native parts of a view and its descendants (windows excepted: CWindow owns
// its own native window).
void CreatePeers(CView* view);
void DestroyPeers(CView* view);

// Every view object alive, in creation order (lifetime.cpp).
void TrackView(CView* view);
void UntrackView(CView* view);
// Frees the view once the queue is idle.
void ReleaseLater(CView* view);
std::vector<CWindow*> LiveWindows();
bool HasReleased();
// Frees the views waiting for it; not while a handler further up the stack may use them.
void FreeReleased();
// Frees every view still alive.
void FreeAllViews();

// The queue (loop.cpp).
void QueueEvent(CWindow* window, const TEvent& event);
void DropQueuedFor(const CWindow* window);
bool InsidePump();

// Module state (graphics.cpp, modules.cpp, message_box.cpp).
void MakeFonts();  // a second call keeps the fonts already made
void SetUpContexts();
void ResetGraphics();
void ResetModules();

}  // namespace view::detail
