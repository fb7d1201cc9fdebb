// The script's checks, the same in every world: what a person sees of the
// window and its boxes, the registry, the cameras' memory and instructions;
// in the worlds that can, what lies inside the program.
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "platform/sim/world.h"
#include "tools/scenario/player.h"

namespace scenario {
namespace {

using Check = Command (*)(Parsing&, const Args&);

// The expected text (UTF-8), or nothing for the wildcard; characters the
// program's code page lacks are refused.
std::optional<std::string> WantText(const Args& a, std::size_t i) {
  if (a.IsWildcard(i)) return std::nullopt;
  a.Cp1250(i);
  return a.Text(i);
}

std::string Join(const std::vector<std::string>& items, const std::string& empty = "none") {
  if (items.empty()) return empty;
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : " ") + item;
  return out;
}

std::string Describe(const BoxSeen& box) {
  std::string text = Quote(box.title);
  for (const std::string& line : box.lines) text += " " + Quote(line);
  return text + " " + box.icon + (box.textFits ? "" : " (its text wraps)");
}

// What only worlds that look inside the program can check, while it runs.
Inside LookInside(Player& p, const std::string& expected) {
  p.Open(expected);
  return p.world.LookInside();
}

Command Title(Parsing&, const Args& a) {
  a.Exactly(1);
  const auto want = WantText(a, 0);
  const std::string expected = "title " + Quote(a.Text(0));
  return Plays([want, expected](Player& p) {
    const std::string title = p.Open(expected).title;
    if (!Holds(want, title)) throw ExpectFailure{expected, Quote(title)};
  });
}

Command Pane(Parsing&, const Args& a) {
  a.Exactly(2);
  const auto field = static_cast<PaneField>(
      a.Choice(0, std::vector<std::string>(std::begin(kPaneFieldNames), std::end(kPaneFieldNames))));
  const auto want = WantText(a, 1);
  const std::string name = a.Text(0);
  const std::string expected = "pane " + name + " " + Quote(a.Text(1));
  return Plays([field, want, name, expected](Player& p) {
    const PaneSeen pane = p.Open(expected).pane;
    if (!pane.present) throw ExpectFailure{expected, "no pane"};
    const std::optional<std::string>& text = pane[field];
    if (!text) return p.PassOver("pane " + name + " is not drawn in the pane's present layout");
    if (!Holds(want, *text)) throw ExpectFailure{expected, Quote(*text)};
  });
}

Command Button(Parsing&, const Args& a) {
  a.Between(2, 3);
  const bool action = a.Choice(0, {"action", "next"}) == 0;
  const bool wantAbsent = a.Count() == 2;
  std::optional<std::string> caption;
  std::optional<bool> enabled;
  if (wantAbsent) {
    a.Choice(1, {"absent"});
  } else {
    caption = WantText(a, 1);
    if (!a.IsWildcard(2)) enabled = a.Choice(2, {"enabled", "disabled"}) == 0;
  }
  std::string expected = "button " + a.Text(0);
  for (std::size_t i = 1; i < a.Count(); ++i) expected += " " + (i == 1 && !wantAbsent ? Quote(a.Text(i)) : a.Text(i));
  return Plays([action, wantAbsent, caption, enabled, expected](Player& p) {
    const Screen screen = p.Open(expected);
    const ButtonSeen& button = action ? screen.action : screen.next;
    if (!button.present) {
      if (!wantAbsent) throw ExpectFailure{expected, "absent"};
      return;
    }
    if (wantAbsent || !Holds(caption, button.caption) || !Holds(enabled, button.enabled))
      throw ExpectFailure{expected, Quote(button.caption) + (button.enabled ? " enabled" : " disabled")};
  });
}

template <bool Count>
Command List(Parsing&, const Args& a) {
  a.Exactly(1);
  const std::optional<int> want = WantListItem(a, 0, Count ? 8 : 2);
  const std::string expected = std::string(Count ? "countbox " : "wheelbox ") + a.Text(0);
  return Plays([want, expected](Player& p) {
    const Screen screen = p.Open(expected);
    const ListSeen& list = Count ? screen.count : screen.wheel;
    const int shown = list.present ? list.shown : -1;
    if (!list.misread.empty()) throw ExpectFailure{expected, "a list a screen reader reads as " + Quote(list.misread)};
    if (!Holds(want, shown)) throw ExpectFailure{expected, ListItemText(shown)};
  });
}

Command Box(Parsing&, const Args& a) {
  a.Exactly(5);
  std::array<std::optional<std::string>, 4> texts;
  for (std::size_t i = 0; i < 4; ++i) texts[i] = WantText(a, i);
  std::optional<std::string> icon;
  if (!a.IsWildcard(4)) icon = a.Text(4), a.Choice(4, {"info", "stop", "about"});
  std::string expected = "box";
  for (std::size_t i = 0; i < 4; ++i) expected += " " + Quote(a.Text(i));
  expected += " " + a.Text(4);
  return Plays([texts, icon, expected](Player& p) {
    const std::vector<BoxSeen>& boxes = p.world.Boxes();
    if (p.boxesChecked >= boxes.size()) throw ExpectFailure{expected, "no box"};
    const BoxSeen& box = boxes[p.boxesChecked];
    bool holds = Holds(texts[0], box.title) && Holds(icon, box.icon) && box.textFits;
    for (std::size_t i = 0; i < 3; ++i) holds = holds && Holds(texts[i + 1], box.lines[i]);
    if (!holds) throw ExpectFailure{expected, Describe(box)};
    ++p.boxesChecked;
  });
}

Command NoBox(Parsing&, const Args& a) {
  a.Exactly(0);
  return Plays([](Player& p) {
    const std::vector<BoxSeen>& boxes = p.world.Boxes();
    if (p.boxesChecked < boxes.size()) throw ExpectFailure{"nobox", "box " + Describe(boxes[p.boxesChecked])};
  });
}

Command Window(Parsing&, const Args& a) {
  a.Exactly(1);
  const bool open = a.Choice(0, {"open", "closed"}) == 0;
  return Plays([open](Player& p) {
    const bool isOpen = p.world.See().open;
    if (isOpen != open) throw ExpectFailure{open ? "window open" : "window closed", isOpen ? "open" : "closed"};
  });
}

Command Exit(Parsing&, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "exit code");
  const std::string expected = "exit " + a.Text(0);
  return Plays([want, expected](Player& p) {
    const std::optional<int> code = p.world.ExitCode();
    if (!code) throw ExpectFailure{expected, p.world.Running() ? "still running" : "not started"};
    if (!Holds(want, static_cast<std::int64_t>(*code))) throw ExpectFailure{expected, std::to_string(*code)};
  });
}

