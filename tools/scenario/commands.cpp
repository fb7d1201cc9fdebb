// The script's commands for the world and the user. Each parser reads its
// words into the command that plays them on the player's world.
#include <cstdint>

#include "platform/sim/world.h"
#include "tools/scenario/module_version.h"
#include "tools/scenario/player.h"

namespace scenario {
namespace {

using Kind = Player::Kind;

// A setting of the simulated platform. Every other world is a Windows as the
// program meets it on a customer's machine (an administrator's, NT, its file
// name readable, drivers and advapi32 as installed): setting what such a
// Windows already is plays anywhere and changes nothing there; anything else
// needs the simulated platform.
Command SimulatedSetting(bool asEveryWindows, std::function<void(sim::World&)> set) {
  return Plays(
      [set](Player& p) {
        if (sim::World* world = p.world.Simulated()) set(*world);
      },
      asEveryWindows ? 0u : static_cast<unsigned>(kSimulatedPlatform));
}

// --- The world ---------------------------------------------------------------

Command Admin(Parsing&, const Args& a) {
  a.Exactly(1);
  const bool yes = a.Choice(0, {"yes", "no"}) == 0;
  return SimulatedSetting(yes, [yes](sim::World& world) { world.admin = yes; });
}

Command Platform(Parsing&, const Args& a) {
  a.Exactly(1);
  static const sim::World::Platform kPlatforms[] = {sim::World::Platform::Nt, sim::World::Platform::Win9x,
                                                    sim::World::Platform::Other, sim::World::Platform::Fail};
  const sim::World::Platform platform = kPlatforms[a.Choice(0, {"nt", "9x", "other", "fail"})];
  return SimulatedSetting(platform == sim::World::Platform::Nt,
                          [platform](sim::World& world) { world.platform = platform; });
}

// monitors X Y WIDTH HEIGHT ... | none: the screen's monitors, the first one primary.
Command Monitors(Parsing&, const Args& a) {
  a.Between(1, SIZE_MAX);
  std::vector<sim::World::Monitor> monitors;
  if (!(a.Count() == 1 && a.Text(0) == "none" && !a.At(0).quoted)) {
    if (a.Count() % 4 != 0) throw ScriptError{"monitors takes X Y WIDTH HEIGHT for each monitor"};
    for (std::size_t i = 0; i < a.Count(); i += 4)
      monitors.push_back(sim::World::Monitor{static_cast<std::int32_t>(a.Number(i, INT32_MIN, INT32_MAX, "x")),
                                             static_cast<std::int32_t>(a.Number(i + 1, INT32_MIN, INT32_MAX, "y")),
                                             static_cast<std::int32_t>(a.Number(i + 2, 1, INT32_MAX, "width")),
                                             static_cast<std::int32_t>(a.Number(i + 3, 1, INT32_MAX, "height"))});
  }
  return SimulatedSetting(false, [monitors](sim::World& world) { world.monitors = monitors; });
}

Command Camera(Parsing& parsing, const Args& a) {
  // A power change the program is running to see needs its device messages to reach it.
  const unsigned seen = parsing.Started() ? static_cast<unsigned>(kNotifications) : 0u;
  if (a.Count() >= 2 && a.Text(1) == "power") {
    a.Exactly(3);
    const bool on = a.Choice(2, {"on", "off"}) == 0;
    const std::string name = a.Text(0);
    parsing.NeedCamera(name);
    return Plays(
        [name, on](Player& p) {
          p.world.SetPower(name, on);
          p.world.WorldChanged();
        },
        seen);
  }
  if (a.Count() >= 2 && a.Text(1) == "port") {
    // camera NAME port N: plugged into another port, where Windows gives it another device path.
    a.Exactly(3);
    const auto port = static_cast<int>(a.Number(2, 0, 99, "port"));
    const std::string name = a.Text(0);
    parsing.NeedCamera(name);
    return Plays(
        [name, port](Player& p) {
          if (!p.world.Simulated()->MoveToPort(p.CameraFor(name), port))
            throw ScriptError{"camera " + Quote(name) + " has power: cut it before plugging it in elsewhere"};
        },
        kSimulatedPlatform);
  }
  const CameraCommand command = ParseCameraCommand(a);
  parsing.AddCamera(command.name);
  return Plays(
      [command](Player& p) {
        p.world.AddCamera(command);
        p.world.WorldChanged();
      },
      command.power ? seen : 0u);
}

// A line about one camera (words[0]), played with the cameras' model locked.
Command OnCamera(Parsing& parsing, const Args& a, CameraAction act) {
  const std::string name = a.Count() > 0 ? a.Text(0) : std::string();
  parsing.NeedCamera(name);
  return Plays([name, act](Player& p) { p.world.WithCameras([&] { act(p.CameraFor(name)); }); });
}

Command Poke(Parsing& parsing, const Args& a) { return OnCamera(parsing, a, Poke(a)); }

Command Snapshot(Parsing& parsing, const Args& a) {
  a.Exactly(1);
  return OnCamera(parsing, a, [](camera_model::Camera& camera) { camera.Snapshot(); });
}

Command FaultCommand(Parsing& parsing, const Args& a) {
  const FaultLine fault = Fault(a);
  Command command = OnCamera(parsing, a, fault.act);
  // A cut the camera makes itself goes out as a removal like any other.
  if (fault.cutsPower) command.needs |= kNotifications;
  if (fault.pipes) {
    const std::string name = a.Text(0);
    command.play = [name, act = std::move(command.play)](Player& p) {
      act(p);
      p.world.FaultsChanged(name);
    };
  }
  return command;
}

Command Regkey(Parsing&, const Args& a) {
  a.Exactly(2);
  const std::size_t action = a.Choice(0, {"create", "delete", "readonly", "writable", "volatile"});
  const std::string path = a.Text(1);
  return Plays([action, path](Player& p) {
    if (action == 2 || action == 3) {
      // The key opens for reading only: the program's writes under it fail with access denied.
      if (!p.world.Reg().SetReadOnly(path, action == 2)) throw ScriptError{"no key " + Quote(path)};
      return;
    }
    if ((action == 0 || action == 4) && !p.world.Reg().CreateKey(path, action == 4))
      throw ScriptError{"cannot create key " + Quote(path)};
    if (action == 1) p.world.Reg().DeleteKey(path);  // a key already absent is what was asked for
  });
}

Command Reg(Parsing&, const Args& a) {
  a.Between(3, 4);
  const std::string path = a.Text(0);
  const std::string name = a.Text(1);
  const std::size_t kind = a.Choice(2, {"dword", "string", "delete"});
  std::uint32_t number = 0;
  a.Exactly(kind == 2 ? 3 : 4);
  if (kind == 0) number = static_cast<std::uint32_t>(a.Number(3, INT32_MIN, UINT32_MAX, "dword"));
  if (kind == 1) a.Cp1250(3);  // refuses a character Windows-1250 lacks rather than storing '?'
  const std::string text = kind == 1 ? a.Text(3) : std::string();
  return Plays([path, name, kind, number, text](Player& p) {
    Registry& reg = p.world.Reg();
    if (kind == 2) return reg.DeleteValue(path, name);  // a value already absent is what was asked for
    // A value needs its key; scripts need not create it first.
    if (!reg.KeyExists(path) && !reg.CreateKey(path)) throw ScriptError{"cannot create key " + Quote(path)};
    if (!(kind == 0 ? reg.SetDword(path, name, number) : reg.SetString(path, name, text)))
      throw ScriptError{"cannot set " + Quote(name) + " under " + Quote(path)};
  });
}

// machine restart: the computer restarts; the keys created volatile are gone.
Command Machine(Parsing&, const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"restart"});
  return Plays([](Player& p) {
    if (p.world.Running()) throw ScriptError{"the program is running: close it before the machine restarts"};
    p.world.Reg().RestartMachine();
  });
}

