// The queue: events made with MakeEvent and native messages, handled in the
// order they came; views ended with Done are freed once it is empty.
#include "lib/view/loop.h"

#include <deque>
#include <utility>

#include "lib/view/internal.h"

namespace view {
namespace {

struct Pending {
  bool isEvent = false;
  CWindow* window = nullptr;  // events; cleared from the queue when the window is freed
  TEvent event;
  win::HWND handle = nullptr;  // messages: the window is looked up when delivered
  win::UINT message = 0;
  win::WPARAM wParam = 0;
  std::vector<std::uint8_t> header;
};

std::deque<Pending>& Queue() {
  static std::deque<Pending> queue;
  return queue;
}

int pumpDepth = 0;

struct DepthGuard {
  DepthGuard() { ++pumpDepth; }
  ~DepthGuard() { --pumpDepth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
};

CWindow* WindowByHandle(win::HWND handle) {
  if (handle == nullptr) return nullptr;
  CWindow* found = nullptr;
  for (CWindow* window : detail::LiveWindows())
    if (window->GetHandle() == handle) found = window;
  return found;
}

void Deliver(Pending& item) {
  if (item.isEvent) {
    CWindow* window = item.window;
    if (window == nullptr || window->IsClosed() || window->IsEnded()) return;
    window->ReceiveEvent(&item.event);
    return;
  }
  CWindow* window = WindowByHandle(item.handle);
  if (window == nullptr || window->IsClosed() || window->IsEnded()) return;
  // item is off the queue, so the header bytes stay put while the handler runs.
  const win::LPARAM lParam = item.header.empty() ? 0 : reinterpret_cast<win::LPARAM>(item.header.data());
  win::LRESULT result = 0;
  if (!window->ReceiveMsg(item.message, item.wParam, lParam, &result))
    TheBackend().MessageLeftUnhandled(window, item.message, item.wParam, lParam);
}

}  // namespace

namespace detail {

void QueueEvent(CWindow* window, const TEvent& event) {
  Pending item;
  item.isEvent = true;
  item.window = window;
  item.event.eventClass = event.eventClass;
  item.event.command = event.command;  // a new delivery: not stopped
  Queue().push_back(std::move(item));
  TheBackend().Wake();
}

void DropQueuedFor(const CWindow* window) {
  auto& queue = Queue();
  for (auto it = queue.begin(); it != queue.end();) {
    if (it->isEvent && it->window == window)
      it = queue.erase(it);
    else
      ++it;
  }
}

bool InsidePump() { return pumpDepth > 0; }

}  // namespace detail

void PostNativeMessage(win::HWND window, win::UINT message, win::WPARAM wParam, std::vector<std::uint8_t> header) {
  if (window == HWND_BROADCAST) {
    // To the windows there are now, as a broadcast reaches them; not to one made later.
    for (CWindow* live : detail::LiveWindows())
      if (live->GetHandle() != nullptr) PostNativeMessage(live->GetHandle(), message, wParam, header);
    return;
  }
  Pending item;
  item.handle = window;
  item.message = message;
  item.wParam = wParam;
  // A handler may read the fixed broadcast header of whatever it is given;
  // never let it read past the bytes we own.
  if (!header.empty() && header.size() < sizeof(win::DEV_BROADCAST_HDR))
    header.resize(sizeof(win::DEV_BROADCAST_HDR), 0);
  item.header = std::move(header);
  Queue().push_back(std::move(item));
  TheBackend().Wake();
}

void PumpPending() {
  DepthGuard guard;
  for (;;) {
    while (!Queue().empty()) {
      Pending item = std::move(Queue().front());
      Queue().pop_front();
      Deliver(item);
    }
    // Only the outermost pump frees views: a nested one (a modal box inside a
    // handler) runs while that handler may still be using a view it ended.
    if (pumpDepth == 1 && detail::HasReleased()) {
      detail::FreeReleased();
      continue;
    }
    return;
  }
}

bool HasPending() { return !Queue().empty() || detail::HasReleased(); }

void ResetToolkit() {
  Queue().clear();
  PBackground = nullptr;
  detail::FreeAllViews();
  Queue().clear();  // anything a destructor queued
  PBackground = nullptr;
  TheBackend().Reset();
  detail::ResetModules();
  detail::ResetGraphics();
}

}  // namespace view