Command State(Parsing&, const Args& a) {
  a.Exactly(1);
  static const char* const kNames[] = {"normal", "minimized", "maximized"};
  const std::size_t want = a.Choice(0, {kNames[0], kNames[1], kNames[2]});
  return Plays([want](Player& p) {
    const std::string expected = std::string("state ") + kNames[want];
    const Screen screen = p.Open(expected);
    const std::size_t state = screen.minimized ? 1 : screen.maximized ? 2 : 0;
    if (state != want) throw ExpectFailure{expected, kNames[state]};
  });
}

// The window's normal place (its restore place while minimized or maximized).
Command Position(Parsing&, const Args& a) {
  a.Exactly(2);
  const auto x = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "x");
  const auto y = a.NumberOrAny(1, INT32_MIN, INT32_MAX, "y");
  const std::string expected = "position " + a.Text(0) + " " + a.Text(1);
  return Plays([x, y, expected](Player& p) {
    const Screen screen = p.Open(expected);
    if (!screen.placeKnown)
      return p.PassOver("the restore place of a minimized or maximized window cannot be read from another program");
    if (!Holds(x, std::int64_t{screen.x}) || !Holds(y, std::int64_t{screen.y}))
      throw ExpectFailure{expected, std::to_string(screen.x) + " " + std::to_string(screen.y)};
  });
}

