#include <algorithm>

#include "lib/view/internal.h"
#include "lib/view/window.h"

CBackground* PBackground = nullptr;

CBackground::~CBackground() {
  for (CWindow* window : windows_) window->background_ = nullptr;
  if (PBackground == this) PBackground = nullptr;
}

// Nothing to prepare: the background has no native window of its own.
void CBackground::Init(bool) {}

void CBackground::Register(CWindow* window) {
  if (window == nullptr || window->IsEnded()) return;
  if (std::find(windows_.begin(), windows_.end(), window) != windows_.end()) return;
  if (window->background_ != nullptr && window->background_ != this) {
    auto& other = window->background_->windows_;
    other.erase(std::remove(other.begin(), other.end(), window), other.end());
  }
  window->background_ = this;
  windows_.push_back(window);
}

// Makes this the application's background, the one whose windows the loop watches.
void CBackground::Select() { PBackground = this; }

void CBackground::Show() {
  shown_ = true;
  const std::vector<CWindow*> windows = windows_;  // CreatePeerWindow runs the program's code
  for (CWindow* window : windows) {
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) continue;
    if (window->IsEnded() || window->IsClosed()) continue;
    // Virtual: the program's override calls the base first, then lays out its views.
    if (!window->IsOpen()) window->CreatePeerWindow();
    if (!window->IsClosed()) window->Show();
  }
}

void CBackground::Exec() { view::TheBackend().RunLoop(); }

void CBackground::Done() {
  if (ended_) return;
  ended_ = true;
  const std::vector<CWindow*> windows = windows_;
  for (CWindow* window : windows) {
    if (window->IsEnded())
      delete window;  // takes itself off windows_
    else
      window->background_ = nullptr;  // still open: it frees itself when it ends
  }
  windows_.clear();
  if (!view::detail::InsidePump()) view::detail::FreeReleased();
  if (PBackground == this) PBackground = nullptr;
  delete this;
}