// module version ... | filename fail|ok | folder NAME
Command Module(Parsing&, const Args& a) {
  a.Between(2, SIZE_MAX);
  const std::size_t what = a.Choice(0, {"version", "filename", "folder"});
  if (what == 2) {
    a.Exactly(2);
    const std::string name = a.Cp1250(1);
    if (name.empty() || name.find_first_of("\\/:*?\"<>|") != std::string::npos)
      throw ScriptError{"a folder name, without \\ / : * ? \" < > |"};
    const std::string utf8 = a.Text(1);
    return Plays([utf8](Player& p) { p.world.ModuleFolder(utf8); });
  }
  if (what == 1) {
    a.Exactly(2);
    const bool fail = a.Choice(1, {"fail", "ok"}) == 0;
    return SimulatedSetting(!fail, [fail](sim::World& world) { world.moduleFileNameFails = fail; });
  }
  // Made on the resource as the script has it when the line plays.
  const VersionEdit edit = ModuleVersion(a);
  return Plays([edit](Player& p) {
    edit(p.moduleVersion, p.hasModuleVersion);
    p.world.ModuleVersionChanged(p.hasModuleVersion ? &p.moduleVersion : nullptr);
  });
}

// driver class=N devs-fail|enum-fail|enum-fail-at=I|ok
Command Driver(Parsing&, const Args& a) {
  a.Exactly(2);
  const int index = static_cast<int>(ParseNumberOrThrow(a.Option(0, "class"), 1, 8, "class")) - 1;
  if (a.Text(1).rfind("enum-fail-at=", 0) == 0) {
    const auto at = static_cast<win::DWORD>(ParseNumberOrThrow(a.Option(1, "enum-fail-at"), 0, 1000, "index"));
    return SimulatedSetting(false, [index, at](sim::World& world) { world.enumFailOnce[index].push_back(at); });
  }
  const std::size_t state = a.Choice(1, {"devs-fail", "enum-fail", "ok"});
  return SimulatedSetting(state == 2, [index, state](sim::World& world) {
    world.classDevsFail[index] = state == 0;
    world.enumFailForever[index] = state == 1;
    if (state == 2) world.enumFailOnce[index].clear();
  });
}