Command Interior(Parsing&, const Args& a) {
  a.Exactly(2);
  const auto width = a.Number(0, 0, INT32_MAX, "width");
  const auto height = a.Number(1, 0, INT32_MAX, "height");
  const std::string expected = "interior " + a.Text(0) + " " + a.Text(1);
  return Plays([width, height, expected](Player& p) {
    const Screen screen = p.Open(expected);
    if (screen.interiorWidth != width || screen.interiorHeight != height)
      throw ExpectFailure{expected, std::to_string(screen.interiorWidth) + " " + std::to_string(screen.interiorHeight)};
  });
}

// modal: a message box is open and the window takes no input meanwhile.
Command Modal(Parsing&, const Args& a) {
  a.Exactly(0);
  return Plays([](Player& p) {
    const Screen screen = p.Open("modal");
    if (!p.world.BoxOpen()) throw ExpectFailure{"modal", "no box open"};
    if (screen.takesInput) throw ExpectFailure{"modal", "the window takes input beside the box"};
  });
}

Command KeysGo(Parsing&, const Args& a) {
  a.Exactly(1);
  // Any focus but a view no script names.
  const auto want =
      static_cast<Focus>(a.Choice(0, std::vector<std::string>(std::begin(kFocusNames), std::end(kFocusNames) - 1)));
  return Plays([want](Player& p) {
    const std::string expected = std::string("focus ") + FocusName(want);
    const Focus focus = p.Open(expected).focus;
    if (focus != want) throw ExpectFailure{expected, FocusName(focus)};
  });
}

// A number (a negative one stands for its 32-bit pattern), absent, or *.
Command Reg(Parsing&, const Args& a) {
  a.Exactly(3);
  const std::string want = a.Text(2);
  std::optional<std::uint32_t> number;
  const bool any = a.IsWildcard(2);
  const bool wantAbsent = want == "absent" && !a.At(2).quoted;
  if (!any && !wantAbsent) number = static_cast<std::uint32_t>(a.Number(2, INT32_MIN, UINT32_MAX, "value"));
  const std::string path = a.Text(0), name = a.Text(1);
  return Plays([path, name, want, number, any, wantAbsent](Player& p) {
    std::string text;
    const std::optional<std::uint32_t> value = p.world.Reg().Dword(path, name, text);
    const bool present = text != "absent";
    const bool holds = any ? present : wantAbsent ? !present : value && *value == *number;
    if (!holds) throw ExpectFailure{"reg " + Quote(path) + " " + name + " " + want, text};
  });
}

Command Regkey(Parsing&, const Args& a) {
  a.Exactly(2);
  const bool exists = a.Choice(1, {"exists", "absent"}) == 0;
  const std::string path = a.Text(0);
  return Plays([path, exists](Player& p) {
    const bool actual = p.world.Reg().KeyExists(path);
    if (actual != exists)
      throw ExpectFailure{"regkey " + Quote(path) + (exists ? " exists" : " absent"), actual ? "exists" : "absent"};
  });
}

template <CameraAction (*Parse)(const Args&)>
Command CameraCheck(Parsing& parsing, const Args& a) {
  const CameraAction check = Parse(a);
  const std::string name = a.Text(0);
  parsing.NeedCamera(name);
  return Plays([name, check](Player& p) { p.world.WithCameras([&] { check(p.CameraFor(name)); }); });
}

// pipes NAME open|closed: the program holds all three of the camera's pipes
// open, or none, as the camera sees it: whom the link leads to, where the
// window shows nothing of it (a camera of the same series connected instead).
Command Pipes(Parsing& parsing, const Args& a) {
  a.Exactly(2);
  const std::string name = a.Text(0);
  parsing.NeedCamera(name);
  const bool open = a.Choice(1, {"open", "closed"}) == 0;
  return Plays([name, open](Player& p) {
    const int held = p.world.PipesOpen(name);
    if (held != (open ? 3 : 0))
      throw ExpectFailure{"pipes " + name + (open ? " open" : " closed"),
                          std::to_string(held) + " of its 3 pipes open"};
  });
}

