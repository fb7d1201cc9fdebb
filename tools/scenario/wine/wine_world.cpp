#include "tools/scenario/wine/wine_world.h"

#include <windows.h>

#include <ostream>

#include "platform/real/live_objects.h"
#include "platform/sim/world.h"
#include "tools/camera_emulator/emulator.h"
#include "tools/camera_emulator/win_handles.h"
#include "tools/scenario/wine/program.h"
#include "tools/scenario/wine/registry.h"
#include "tools/scenario/wine/screenshot.h"
#include "tools/scenario/wine/windows_of.h"

namespace scenario {
namespace {

using wine::Control;
using wine::List;
using wine::Program;

// The prefix's registry, as the scripts name its keys.
class WineRegistry : public Registry {
 public:
  bool CreateKey(const std::string& path, bool isVolatile) override {
    return Checked(path) && wine::CreateKey(path, isVolatile);
  }
  void DeleteKey(const std::string& path) override {
    if (Checked(path)) wine::DeleteKey(path);
  }
  bool KeyExists(const std::string& path) override { return wine::KeyExists(path); }
  bool SetDword(const std::string& path, const std::string& name, std::uint32_t value) override {
    return Checked(path) && wine::SetDword(path, name, value);
  }
  bool SetString(const std::string& path, const std::string& name, const std::string& utf8) override {
    return Checked(path) && wine::SetString(path, name, utf8);
  }
  void DeleteValue(const std::string& path, const std::string& name) override {
    if (Checked(path)) wine::DeleteValue(path, name);
  }
  std::optional<std::uint32_t> Dword(const std::string& path, const std::string& name, std::string& text) override {
    std::optional<std::uint32_t> number;
    text = wine::ValueText(path, name, number);
    return number;
  }
  bool SetReadOnly(const std::string& path, bool readOnly) override {
    return Checked(path) && wine::SetReadOnly(path, readOnly);
  }
  void RestartMachine() override { wine::DropVolatileKeys(); }

 private:
  static bool Checked(const std::string& path) {
    HKEY root = nullptr;
    std::wstring subKey;
    if (!wine::SplitRegistryPath(path, root, subKey)) throw ScriptError{"not a key of HKLM or HKCU: " + path};
    return true;
  }
};

// The pane's fields from its lines as read aloud: title and instruction
// first; then the four labelled values (facts) or two more lines (message).
PaneSeen ReadPane(const std::vector<std::wstring>& lines) {
  static const wchar_t* const kLabels[] = {L"Typ kamery:", L"ID kamery:", L"Po\u010det filtr\u016f:",
                                           L"Filtrov\u00e9 kolo:"};
  PaneSeen pane;
  pane.present = true;
  for (const std::wstring& line : lines) pane.lines.push_back(wine::Narrow(line));
  auto line = [&lines](std::size_t i) { return i < lines.size() ? lines[i] : std::wstring(); };
  pane[PaneField::Title] = wine::Narrow(line(0));
  pane[PaneField::Line1] = wine::Narrow(line(1));
  if (line(2).rfind(kLabels[0], 0) != 0) {
    pane[PaneField::Line2] = wine::Narrow(line(2));
    pane[PaneField::Line3] = wine::Narrow(line(3));
    return pane;
  }
  pane[PaneField::Line3] = std::string();  // the facts layout is the one with an empty third line
  static const PaneField kFacts[] = {PaneField::Type, PaneField::Id, PaneField::Count, PaneField::Wheel};
  for (std::size_t row = 0; row < 4; ++row) {
    std::wstring text = line(2 + row);
    const std::wstring label = kLabels[row];
    if (text.rfind(label, 0) != 0) continue;
    text = text.substr(label.size());
    if (!text.empty() && text.front() == L' ') text.erase(0, 1);
    pane[kFacts[row]] = wine::Narrow(text);
  }
  return pane;
}

// A caption a screen reader reads otherwise is no caption the checks accept.
std::string AsRead(const std::wstring& shown, const std::wstring& read) {
  return read == shown ? wine::Narrow(shown)
                       : wine::Narrow(shown) + " (a screen reader reads \"" + wine::Narrow(read) + "\")";
}

// Every resource of the program but its version resource, for a copy that
// starts from none.
struct ResourceCopy {
  HMODULE from;
  HANDLE to;
  bool done = true;
};

BOOL CALLBACK CopyLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param) {
  auto* copy = reinterpret_cast<ResourceCopy*>(param);
  HRSRC found = FindResourceExW(module, type, name, language);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr || !UpdateResourceW(copy->to, type, name, language, data, SizeofResource(module, found)))
    copy->done = false;
  return TRUE;
}

