#include "lib/view/headless/backend.h"

#include <algorithm>

#include "core/text.h"
#include "lib/view/loop.h"

namespace view {
namespace headless {

namespace {
constexpr int kTextFontAdvance = 6;
constexpr int kCaptionFontAdvance = 7;
constexpr int kButtonHeight = 23;
constexpr int kComboBoxHeight = 21;
constexpr std::uintptr_t kHandleStep = 0x10;
}  // namespace

HeadlessBackend& Headless() {
  static HeadlessBackend backend;
  return backend;
}

win::HWND HeadlessBackend::CreateWindowPeer(CWindow* window) {
  // A fake handle: unique and never null, never dereferenced.
  const auto handle = reinterpret_cast<win::HWND>(nextHandle_);
  nextHandle_ += kHandleStep;
  if (std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
  return handle;
}

void HeadlessBackend::DestroyWindowPeer(CWindow* window) {
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
  paints.erase(window);
}

void HeadlessBackend::CreateViewPeer(CView* view, ControlKind kind) {
  auto& peer = views[view];
  peer = std::make_unique<ViewPeer>(ViewPeer{kind});
  view->peer = peer.get();
}

void HeadlessBackend::DestroyViewPeer(CView* view) {
  views.erase(view);
  paints.erase(view);
  view->peer = nullptr;
}

int HeadlessBackend::TextWidth(TFont* font, std::size_t len, const char* text) {
  const bool caption = font != nullptr && (font == CaptionFont || font->face == "caption");
  const auto count = static_cast<int>(core::LengthA(len, text));
  return count * (caption ? kCaptionFontAdvance : kTextFontAdvance);
}

int HeadlessBackend::StandardHeight(ControlKind kind) { return StandardHeightOf(kind, kButtonHeight, kComboBoxHeight); }

void SetIdleHandler(IdleHandler handler) { Headless().idle = std::move(handler); }

const std::vector<MessageBoxRecord>& MessageBoxLog() { return Headless().boxes; }
const std::vector<UnhandledMessage>& UnhandledMessages() { return Headless().unhandled; }

void HeadlessBackend::ShowMessageBox(CWindow* owner, const MessageBoxRecord& box) {
  boxes.push_back(box);
  menu = SystemMenu();
  // The box takes the activation from its owner and gives it back as it closes.
  if (owner != nullptr && owner->IsActive()) owner->PeerActivated(false);
  if (holdBoxes) {
    boxOpen = true;
    boxOwner = owner;
    // The box's own loop: the driver acts until it answers, or ends.
    while (boxOpen)
      if (!idle || !idle()) break;
    boxOpen = false;
    boxOwner = nullptr;
  }
  if (owner != nullptr && IsLive(owner)) UpdateActivation(owner);
}

void HoldBoxes(bool hold) { Headless().holdBoxes = hold; }
bool BoxOpen() { return Headless().boxOpen; }

bool AnswerBox() {
  if (!Headless().boxOpen) return false;
  Headless().boxOpen = false;
  return true;
}

}  // namespace headless

Backend& TheBackend() { return headless::Headless(); }

}  // namespace view