// invariants: the cameras' memory changed only in the filter bits, with what
// some "Zapsat filtry" press chose; where the world looks inside, also what
// must hold of the program after any event.
Command Invariants(Parsing&, const Args& a) {
  a.Exactly(0);
  return Plays([](Player& p) {
    p.world.WithCameras([&] {
      for (const std::string& name : p.CameraNames()) {
        const camera_model::Camera* camera = p.world.FindCamera(name);  // null until its line played
        const std::string wrong = camera != nullptr ? WrongChosenBytes(*camera, p.writePresses) : "";
        if (!wrong.empty()) throw ExpectFailure{"invariants", wrong};
      }
    });
    if (!p.world.Can(kLooksInside)) return;
    const std::string broken = p.world.LookInside().broken;
    if (!broken.empty()) throw ExpectFailure{"invariants", broken};
  });
}

// objects steady: the program holds as many objects as once it had started.
Command Objects(Parsing&, const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"steady"});
  return Plays([](Player& p) {
    p.Open("objects steady");
    const std::string start = p.world.StartCounts();
    const std::string now = p.world.Counts();
    if (now != start) throw ExpectFailure{"objects steady (" + start + ")", now};
  });
}

// A check of what lies inside the program while its window is open: the
// value it reads there, how that value is written, and whether it holds.
template <typename T>
Command InsideCheck(const std::string& expected, T (*read)(const Inside&), std::function<bool(const T&)> holds,
                    std::function<std::string(const T&)> text) {
  return Plays(
      [=](Player& p) {
        const T value = read(LookInside(p, expected));
        if (!holds(value)) throw ExpectFailure{expected, text(value)};
      },
      kLooksInside);
}

Command Step(Parsing&, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "step");
  return InsideCheck<int>(
      "step " + a.Text(0), [](const Inside& inside) { return inside.step; },
      [want](const int& step) { return Holds(want, std::int64_t{step}); },
      [](const int& step) { return std::to_string(step); });
}

Command Link(Parsing&, const Args& a) {
  a.Exactly(1);
  const bool open = a.Choice(0, {"open", "closed"}) == 0;
  return InsideCheck<bool>(
      "link " + a.Text(0), [](const Inside& inside) { return inside.linkOpen; },
      [open](const bool& isOpen) { return isOpen == open; },
      [](const bool& isOpen) { return std::string(isOpen ? "open" : "closed"); });
}

Command Flags(Parsing&, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, 0, UINT32_MAX, "flags");
  return InsideCheck<std::uint32_t>(
      "flags " + a.Text(0), [](const Inside& inside) { return inside.flags; },
      [want](const std::uint32_t& flags) { return Holds(want, std::int64_t{flags}); },
      [](const std::uint32_t& flags) { return Hex(flags, 3); });
}

Command LastError(Parsing&, const Args& a) {
  a.Exactly(1);
  const auto want = WantText(a, 0);
  return InsideCheck<std::string>(
      "lasterror " + Quote(a.Text(0)), [](const Inside& inside) { return inside.lastError; },
      [want](const std::string& text) { return Holds(want, text); },
      [](const std::string& text) { return Quote(text); });
}

// handles and registrations: what the program holds of the simulated platform, running or not.
template <bool Handles>
Command Held(Parsing&, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, 0, INT32_MAX, "count");
  const std::string expected = std::string(Handles ? "handles " : "registrations ") + a.Text(0);
  return Plays(
      [want, expected](Player& p) {
        const Inside inside = p.world.LookInside();
        const std::size_t count = Handles ? inside.handles : inside.registrations;
        if (Holds(want, static_cast<std::int64_t>(count))) return;
        std::string got = std::to_string(count);
        if (Handles)
          for (const std::string& handle : inside.handleNames) got += "\n    " + handle;
        throw ExpectFailure{expected, got};
      },
      kLooksInside);
}