Command Advapi(Parsing&, const Args& a) {
  a.Exactly(1);
  const std::size_t state = a.Choice(0, {"ok", "missing", "no-openscmanager", "no-closeservicehandle"});
  return SimulatedSetting(state == 0, [state](sim::World& world) {
    world.advapiMissing = state == 1;
    world.advapiLacksOpenSCManager = state == 2;
    world.advapiLacksCloseServiceHandle = state == 3;
  });
}

// simulated-only "REASON": the script is for the simulated world alone.
Command SimulatedOnly(Parsing& parsing, const Args& a) {
  a.Exactly(1);
  if (a.Text(0).empty()) throw ScriptError{"simulated-only needs its reason"};
  parsing.simulatedOnly = a.Text(0);
  return Command();
}

Command Lenient(Parsing&, const Args& a) {
  a.Exactly(1);
  const bool on = a.Choice(0, {"on", "off"}) == 0;
  return Plays([on](Player& p) { p.lenient = on; });
}

// --- The user ----------------------------------------------------------------

Command Start(Parsing& parsing, const Args& a) {
  a.Between(0, 1);
  int show = 1;
  if (a.Count() == 1) show = static_cast<int>(ParseNumberOrThrow(a.Option(0, "show"), INT32_MIN, INT32_MAX, "show"));
  const unsigned needs = parsing.Start();
  return Plays(
      [show](Player& p) {
        if (p.world.Running()) {
          if (p.lenient) throw ExpectFailure{"the program not running", "running"};
          throw ScriptError{"the program is running already"};
        }
        p.Unnest();  // the lines after this one play while the program waits for input
        p.world.Start(show);
      },
      needs);
}

// The window open for the user, or a failure as an `expect` would give.
Screen Window(Player& p) { return p.Open("window open"); }

Command Click(Parsing& parsing, const Args& a) {
  a.Exactly(1);
  parsing.NeedStart();
  // A role, or the caption a person reads on the button.
  const std::string which = a.Text(0);
  return Plays([which](Player& p) {
    Screen screen = Window(p);
    Role role = which == "action" || screen.action.caption == which ? Role::Action : Role::Next;
    if (which != "action" && which != "next" && screen.action.caption != which && screen.next.caption != which)
      throw ExpectFailure{"a button " + Quote(which) + " to press", "none"};
    const ButtonSeen& button = role == Role::Action ? screen.action : screen.next;
    const std::string name = which == "action" || which == "next" ? "button " + which : Quote(which);
    if (!button.present) throw ExpectFailure{name + " to press", "absent"};
    if (!button.enabled) throw ExpectFailure{name + " to press", Quote(button.caption) + " disabled"};
    if (role == Role::Action) p.NoteWritePress();
    p.world.Click(role);
  });
}