BOOL CALLBACK CopyName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
  EnumResourceLanguagesW(module, type, name, CopyLanguage, param);
  return TRUE;
}

BOOL CALLBACK CopyType(HMODULE module, LPWSTR type, LONG_PTR param) {
  if (!IS_INTRESOURCE(type) || type != MAKEINTRESOURCEW(16)) EnumResourceNamesW(module, type, CopyName, param);
  return TRUE;
}

// What is not the window nor its box; the screenshot script makes it transparent.
constexpr std::uint32_t kOutside = 0xFF00FF;

// Waits until the window has painted everything invalid in it, or 5 s passed.
void Painted(HWND hwnd) {
  const ULONGLONG end = GetTickCount64() + 5000;
  while (IsWindow(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE) && GetTickCount64() < end) Sleep(5);
}

Place PlaceOf(const RECT& r) { return Place{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

bool Within(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// How long a check waits for what a power cut or return brings; Windows
// sends the device message when it will, and the emulated x86 Wine is slow.
constexpr ULONGLONG kChangeBound = 20000;

}  // namespace

WineWorld::WineWorld(std::wstring exe, unsigned long busWait) : exe_(std::move(exe)) {
  cameras_ = std::make_unique<camera_emulator::Emulator>(busWait);
  wine::ResetRegistry();
}

WineWorld::~WineWorld() {
  program_.reset();  // closes a program still running while its cameras live
  cameras_.reset();
}

unsigned WineWorld::Abilities() const {
  const unsigned notifications = BusMissing().empty() ? static_cast<unsigned>(kNotifications) : 0u;
  return kKeys | kScreenshots | kMaximize | kRestart | notifications;
}

const std::string& WineWorld::BusMissing() const { return cameras_->BusMissing(); }

void WineWorld::BusFailed() {
  const std::string error = cameras_->TakeBusError();
  if (!error.empty()) throw WorldStuck{"the camera bus: " + error};
}

// The device message goes out once the camera's pipes have followed its
// power, and the program takes it when Windows delivers it: meanwhile it
// shows what it showed before, and a person may have acted since. So any
// failed check waits once a camera's power has changed in this world. The
// boxes the message brings are taken as they come.
bool WineWorld::AwaitChange(bool first, std::string& waited) {
  BusFailed();
  if (cameras_->PowerChanges() == 0) return false;
  const ULONGLONG now = GetTickCount64();
  if (first) awaitStart_ = now;
  if (now - awaitStart_ >= kChangeBound) {
    waited = "waited " + std::to_string(kChangeBound / 1000) +
             " s for it; the last power cut or return: " + cameras_->LastPowerChange();
    return false;
  }
  Sleep(20);
  if (program_ != nullptr && program_->Running()) program_->Settle();
  return true;
}

Registry& WineWorld::Reg() {
  static WineRegistry registry;
  return registry;
}

void WineWorld::AddCamera(const CameraCommand& command) {
  std::string error;
  if (!camera_model::AddCamera(*cameras_, command, error)) throw ScriptError{error};
  BusFailed();
}

void WineWorld::SetPower(const std::string& name, bool on) {
  cameras_->SwitchPower(name, on);
  BusFailed();
}
camera_model::Camera* WineWorld::FindCamera(const std::string& name) { return cameras_->Find(name); }
int WineWorld::PipesOpen(const std::string& name) { return cameras_->PipesOpen(name); }

void WineWorld::WithCameras(const std::function<void()>& use) {
  camera_emulator::Locked lock(cameras_->Model());
  use();
}

void WineWorld::FaultsChanged(const std::string& name) { cameras_->FaultsChanged(name); }

void WineWorld::WorldChanged() {
  if (program_ != nullptr && program_->WindowOpen()) program_->Settle();
}

void WineWorld::ModuleVersionChanged(const sim::VersionResourceSpec* resource) {
  hasVersion_ = resource != nullptr;
  version_ = std::make_unique<sim::VersionResourceSpec>(resource != nullptr ? *resource : sim::VersionResourceSpec());
}

void WineWorld::ModuleFolder(const std::string& utf8) { folder_ = wine::Wide(utf8); }

void WineWorld::Start(int showCommand) {
  program_ = std::make_unique<Program>(ProgramFile());
  boxesTaken_ = 0;
  program_->HoldBoxes(holdBoxes_);
  program_->Start(showCommand);
}

bool WineWorld::Running() { return program_ != nullptr && program_->Running(); }

Program& WineWorld::Open() {
  if (program_ == nullptr || !program_->WindowOpen())
    throw ExpectFailure{"window open", program_ == nullptr ? "no window (not started)" : "no window (closed)"};
  return *program_;
}

void WineWorld::Click(Role role) {
  Control button;
  if (!Open().Button(role == Role::Action, button)) throw ExpectFailure{"a button to press", "absent"};
  program_->Click(button);
}

// mouse opens the list with a click, arrows to the item and takes it with
// Enter; keyboard tabs to the closed list and arrows; cancel arrows in the
// open list and leaves it with Esc, which only closes it: each arrow chose.
void WineWorld::Choose(ListRole role, int item, ChooseWay way) {
  List list;
  if (!Open().ListOf(role == ListRole::Count ? wine::kCountItems : wine::kWheelItems, list))
    throw ExpectFailure{"a list to choose from", "absent"};
  if (way == ChooseWay::Keyboard)
    program_->ChooseByKeyboard(list, item);
  else
    program_->ChooseByMouse(list, item, way == ChooseWay::Cancel);
}

void WineWorld::Command(WindowCommand command) {
  Program& program = Open();
  switch (command) {
    case WindowCommand::Close:
      return program.Close();
    case WindowCommand::About:
      return program.About();
    case WindowCommand::Minimize:
      return program.Command(SC_MINIMIZE);
    case WindowCommand::Maximize:
      return program.Command(SC_MAXIMIZE);
    case WindowCommand::Restore:
      return program.Command(SC_RESTORE);
  }
}
void WineWorld::Move(int x, int y) { Open().Move(x, y); }
void WineWorld::Key(const KeyPress& press) { Open().Key(press); }

void WineWorld::HoldBoxes(bool hold) {
  holdBoxes_ = hold;
  if (program_ != nullptr) program_->HoldBoxes(hold);
}

bool WineWorld::BoxOpen() { return program_ != nullptr && program_->OpenBox() != nullptr; }

void WineWorld::AnswerBox() {
  program_->AnswerBox();
  program_->Settle();
}

const std::vector<BoxSeen>& WineWorld::Boxes() {
  if (program_ != nullptr)
    for (const std::vector<BoxSeen>& seen = program_->Boxes(); boxesTaken_ < seen.size(); ++boxesTaken_)
      boxes_.push_back(seen[boxesTaken_]);
  return boxes_;
}

std::optional<int> WineWorld::ExitCode() {
  DWORD code = 0;
  if (program_ == nullptr || program_->Running() || !program_->Exited(5000, &code)) return std::nullopt;
  return static_cast<std::int32_t>(code);
}

Screen WineWorld::See() {
  Screen screen;
  if (program_ == nullptr || !program_->WindowOpen()) return screen;
  Program& program = *program_;
  screen.open = true;
  screen.title = wine::Narrow(program.Title());
  const std::vector<std::wstring> lines = program.PaneLines();
  if (!lines.empty()) screen.pane = ReadPane(lines);
  RECT pane = {};
  if (screen.pane.present && program.PanePlace(pane)) screen.pane.place = PlaceOf(pane);
  const HWND focus = program.Focus();
  for (bool action : {true, false}) {
    Control button;
    if (!program.Button(action, button)) continue;
    (action ? screen.action : screen.next) =
        ButtonSeen{true, AsRead(button.text, button.spoken.name), button.enabled, PlaceOf(button.rect)};
    if (button.hwnd == focus) screen.focus = action ? Focus::Action : Focus::Next;
  }
  for (bool count : {true, false}) {
    List found;
    if (!program.ListOf(count ? wine::kCountItems : wine::kWheelItems, found)) continue;
    ListSeen& list = count ? screen.count : screen.wheel;
    list.present = true;
    for (const std::wstring& item : found.items) list.items.push_back(wine::Narrow(item));
    list.shown = found.shown;
    if (found.spoken.ShownItem() != found.text) list.misread = wine::Narrow(found.spoken.ShownItem());
    list.open = SendMessageW(found.hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    list.place = PlaceOf(found.rect);  // a combo box's window holds the field; the open list is a window of its own
    if (found.hwnd == focus) screen.focus = count ? Focus::CountBox : Focus::WheelBox;
  }
  if (program.OpenBox() != nullptr) screen.focus = Focus::Box;
  screen.minimized = program.Minimized();
  screen.maximized = program.Maximized();
  screen.placeKnown = !screen.minimized && !screen.maximized;
  const POINT at = program.Position();
  screen.x = at.x;
  screen.y = at.y;
  RECT client = {};
  GetClientRect(program.Window(), &client);
  screen.interiorWidth = client.right;
  screen.interiorHeight = client.bottom;
  screen.takesInput = program.Enabled();
  return screen;
}

// The program's live counts. Windows come and go with a step's views: they
// count while the window holds as many controls as once it had started.
std::string WineWorld::Counts(bool atStart) {
  if (program_ == nullptr) return "not started";
  const bool sameViews = program_->Controls() == program_->StartControls();
  std::string text;
  for (int kind = 0; kind < static_cast<int>(win::live::LiveKind::Count); ++kind) {
    if (kind == static_cast<int>(win::live::LiveKind::Window) && !sameViews) continue;
    const long count = atStart ? program_->StartCounts()[static_cast<std::size_t>(kind)] : program_->LiveCount(kind);
    text += (text.empty() ? "" : ", ") + std::string(win::live::kLiveKindNames[kind]) + " " + std::to_string(count);
  }
  return text;
}

void WineWorld::Describe(std::ostream& out) {
  if (program_ != nullptr && program_->WindowOpen()) {
    const POINT at = program_->Position();
    out << "window's rectangle at " << at.x << " " << at.y << "\n";
  }
  if (cameras_->PowerChanges() != 0)
    out << "power cuts and returns: " << cameras_->PowerChanges() << ", the last: " << cameras_->LastPowerChange()
        << "\n";
  if (!BusMissing().empty()) out << "no device messages: " << BusMissing() << "\n";
  camera_emulator::Locked lock(cameras_->Model());
  for (const std::string& name : cameras_->Names())
    if (cameras_->Has(name)) out << "camera " << name << " path " << cameras_->PathOf(name) << "\n";
}

std::wstring WineWorld::ProgramFile() {
  std::wstring file = exe_;
  if (version_ != nullptr) {
    file = exe_.substr(0, exe_.size() - 4) + L"-version.exe";
    if (!CopyFileW(exe_.c_str(), file.c_str(), FALSE)) throw ScriptError{"cannot copy zeltfw.exe"};
    HMODULE program = LoadLibraryExW(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HANDLE update = BeginUpdateResourceW(file.c_str(), TRUE);
    if (program == nullptr || update == nullptr) throw ScriptError{"cannot change the copy's resources"};
    ResourceCopy resources{program, update};
    EnumResourceTypesW(program, CopyType, reinterpret_cast<LONG_PTR>(&resources));
    FreeLibrary(program);
    const std::vector<std::uint8_t> block = sim::BuildVersionBlock(*version_);
    if (hasVersion_ &&
        !UpdateResourceW(update, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT),
                         const_cast<std::uint8_t*>(block.data()), static_cast<DWORD>(block.size())))
      resources.done = false;
    if (!EndUpdateResourceW(update, !resources.done) || !resources.done)
      throw ScriptError{"cannot write the copy's resources"};
  }
  if (folder_.empty()) return file;
  // The same file in a folder of the script's name beside it.
  const std::wstring folder = exe_.substr(0, exe_.find_last_of(L"\\/") + 1) + folder_;
  const std::wstring moved = folder + L"\\zeltfw.exe";
  CreateDirectoryW(folder.c_str(), nullptr);
  if (!CopyFileW(file.c_str(), moved.c_str(), FALSE)) throw ScriptError{"cannot copy zeltfw.exe into the folder"};
  return moved;
}

// The main window with its frame as the screen shows it, and the message box
// open over it, if any, into a 24-bit BMP (relative to the current folder);
// fewer than three colours of its own are a blank window.
void WineWorld::Shot(const std::string& file, const std::string& what) {
  if (what != "window") throw ScriptError{"under Wine a shot takes the window and its box"};
  Program& program = Open();
  // The pointer off the window: a button it was left over would be drawn hot
  // in one picture and not in the next, as the hover happened to be handled.
  SetCursorPos(0, 0);
  program.Settle();
  const HWND window = program.Window();
  const HWND box = program.OpenBox();
  Painted(window);
  RECT area = {};
  GetWindowRect(window, &area);
  const RECT windowRect = area;
  RECT boxRect = {};
  if (box != nullptr) {
    Painted(box);
    GetWindowRect(box, &boxRect);
    UnionRect(&area, &windowRect, &boxRect);
  }
  GdiFlush();
  Sleep(50);  // the X server shows what was just drawn
  wine::Picture picture;
  if (!wine::CaptureArea(area, &picture)) throw ScriptError{"the screen cannot be read for the shot"};
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int sx = area.left + x;
      const int sy = area.top + y;
      if (!Within(windowRect, sx, sy) && !(box != nullptr && Within(boxRect, sx, sy)))
        picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = kOutside;
    }
  }
  // The window as drawn: the outside colour, the face, a frame and texts.
  const std::size_t colours = picture.DistinctColours();
  if (colours < 4) throw ExpectFailure{"a picture of the window", std::to_string(colours - 1) + " colour(s): blank"};
  if (!picture.Save(wine::Wide(file))) throw ScriptError{"cannot write " + file};
}

}  // namespace scenario
