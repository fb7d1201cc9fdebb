// `expect invariants`: what must hold after every event, whatever the world
// did: the link's fields agree with the handles, the step with the views, and
// camera memory changed only in the filter bits that a "Zapsat filtry" press
// asked for. The random explorer checks it after every line it plays.
#include <cstring>
#include <set>
#include <utility>

#include "app/ravik_config.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/common/camera_image.h"
#include "tools/scenario/cameras.h"
#include "tools/sim-console/program_view.h"
#include "tools/sim-console/session.h"
#include "ui/camera_info_pane.h"

namespace scenario {

namespace {

struct Failure {
  std::string got;
};

void Require(bool holds, const std::string& what) {
  if (!holds) throw Failure{what};
}

template <typename T, typename Pred>
int CountLive(CRavikConfig& window, Pred pred) {
  int n = 0;
  for (CView* child : window.Children()) {
    auto* view = dynamic_cast<T*>(child);
    if (view != nullptr && !view->IsEnded() && view->IsShown() && pred(*view)) ++n;
  }
  return n;
}

bool Valid(win::HANDLE h) { return h != INVALID_HANDLE_VALUE; }

std::string Cp1250(const char* utf8) { return Cp1250OrThrow(utf8); }

void CheckLink(const camera::CCameraLink& link, const sim::World& world) {
  const std::uint32_t flags = link.LinkFlags;
  Require((flags & ~0x1FFu) == 0, "LinkFlags " + Hex(flags, 3) + " with bits above 8");
  const std::uint32_t series = flags & camera::kSeriesMask;
  Require((series & (series - 1)) == 0, "LinkFlags " + Hex(flags, 3) + " with two series bits");
  const bool open = (flags & camera::kLinkOpen) != 0;
  const int valid = Valid(link.CommandPipe) + Valid(link.DataPipe) + Valid(link.ThirdPipe);
  Require(open ? valid == 3 : valid == 0,
          std::string("LinkOpen ") + (open ? "set" : "clear") + " with " + std::to_string(valid) + " valid pipes");
  Require(!open || series != 0, "LinkOpen without a series bit");
  // Between events the program holds its three pipes and nothing else.
  Require(world.OpenHandleCount() == (open ? 3u : 0u),
          std::to_string(world.OpenHandleCount()) + " open handles with the link " + (open ? "open" : "closed"));
  Require(link.NotificationHandle == nullptr || open, "a notification registration with the link closed");
  Require(world.RegistrationCount() == (link.NotificationHandle != nullptr ? 1u : 0u),
          std::to_string(world.RegistrationCount()) + " registrations, NotificationHandle " +
              (link.NotificationHandle != nullptr ? "set" : "null"));
}

void CheckViews(CRavikConfig& window) {
  const int step = window.wizard.WizardStep;
  Require(step >= 1 && step <= 5, "WizardStep " + std::to_string(step) + " with the window open");
  auto withCommand = [](std::uint32_t command) {
    return [command](const CButton& b) { return b.Command() == command; };
  };
  const int panes = CountLive<CCameraInfoPane>(window, [](const CCameraInfoPane&) { return true; });
  const int actions = CountLive<CButton>(window, withCommand(kActionCommand));
  const int nexts = CountLive<CButton>(window, withCommand(kNextCommand));
  const int boxes = CountLive<CComboBox>(window, [](const CComboBox&) { return true; });
  const std::string at = " at step " + std::to_string(step);
  Require(panes == 1, std::to_string(panes) + " live panes" + at);
  Require(nexts == 1, std::to_string(nexts) + " live next buttons" + at);
  const bool wantAction = step == 1 || step == 3 || step == 4;
  Require(actions == (wantAction ? 1 : 0), std::to_string(actions) + " live action buttons" + at);
  Require(boxes == (step == 4 ? 2 : 0), std::to_string(boxes) + " live combo boxes" + at);

  CCameraInfoPane* pane = LivePane(window);
  CButton* next = LiveButton(window, kNextCommand);
  const std::string title(pane->StepTitle, strnlen(pane->StepTitle, sizeof pane->StepTitle));
  static const char* const kTitles[6][2] = {{"", ""},
                                            {"Krok 1:", "Krok 1:"},
                                            {"Krok 2:", "Krok 2:"},
                                            {"Krok 3:", "Krok 3:"},
                                            {"Krok 4:", "Krok 2:"},
                                            {"Krok 5:", "Krok 3:"}};
  Require(title == kTitles[step][0] || title == kTitles[step][1], "pane title " + QuoteCp1250(title) + at);
  const std::string nextCaption = Cp1250(step == 5 ? "Dokončit" : "Další ->");
  Require(next->Caption() == nextCaption, "next button " + QuoteCp1250(next->Caption()) + at);
  if (wantAction) {
    CButton* action = LiveButton(window, kActionCommand);
    const std::string caption = Cp1250(step == 4 ? "Zapsat filtry" : "Vyhledat kameru");
    Require(action->Caption() == caption, "action button " + QuoteCp1250(action->Caption()) + at);
  }
  const bool hasId = pane->CameraIdText[0] != '\0';
  if (step == 1 || step == 3)
    Require(next->IsEnabled() == hasId, std::string("next button ") + (next->IsEnabled() ? "enabled" : "disabled") +
                                            " with the camera ID " + (hasId ? "shown" : "empty") + at);
  if (step == 2) {
    const bool open = (window.link.LinkFlags & camera::kLinkOpen) != 0;
    Require(next->IsEnabled() == !open, std::string("next button ") + (next->IsEnabled() ? "enabled" : "disabled") +
                                            " with the link " + (open ? "open" : "closed") + at);
  }
}

}  // namespace

void Session::NoteWritePress(CRavikConfig& window) {
  if (window.wizard.WizardStep != 4) return;
  CComboBox* count = LiveBox(window, kCountItems);
  CComboBox* wheel = LiveBox(window, kWheelItems);
  writePresses_.emplace_back(count != nullptr ? count->GetSelection() : 0,
                             wheel != nullptr ? wheel->GetSelection() : 0);
}

// The place the window must open at, read from the saved values as an
// independent statement of the rule: a saved place where a window of 272 by
// 188 would overlap no monitor gives (100, 100).
void Session::NoteStartPlace() {
  const sim::World& world = sim::World::Get();
  std::int64_t place[2] = {100, 100};
  const char* const kNames[2] = {"XPos", "YPos"};
  for (int i = 0; i < 2; ++i) {
    std::uint32_t value = 0;
    const sim::Registry::Value* saved = world.registry.GetValue("HKCU\\Software\\Kelvane\\zeltfw\\Window", kNames[i]);
    if (saved != nullptr && saved->AsDword(value)) place[i] = static_cast<std::int32_t>(value);
  }
  bool seen = false;
  for (const auto& m : world.monitors)
    seen = seen || (place[0] < std::int64_t{m.x} + m.width && place[0] + 272 > m.x &&
                    place[1] < std::int64_t{m.y} + m.height && place[1] + 188 > m.y);
  placeToOpen_[0] = seen ? place[0] : 100;
  placeToOpen_[1] = seen ? place[1] : 100;
}

void Session::CheckMemory() const {
  for (const auto& camera : sim::World::Get().Cameras()) {
    const std::string wrong = WrongChosenBytes(*camera, writePresses_);
    Require(wrong.empty(), wrong);
  }
}

void Session::ExpectInvariants(const Args& a) {
  a.Exactly(0);
  if (checking_) return;
  sim::World& world = sim::World::Get();
  try {
    CheckMemory();
    CRavikConfig* window = running_ ? OpenMainWindow() : nullptr;
    if (window == nullptr) {
      Require(world.OpenHandleCount() == 0, std::to_string(world.OpenHandleCount()) + " open handles, no window");
      Require(world.RegistrationCount() == 0, std::to_string(world.RegistrationCount()) + " registrations, no window");
      return;
    }
    CheckLink(window->link, world);
    CheckViews(*window);
    Require(placeOpened_[0] == placeToOpen_[0] && placeOpened_[1] == placeToOpen_[1],
            "the window opened at " + std::to_string(placeOpened_[0]) + " " + std::to_string(placeOpened_[1]) +
                ", not at " + std::to_string(placeToOpen_[0]) + " " + std::to_string(placeToOpen_[1]));
  } catch (const Failure& failure) {
    throw ExpectFailure{"invariants", failure.got};
  }
}

}  // namespace scenario
