#include "tools/scenario/program/inside.h"

#include <cstring>
#include <type_traits>

#include "app/ravik_config.h"
#include "config/commands.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/scenario/args.h"
#include "ui/camera_info_pane.h"

namespace scenario {
namespace {

constexpr std::uint32_t kActionCommand = config::CmdPerformStep;
constexpr std::uint32_t kNextCommand = config::CmdAdvanceStep;

template <typename T>
T* Live(CRavikConfig& window, std::uint32_t command = 0) {
  for (CView* child : window.Children()) {
    auto* view = dynamic_cast<T*>(child);
    if (view == nullptr || view->IsEnded() || !view->IsShown()) continue;
    if constexpr (std::is_same_v<T, CButton>) {
      if (view->Command() != command) continue;
    }
    return view;
  }
  return nullptr;
}

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
  // A read the camera never answers blocks a real program for good.
  if (!world.protocolErrors.empty()) throw Failure{world.protocolErrors.front()};
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

  CCameraInfoPane* pane = Live<CCameraInfoPane>(window);
  CButton* next = Live<CButton>(window, kNextCommand);
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
    CButton* action = Live<CButton>(window, kActionCommand);
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

// The caption shows the program's icon at 16 pixels, the task switcher at 32.
void CheckIcons(const CRavikConfig& window, const sim::World& world) {
  const struct {
    win::HANDLE icon;
    int size;
  } kIcons[] = {{window.SmallIcon(), 16}, {window.LargeIcon(), 32}};
  for (const auto& [icon, size] : kIcons) {
    bool found = false;
    for (const sim::World::ImageLoad& load : world.imageLoads)
      found = found || (load.image == icon && load.name == "DEFAULT_ICON" && load.type == IMAGE_ICON &&
                        load.cx == size && load.cy == size);
    Require(found, "the window's " + std::to_string(size) + "-pixel icon is not DEFAULT_ICON loaded at " +
                       std::to_string(size) + " by " + std::to_string(size));
  }
}

}  // namespace

std::string BrokenInside(CRavikConfig& window, const sim::World& world) {
  try {
    CheckLink(window.link, world);
    CheckViews(window);
    CheckIcons(window, world);
  } catch (const Failure& failure) {
    return failure.got;
  }
  return "";
}

std::string BrokenWithoutWindow(const sim::World& world) {
  if (!world.protocolErrors.empty()) return world.protocolErrors.front();
  if (world.OpenHandleCount() != 0) return std::to_string(world.OpenHandleCount()) + " open handles, no window";
  if (world.RegistrationCount() != 0) return std::to_string(world.RegistrationCount()) + " registrations, no window";
  return "";
}

void PlaceToOpen(const sim::World& world, int place[2]) {
  std::int64_t saved[2] = {100, 100};
  const char* const kNames[2] = {"XPos", "YPos"};
  for (int i = 0; i < 2; ++i) {
    std::uint32_t value = 0;
    const sim::Registry::Value* v = world.registry.GetValue("HKCU\\Software\\Kelvane\\zeltfw\\Window", kNames[i]);
    if (v != nullptr && v->AsDword(value)) saved[i] = static_cast<std::int32_t>(value);
  }
  bool seen = false;
  for (const auto& m : world.monitors)
    seen = seen || (saved[0] < std::int64_t{m.x} + m.width && saved[0] + 272 > m.x &&
                    saved[1] < std::int64_t{m.y} + m.height && saved[1] + 188 > m.y);
  place[0] = seen ? static_cast<int>(saved[0]) : 100;
  place[1] = seen ? static_cast<int>(saved[1]) : 100;
}

}  // namespace scenario
