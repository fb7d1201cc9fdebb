// A world a scenario script plays in: the simulated one (the program on the
// simulated platform with the headless backend), zeltfw.exe under Wine with
// emulated cameras and real input, or the Linux desktop program (FLTK). The
// player parses every line and plays it through this interface; each world
// says what it can do beyond what every world does, and the player passes
// over (or refuses) the lines that need more.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/version_block.h"
#include "tools/scenario/cameras.h"
#include "tools/scenario/keys.h"

class CRavikConfig;
namespace sim {
class World;
}  // namespace sim

namespace scenario {

// What a world can do beyond what every world does.
enum Ability : unsigned {
  kSimulatedPlatform = 1,  // the world is sim::World: administrator rights, platforms, driver and library faults, ...
  kLooksInside = 2,        // the program's own objects: step, link, flags, handles, every pane field, ...
  kBaseMessages = 4,       // what reached the base window's ReceiveMsg
  kScreenshots = 8,        // shot FILE
  kPanel = 16,             // the Virtual camera window: read NAME, expect changed
  kStartupShow = 32,       // the start-up show command reaches the first show of the window
  kKeys = 64,              // key: keys pressed as a person presses them
  kMaximize = 128,         // maximize
  kRestart = 256,          // start again once the program ended
  kNotifications = 512,    // a camera's power cut or return after the start reaches the program
};

// Where a view lies in the window's interior, as the screen shows it (a
// list without its open drop-down).
struct Place {
  int x = 0, y = 0, width = 0, height = 0;
};
// A push button or drop-down list as a person sees it (texts UTF-8).
struct ButtonSeen {
  bool present = false;
  std::string caption;
  bool enabled = false;
  Place place;
};
struct ListSeen {
  bool present = false;
  std::vector<std::string> items;
  int shown = 0;  // 1-based; 0: none
  bool open = false;
  std::string misread;  // what a screen reader reads of it when that is not what it shows
  Place place;
};
// The information pane's fields: the step title, the three lines of text,
// and the camera's four facts; named in scripts as kPaneFieldNames says.
enum class PaneField { Title, Line1, Line2, Line3, Type, Id, Count, Wheel };
inline constexpr std::size_t kPaneFields = 8;
inline constexpr const char* kPaneFieldNames[kPaneFields] = {"title", "line1", "line2", "line3",
                                                             "type",  "id",    "count", "wheel"};
// The information pane: each field's text where the world can read it (a
// world that reads the screen knows only what the present layout draws), and
// its lines as read aloud.
struct PaneSeen {
  bool present = false;
  std::array<std::optional<std::string>, kPaneFields> fields;
  std::optional<std::string>& operator[](PaneField field) { return fields[static_cast<std::size_t>(field)]; }
  const std::optional<std::string>& operator[](PaneField field) const {
    return fields[static_cast<std::size_t>(field)];
  }
  std::vector<std::string> lines;
  Place place;
};
// Where the keys go: a control of the window, an open message box, or
// nowhere in particular (the window itself has the focus, or it is not
// active); named in scripts as kFocusNames says. Other: a view no script names.
enum class Focus { None, Action, Next, CountBox, WheelBox, Box, Other };
inline constexpr const char* kFocusNames[] = {"none", "action", "next", "countbox", "wheelbox", "box", "another view"};
inline const char* FocusName(Focus focus) { return kFocusNames[static_cast<int>(focus)]; }
// The main window, now.
struct Screen {
  bool open = false;
  std::string title;
  PaneSeen pane;
  ButtonSeen action, next;  // the left and the right button
  ListSeen count, wheel;
  Focus focus = Focus::None;
  bool minimized = false, maximized = false;
  bool placeKnown = true;  // the place below is the window's normal place
  int x = 0, y = 0;
  int interiorWidth = 0, interiorHeight = 0;
  bool takesInput = true;  // false while a modal box keeps it
};
// A message box as it was seen (texts UTF-8).
struct BoxSeen {
  std::string title;
  std::string lines[3];
  std::string icon;      // info, stop, about, or what it looked like
  bool textFits = true;  // its lines are not wrapped
};

// What only a world that runs the program in this process can look at
// (kLooksInside), while its window is open.
struct Inside {
  int step = 0;  // WizardStep
  bool linkOpen = false;
  std::uint32_t flags = 0;  // LinkFlags
  std::string lastError;    // LastErrorText, UTF-8
  std::size_t handles = 0;  // of the simulated platform the program holds
  std::vector<std::string> handleNames;
  std::size_t registrations = 0;  // device notification registrations
  std::string broken;             // what must hold after any event and does not; empty when all holds
};

enum class Role { Action, Next };
enum class ListRole { Count, Wheel };
enum class ChooseWay { Mouse, Keyboard, Cancel };
// What a person does to the window itself: its close box, the system menu's
// About item, the caption's boxes.
enum class WindowCommand { Close, About, Minimize, Maximize, Restore };

// The registry as the world has it: the simulated one or the prefix's.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool CreateKey(const std::string& path,
                         bool isVolatile = false) = 0;  // the keys it makes volatile when asked
  virtual void DeleteKey(const std::string& path) = 0;  // absent already: fine
  virtual bool KeyExists(const std::string& path) = 0;
  virtual bool SetDword(const std::string& path, const std::string& name, std::uint32_t value) = 0;
  virtual bool SetString(const std::string& path, const std::string& name, const std::string& utf8) = 0;
  virtual void DeleteValue(const std::string& path, const std::string& name) = 0;
  // The value as a DWORD; nothing when absent. text describes it (absent, 1, string "x", ...).
  virtual std::optional<std::uint32_t> Dword(const std::string& path, const std::string& name, std::string& text) = 0;
  // From now on the existing key opens for reading only (the program's opens
  // asking to change it are refused), or as before; false: no such key.
  virtual bool SetReadOnly(const std::string& path, bool readOnly) = 0;
  // The machine restarts: the keys created volatile are gone.
  virtual void RestartMachine() = 0;
};