// choose count|wheel N|none [mouse|keyboard|cancel]. A person can leave a
// list without a choice but cannot take its choice away: `none` holds for a
// list that shows nothing, and is what a person cannot do on one that shows
// an item, in every world.
Command Choose(Parsing& parsing, const Args& a) {
  a.Between(2, 3);
  const bool count = a.Choice(0, {"count", "wheel"}) == 0;
  const std::size_t items = count ? 8 : 2;
  int item = 0;
  if (a.Text(1) != "none") item = static_cast<int>(a.Number(1, 1, static_cast<std::int64_t>(items), "item"));
  const auto way = static_cast<ChooseWay>(a.Count() == 3 ? a.Choice(2, {"mouse", "keyboard", "cancel"}) : 0);
  if (item == 0 && a.Count() == 3) throw ScriptError{"none goes without a way of choosing"};
  parsing.NeedStart();
  return Plays([count, item, way](Player& p) {
    const Screen screen = Window(p);
    const ListSeen& list = count ? screen.count : screen.wheel;
    const std::string name = count ? "countbox" : "wheelbox";
    if (!list.present) throw ExpectFailure{name + " to choose from", "absent"};
    if (item == 0) {
      if (list.shown != 0)
        throw ExpectFailure{name + " showing nothing (a person cannot take a choice away)", ListItemText(list.shown)};
      return;
    }
    p.world.Choose(count ? ListRole::Count : ListRole::Wheel, item, way);
  });
}

// event CLASS COMMAND: any command event (no control of the program sends most).
Command Event(Parsing& parsing, const Args& a) {
  a.Exactly(2);
  const auto eventClass = static_cast<std::uint32_t>(a.Number(0, 0, UINT32_MAX, "event class"));
  const auto command = static_cast<std::uint32_t>(a.Number(1, 0, UINT32_MAX, "command"));
  parsing.NeedStart();
  return Plays(
      [eventClass, command](Player& p) {
        Window(p);
        if ((eventClass & 0x3000u) != 0 && command == 1002) p.NoteWritePress();
        p.world.Event(eventClass, command);
      },
      kSimulatedPlatform);
}

// devmsg CODE TYPE|none: a raw WM_DEVICECHANGE with a bare header of that
// type, or lParam 0. Only the simulated platform sends one: elsewhere the
// device messages are the system's own.
Command Devmsg(Parsing& parsing, const Args& a) {
  a.Exactly(2);
  const auto code = static_cast<std::uintptr_t>(a.Number(0, 0, UINT32_MAX, "code"));
  std::vector<std::uint8_t> header;
  if (a.Text(1) != "none") {
    const auto type = static_cast<std::uint32_t>(a.Number(1, 0, UINT32_MAX, "device type"));
    const std::uint32_t fields[3] = {12, type, 0};  // size, device type, reserved
    for (std::uint32_t field : fields)
      for (int i = 0; i < 4; ++i) header.push_back(static_cast<std::uint8_t>(field >> (8 * i)));
  }
  parsing.NeedStart();
  return Plays(
      [code, header](Player& p) {
        Window(p);
        p.world.DeviceMessage(code, header);
      },
      kSimulatedPlatform);
}

Command Move(Parsing& parsing, const Args& a) {
  a.Exactly(2);
  const auto x = static_cast<int>(a.Number(0, INT32_MIN, INT32_MAX, "x"));
  const auto y = static_cast<int>(a.Number(1, INT32_MIN, INT32_MAX, "y"));
  parsing.NeedStart();
  return Plays([x, y](Player& p) {
    Window(p);
    p.world.Move(x, y);
  });
}

template <WindowCommand Action>
Command WindowAction(Parsing& parsing, const Args& a) {
  a.Exactly(0);
  parsing.NeedStart();
  return Plays(
      [](Player& p) {
        Window(p);
        p.world.Command(Action);
      },
      Action == WindowCommand::Maximize ? static_cast<unsigned>(kMaximize) : 0u);
}