// basemsgs none | CODE[/none|/hdr]...: the device-change messages that
// reached the base window since the last such check; /none: lParam 0, /hdr: a record.
Command BaseMsgs(Parsing&, const Args& a) {
  a.Between(1, SIZE_MAX);
  struct Want {
    std::int64_t code;
    int lParam;  // -1 any, 0 null, 1 a record
  };
  std::vector<Want> want;
  std::vector<std::string> expected;
  if (!(a.Count() == 1 && a.Text(0) == "none")) {
    for (std::size_t i = 0; i < a.Count(); ++i) {
      std::string text = a.Text(i);
      expected.push_back(text);
      int lParam = -1;
      const std::size_t slash = text.find('/');
      if (slash != std::string::npos) {
        const std::string which = text.substr(slash + 1);
        if (which != "none" && which != "hdr")
          throw ScriptError{"expected CODE/none or CODE/hdr, not \"" + text + "\""};
        lParam = which == "hdr" ? 1 : 0;
        text = text.substr(0, slash);
      }
      want.push_back(Want{ParseNumberOrThrow(text, 0, UINT32_MAX, "code"), lParam});
    }
  }
  return Plays(
      [want, expected = "basemsgs " + Join(expected)](Player& p) {
        p.Open(expected);
        const std::vector<std::pair<std::uintptr_t, bool>> seen = p.world.BaseMessages();
        bool holds = seen.size() == want.size();
        for (std::size_t i = 0; holds && i < seen.size(); ++i)
          holds = static_cast<std::int64_t>(seen[i].first) == want[i].code &&
                  (want[i].lParam < 0 || seen[i].second == (want[i].lParam == 1));
        if (!holds) {
          std::vector<std::string> got;
          for (const auto& [code, record] : seen) got.push_back(Hex(code) + (record ? "/hdr" : "/none"));
          throw ExpectFailure{expected, Join(got)};
        }
      },
      kBaseMessages);
}

// changed NAME ADDR...: the Virtual camera window marks exactly these bytes
// as changed since its last reading.
Command Changed(Parsing& parsing, const Args& a) {
  a.Between(1, SIZE_MAX);
  std::vector<std::uint32_t> want;
  for (std::size_t i = 1; i < a.Count(); ++i)
    want.push_back(static_cast<std::uint32_t>(a.Number(i, 0, camera_model::kMemorySize - 1, "address")));
  const std::string name = a.Text(0);
  parsing.NeedCamera(name);
  return Plays(
      [name, want](Player& p) {
        const std::vector<std::uint32_t> marked = p.world.PanelChanges(name);
        if (marked != want) {
          std::vector<std::string> got;
          for (std::uint32_t address : marked) got.push_back(Hex(address));
          throw ExpectFailure{"changed " + name, Join(got)};
        }
      },
      kPanel);
}

const std::map<std::string, Check>& Checks() {
  static const std::map<std::string, Check> kChecks = {
      {"title", Title},
      {"pane", Pane},
      {"button", Button},
      {"countbox", List<true>},
      {"wheelbox", List<false>},
      {"box", Box},
      {"nobox", NoBox},
      {"window", Window},
      {"exit", Exit},
      {"state", State},
      {"position", Position},
      {"interior", Interior},
      {"modal", Modal},
      {"focus", KeysGo},
      {"reg", Reg},
      {"regkey", Regkey},
      {"memory", CameraCheck<ExpectMemory>},
      {"diff", CameraCheck<ExpectDiff>},
      {"instructions", CameraCheck<ExpectInstructions>},
      {"pipes", Pipes},
      {"invariants", Invariants},
      {"objects", Objects},
      {"step", Step},
      {"link", Link},
      {"flags", Flags},
      {"lasterror", LastError},
      {"handles", Held<true>},
      {"registrations", Held<false>},
      {"basemsgs", BaseMsgs},
      {"changed", Changed},
  };
  return kChecks;
}

}  // namespace

Command Expect(Parsing& parsing, const Args& a) {
  a.Between(1, SIZE_MAX);
  auto it = Checks().find(a.Text(0));
  if (it == Checks().end()) throw ScriptError{"unknown check \"" + a.Text(0) + "\""};
  return it->second(parsing, a.Rest(1));
}

std::vector<std::string> CheckWords() {
  std::vector<std::string> words;
  for (const auto& [word, check] : Checks()) words.push_back(word);
  return words;
}

}  // namespace scenario