// Something the program did not do in time or a world could not do: the
// script cannot go on (reported as a failure with the state).
struct WorldStuck {
  std::string what;
};

class World {
 public:
  virtual ~World() = default;
  virtual unsigned Abilities() const = 0;
  bool Can(unsigned ability) const { return (Abilities() & ability) == ability; }

  // Worlds that run the program in this process call this whenever the
  // program waits for input: the player plays its next line there; false
  // from it ends the program as a person would.
  void OnIdle(std::function<bool()> playNext) { playNext_ = std::move(playNext); }

  // The world's pieces.
  virtual Registry& Reg() = 0;
  virtual sim::World* Simulated() { return nullptr; }  // kSimulatedPlatform
  virtual Inside LookInside() { return Inside(); }     // kLooksInside
  // The cameras: the model is locked while `use` runs (another thread may answer the program).
  virtual void AddCamera(const CameraCommand& command) = 0;
  virtual void SetPower(const std::string& name, bool on) = 0;
  virtual camera_model::Camera* FindCamera(const std::string& name) = 0;
  // The camera's pipes (0 to 3) the program holds open, as the camera sees them.
  virtual int PipesOpen(const std::string& name) = 0;
  virtual void WithCameras(const std::function<void()>& use) { use(); }
  virtual void FaultsChanged(const std::string&) {}  // a fault of the pipes changed
  virtual void WorldChanged() {}                     // settle after the world changed
  // Where device messages reach the program whenever Windows sends them
  // (Wine): a check that failed while a power cut or return may still be on
  // its way to the program waits for it. True: check again; false: give up,
  // with what was waited for in waited (empty: nothing was on its way).
  // first: the check's first failure.
  virtual bool AwaitChange(bool first, std::string& waited) {
    (void)first;
    (void)waited;
    return false;
  }
  virtual void ModuleVersionChanged(const sim::VersionResourceSpec* resource) = 0;  // null: none
  virtual void ModuleFolder(const std::string& utf8) = 0;

  // The user. Each returns once the program has handled it; a person who
  // cannot do it (the window closed, a button absent or disabled) is a
  // failure the player reports. Start returns when the program ended
  // (in-process worlds) or its window is up (Wine).
  virtual void Start(int showCommand) = 0;
  virtual bool Running() = 0;
  virtual void Click(Role role) = 0;
  virtual void Choose(ListRole list, int item, ChooseWay way) = 0;  // item 1-based
  virtual void Command(WindowCommand command) = 0;
  virtual void Event(std::uint32_t eventClass, std::uint32_t command);  // kSimulatedPlatform
  // A raw WM_DEVICECHANGE such as no system sends (kSimulatedPlatform).
  virtual void DeviceMessage(std::uintptr_t code, const std::vector<std::uint8_t>& header);
  virtual void Move(int x, int y) = 0;
  virtual void Key(const KeyPress& press);  // kKeys
  virtual void HoldBoxes(bool hold) = 0;
  virtual bool BoxOpen() = 0;
  virtual void AnswerBox() = 0;
  // kScreenshots: a picture of the window (with its open box), the panel or
  // the whole screen, checked not to be blank; a pause for the screen to settle.
  virtual void Shot(const std::string&, const std::string& what) { (void)what; }
  virtual void Wait(int milliseconds) { (void)milliseconds; }
  virtual void Read(const std::string&) {}  // kPanel

  // What a person sees.
  virtual Screen See() = 0;
  virtual const std::vector<BoxSeen>& Boxes() = 0;  // every box of this script, oldest first
  virtual std::optional<int> ExitCode() = 0;        // once the program ended
  // The program's live objects: once it had started, and now ("gdi 3, ...").
  virtual std::string StartCounts() = 0;
  virtual std::string Counts() = 0;
  // The device-change messages that reached the base window's ReceiveMsg since
  // the last call, each with whether lParam pointed to a record (kBaseMessages).
  virtual std::vector<std::pair<std::uintptr_t, bool>> BaseMessages() { return {}; }
  // The panel's marks: the addresses changed since its last reading (kPanel).
  virtual std::vector<std::uint32_t> PanelChanges(const std::string&) { return {}; }
  // What else the world can tell of itself, for `dump` and failures.
  virtual void Describe(std::ostream&) {}

 protected:
  bool PlayNext() { return playNext_ ? playNext_() : false; }

 private:
  std::function<bool()> playNext_;
};

}  // namespace scenario