// key KEY...: one key a play, each once the program handled the one before.
Command Key(Parsing& parsing, const Args& a) {
  const std::vector<KeyPress> keys = KeysFrom(a);
  parsing.NeedStart();
  return Plays(
      [keys](Player& p) {
        std::size_t& pressed = p.keysPressed;
        if (pressed == 0) Window(p);
        const KeyPress& press = keys[pressed++];
        if (!p.world.See().open) return void(pressed = 0);  // the window closed on the way: the rest reach nothing
        const bool presses = (press.key == KeyName::Space || press.key == KeyName::Enter) && !press.alt;
        if (presses && !p.world.BoxOpen() && p.world.See().focus == Focus::Action) p.NoteWritePress();
        p.world.Key(press);
        if (pressed < keys.size()) return p.Again();
        pressed = 0;
      },
      kKeys);
}

// box hold: message boxes stay open while the script goes on; box answer: OK
// on the open box, and boxes are answered at once again.
Command Box(Parsing& parsing, const Args& a) {
  a.Exactly(1);
  const bool hold = a.Choice(0, {"hold", "answer"}) == 0;
  if (hold) return Plays([](Player& p) { p.world.HoldBoxes(true); });  // also for the boxes of the start-up
  parsing.NeedStart();
  return Plays([](Player& p) {
    if (!p.world.BoxOpen()) throw ExpectFailure{"a box to answer", "no box"};
    p.world.HoldBoxes(false);
    p.world.AnswerBox();
  });
}

// shot FILE [window|panel|screen]: a picture of the screen, checked not to be blank.
Command Shot(Parsing&, const Args& a) {
  a.Between(1, 2);
  const std::string what = a.Count() == 2 ? a.Text(1) : "window";
  if (a.Count() == 2) a.Choice(1, {"window", "panel", "screen"});
  const std::string file = a.Text(0);
  return Plays([file, what](Player& p) { p.world.Shot(file, what); }, kScreenshots);
}

// wait MS: lets the screen settle before a picture.
Command Wait(Parsing&, const Args& a) {
  a.Exactly(1);
  const auto ms = static_cast<int>(a.Number(0, 0, 60000, "milliseconds"));
  return Plays([ms](Player& p) { p.world.Wait(ms); }, kScreenshots);
}

// read NAME: the Virtual camera window reads the camera's memory again and
// marks what changed since its last reading.
Command Read(Parsing& parsing, const Args& a) {
  a.Exactly(1);
  const std::string name = a.Text(0);
  parsing.NeedCamera(name);
  return Plays([name](Player& p) { p.world.Read(name); }, kPanel);
}

}  // namespace

const std::map<std::string, Player::Entry>& Player::Commands() {
  static const std::map<std::string, Entry> kCommands = {
      {"admin", {Kind::World, Admin}},
      {"platform", {Kind::World, Platform}},
      {"monitors", {Kind::World, Monitors}},
      {"camera", {Kind::World, Camera}},
      {"poke", {Kind::World, Poke}},
      {"snapshot", {Kind::World, Snapshot}},
      {"fault", {Kind::World, FaultCommand}},
      {"regkey", {Kind::World, Regkey}},
      {"reg", {Kind::World, Reg}},
      {"machine", {Kind::World, Machine}},
      {"module", {Kind::World, Module}},
      {"driver", {Kind::World, Driver}},
      {"advapi", {Kind::World, Advapi}},
      {"read", {Kind::Other, Read}},
      {"simulated-only", {Kind::Other, SimulatedOnly}},
      {"lenient", {Kind::Other, Lenient}},
      {"start", {Kind::User, Start}},
      {"click", {Kind::User, Click}},
      {"choose", {Kind::User, Choose}},
      {"close", {Kind::User, WindowAction<WindowCommand::Close>}},
      {"about", {Kind::User, WindowAction<WindowCommand::About>}},
      {"event", {Kind::User, Event}},
      {"devmsg", {Kind::User, Devmsg}},
      {"move", {Kind::User, Move}},
      {"minimize", {Kind::User, WindowAction<WindowCommand::Minimize>}},
      {"maximize", {Kind::User, WindowAction<WindowCommand::Maximize>}},
      {"restore", {Kind::User, WindowAction<WindowCommand::Restore>}},
      {"key", {Kind::User, Key}},
      {"box", {Kind::User, Box}},
      {"shot", {Kind::Other, Shot}},
      {"wait", {Kind::Other, Wait}},
      {"expect", {Kind::Check, Expect}},
      {"show", {Kind::Other, ShowCommand}},
      {"dump", {Kind::Other, DumpCommand}},
  };
  return kCommands;
}

}  // namespace scenario
