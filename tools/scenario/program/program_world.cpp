#include "tools/scenario/program/program_world.h"

#include <cstring>
#include <ostream>

#include "app/entry.h"
#include "app/ravik_config.h"
#include "config/commands.h"
#include "core/cp1250.h"
#include "lib/view/backend.h"
#include "lib/view/text_rows.h"
#include "lib/view/toolkit.h"
#include "platform/sim/world.h"
#include "tools/scenario/program/inside.h"
#include "tools/simtools/program_version.h"
#include "ui/camera_info_pane.h"

namespace scenario {
namespace {

constexpr std::uint32_t kActionCommand = config::CmdPerformStep;
constexpr std::uint32_t kNextCommand = config::CmdAdvanceStep;

template <typename T, typename Pred>
T* LiveChild(CRavikConfig& window, Pred pred) {
  for (CView* child : window.Children()) {
    auto* view = dynamic_cast<T*>(child);
    if (view != nullptr && !view->IsEnded() && view->IsShown() && pred(*view)) return view;
  }
  return nullptr;
}

template <std::size_t N>
std::string Field(const char (&field)[N]) {
  return Utf8(std::string(field, strnlen(field, N)));
}

// The simulated world's registry, as the scripts name its keys.
class SimRegistry : public Registry {
 public:
  sim::Registry& reg() { return sim::World::Get().registry; }
  bool CreateKey(const std::string& path, bool isVolatile) override { return reg().CreateKey(path, isVolatile); }
  void DeleteKey(const std::string& path) override { reg().DeleteKey(path); }
  bool KeyExists(const std::string& path) override { return reg().KeyExists(path); }
  bool SetDword(const std::string& path, const std::string& name, std::uint32_t value) override {
    return reg().SetValue(path, name, sim::Registry::Value::Dword(value));
  }
  bool SetString(const std::string& path, const std::string& name, const std::string& utf8) override {
    return reg().SetValue(path, name, sim::Registry::Value::String(utf8));
  }
  void DeleteValue(const std::string& path, const std::string& name) override { reg().DeleteValue(path, name); }
  bool SetReadOnly(const std::string& path, bool readOnly) override {
    if (!reg().KeyExists(path)) return false;
    reg().SetReadOnly(path, readOnly);
    return true;
  }
  void RestartMachine() override { reg().RestartMachine(); }
  std::optional<std::uint32_t> Dword(const std::string& path, const std::string& name, std::string& text) override {
    const sim::Registry::Value* value = reg().GetValue(path, name);
    std::uint32_t number = 0;
    if (value == nullptr) {
      text = "absent";
    } else if (value->AsDword(number)) {
      text = std::to_string(number);
      return number;
    } else if (value->type == 1) {
      text = "string " + Quote(Utf8(std::string(value->data.begin(), value->data.end()).c_str()));
    } else {
      text = "type " + std::to_string(value->type) + " " + HexBytes(value->data.data(), value->data.size());
    }
    return std::nullopt;
  }
};

}  // namespace

ProgramWorld::ProgramWorld() : version_(simtools::ProgramVersionResource()) {}

Registry& ProgramWorld::Reg() {
  static SimRegistry registry;
  return registry;
}

sim::World* ProgramWorld::Simulated() { return &sim::World::Get(); }

void ProgramWorld::AddCamera(const CameraCommand& command) {
  std::string error;
  if (!camera_model::AddCamera(sim::World::Get(), command, error)) throw ScriptError{error};
}

void ProgramWorld::SetPower(const std::string& name, bool on) { sim::World::Get().SwitchPower(name, on); }

camera_model::Camera* ProgramWorld::FindCamera(const std::string& name) { return sim::World::Get().FindCamera(name); }

void ProgramWorld::ModuleVersionChanged(const sim::VersionResourceSpec* resource) {
  hasVersion_ = resource != nullptr;
  if (resource != nullptr) version_ = *resource;
  simtools::InstallProgramVersion(sim::World::Get(), hasVersion_ ? &version_ : nullptr);
}

void ProgramWorld::ModuleFolder(const std::string& utf8) {
  sim::World& world = sim::World::Get();
  world.versionResources.erase(world.moduleFileName);
  world.moduleFileName = "C:\\Program Files\\Kelvane\\" + Cp1250OrThrow(utf8) + "\\zeltfw.exe";
  simtools::InstallProgramVersion(world, hasVersion_ ? &version_ : nullptr);
}

CRavikConfig* ProgramWorld::Window() {
  if (!running_ || PBackground == nullptr) return nullptr;
  for (CWindow* window : PBackground->Windows()) {
    auto* main = dynamic_cast<CRavikConfig*>(window);
    if (main != nullptr && main->IsOpen()) return main;
  }
  return nullptr;
}

CButton* ProgramWorld::ButtonOf(Role role) {
  CRavikConfig* window = Window();
  const std::uint32_t command = role == Role::Action ? kActionCommand : kNextCommand;
  return window == nullptr
             ? nullptr
             : LiveChild<CButton>(*window, [command](const CButton& b) { return b.Command() == command; });
}

CComboBox* ProgramWorld::ListOf(ListRole list) {
  CRavikConfig* window = Window();
  const std::size_t items = list == ListRole::Count ? 8 : 2;
  return window == nullptr
             ? nullptr
             : LiveChild<CComboBox>(*window, [items](const CComboBox& b) { return b.Items().size() == items; });
}

std::vector<std::string> ProgramWorld::PaneLines(CCameraInfoPane& pane) {
  std::vector<std::string> lines;
  for (const std::string& line : view::PaintedLines(&pane)) lines.push_back(Utf8(line));
  return lines;
}

Place ProgramWorld::PlaceOf(CView& view) {
  const view::InteriorPoint origin = view::InteriorOrigin(&view);
  return Place{origin.x, origin.y, view.Rect().width, view.Rect().height};
}

Screen ProgramWorld::See() {
  Screen screen;
  CRavikConfig* window = Window();
  if (window == nullptr) return screen;
  screen.open = true;
  screen.title = Utf8(window->Title());
  if (auto* pane = LiveChild<CCameraInfoPane>(*window, [](const CCameraInfoPane&) { return true; })) {
    PaneSeen& seen = screen.pane;
    seen.present = true;
    // Read inside, whatever is drawn.
    seen.fields = {Field(pane->StepTitle),       Field(pane->TextLine1),      Field(pane->TextLine2),
                   Field(pane->TextLine3),       Field(pane->CameraTypeText), Field(pane->CameraIdText),
                   Field(pane->FilterCountText), Field(pane->FilterWheelText)};
    seen.lines = PaneLines(*pane);
    seen.place = PlaceOf(*pane);
  }
  for (Role role : {Role::Action, Role::Next})
    if (CButton* button = ButtonOf(role))
      (role == Role::Action ? screen.action : screen.next) =
          ButtonSeen{true, Utf8(button->Caption()), button->IsEnabled(), PlaceOf(*button)};
  for (ListRole role : {ListRole::Count, ListRole::Wheel}) {
    CComboBox* box = ListOf(role);
    if (box == nullptr) continue;
    ListSeen& list = role == ListRole::Count ? screen.count : screen.wheel;
    list.present = true;
    for (const std::string& item : box->Items()) list.items.push_back(Utf8(item));
    list.shown = box->GetSelection();
    list.open = ListOpen(box);
    list.place = PlaceOf(*box);
  }
  CView* focus = window->IsActive() ? window->FocusedView() : nullptr;
  screen.focus = BoxOpen()                          ? Focus::Box
                 : focus == nullptr                 ? Focus::None
                 : focus == ButtonOf(Role::Action)  ? Focus::Action
                 : focus == ButtonOf(Role::Next)    ? Focus::Next
                 : focus == ListOf(ListRole::Count) ? Focus::CountBox
                 : focus == ListOf(ListRole::Wheel) ? Focus::WheelBox
                                                    : Focus::Other;
  screen.minimized = window->IsMinimized();
  screen.maximized = window->IsMaximized();
  screen.x = window->NormalRect().x;
  screen.y = window->NormalRect().y;
  screen.interiorWidth = window->InteriorWidth();
  screen.interiorHeight = window->InteriorHeight();
  screen.takesInput = !BoxOpen();
  return screen;
}

int ProgramWorld::PipesOpen(const std::string& name) {
  const sim::Camera* camera = sim::World::Get().FindCamera(name);
  return camera != nullptr ? sim::World::Get().PipesOpenTo(*camera) : 0;
}

Inside ProgramWorld::LookInside() {
  const sim::World& world = sim::World::Get();
  Inside inside;
  inside.handles = world.OpenHandleCount();
  inside.handleNames = world.DescribeOpenHandles();
  inside.registrations = world.RegistrationCount();
  CRavikConfig* window = Window();
  if (window == nullptr) {
    inside.broken = BrokenWithoutWindow(world);
    return inside;
  }
  inside.step = window->wizard.WizardStep;
  inside.flags = window->link.LinkFlags;
  inside.linkOpen = (inside.flags & camera::kLinkOpen) != 0;
  inside.lastError = Field(window->link.LastErrorText);
  inside.broken = BrokenInside(*window, world);
  if (inside.broken.empty() && (placeOpened_[0] != placeToOpen_[0] || placeOpened_[1] != placeToOpen_[1]))
    inside.broken = "the window opened at " + std::to_string(placeOpened_[0]) + " " + std::to_string(placeOpened_[1]) +
                    ", not at " + std::to_string(placeToOpen_[0]) + " " + std::to_string(placeToOpen_[1]);
  return inside;
}

std::string ProgramWorld::Counts() {
  const sim::World& world = sim::World::Get();
  return std::to_string(world.OpenHandleCount()) + " handles, " + std::to_string(world.RegistrationCount()) +
         " registrations";
}

// The open window; the player made sure it is.
static CRavikConfig& Opened(CRavikConfig* window) {
  if (window == nullptr) throw ExpectFailure{"window open", "closed"};
  return *window;
}

void ProgramWorld::Event(std::uint32_t eventClass, std::uint32_t command) {
  Opened(Window()).UserCommand(eventClass, command);
}

void ProgramWorld::DeviceMessage(std::uintptr_t code, const std::vector<std::uint8_t>& header) {
  view::PostNativeMessage(Opened(Window()).GetHandle(), WM_DEVICECHANGE, code, header);
}

void ProgramWorld::Move(int x, int y) { Opened(Window()).MoveTo(x, y); }

int ProgramWorld::RunProgram(int showCommand) {
  PlaceToOpen(sim::World::Get(), placeToOpen_);
  running_ = true;
  ended_ = false;
  firstWaitSeen_ = false;
  char commandLine[] = "";
  exitCode_ = WinMain(sim::World::ProgramInstance(), nullptr, commandLine, showCommand);
  running_ = false;
  ended_ = true;
  return exitCode_;
}

void ProgramWorld::FirstWait() {
  if (firstWaitSeen_) return;
  firstWaitSeen_ = true;
  startCounts_ = Counts();
  if (CRavikConfig* window = Window()) {
    placeOpened_[0] = window->NormalRect().x;
    placeOpened_[1] = window->NormalRect().y;
  }
}

void ProgramWorld::Describe(std::ostream& out) {
  out << "registry:\n";
  for (const char* root : {"HKCU\\Software\\Kelvane", "HKLM\\SYSTEM\\CurrentControlSet\\Services"})
    for (const std::string& line : sim::World::Get().registry.Dump(root)) out << "  " << line << "\n";
}

}  // namespace scenario
