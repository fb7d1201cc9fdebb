// The script's checks, the same in every world: what a person sees of the
// window and its boxes, the registry, the cameras' memory and instructions;
// in the worlds that can, what lies inside the program.
#include <map>
#include <optional>

#include "platform/sim/world.h"
#include "tools/scenario/player.h"

namespace scenario {
namespace {

using Check = void (*)(Player&, const Args&);

// The expected text (UTF-8), or nothing for the wildcard. The check pass
// refuses characters the program's code page lacks.
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

void Title(Player& p, const Args& a) {
  a.Exactly(1);
  const auto want = WantText(a, 0);
  if (p.checking()) return;
  const std::string expected = "title " + Quote(a.Text(0));
  const std::string title = p.Open(expected).title;
  if (!Holds(want, title)) throw ExpectFailure{expected, Quote(title)};
}

void Pane(Player& p, const Args& a) {
  a.Exactly(2);
  const std::size_t field = a.Choice(0, {"title", "line1", "line2", "line3", "type", "id", "count", "wheel"});
  const auto want = WantText(a, 1);
  if (p.checking()) return;
  const std::string expected = "pane " + a.Text(0) + " " + Quote(a.Text(1));
  const PaneSeen pane = p.Open(expected).pane;
  if (!pane.present) throw ExpectFailure{expected, "no pane"};
  if (!pane.seen[field]) return p.PassOver("pane " + a.Text(0) + " is not drawn in the pane's present layout");
  if (!Holds(want, pane.fields[field])) throw ExpectFailure{expected, Quote(pane.fields[field])};
}

void Button(Player& p, const Args& a) {
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
  if (p.checking()) return;
  std::string expected = "button " + a.Text(0);
  for (std::size_t i = 1; i < a.Count(); ++i) expected += " " + (i == 1 && !wantAbsent ? Quote(a.Text(i)) : a.Text(i));
  const Screen screen = p.Open(expected);
  const ButtonSeen& button = action ? screen.action : screen.next;
  if (!button.present) {
    if (!wantAbsent) throw ExpectFailure{expected, "absent"};
    return;
  }
  if (wantAbsent || !Holds(caption, button.caption) || !Holds(enabled, button.enabled))
    throw ExpectFailure{expected, Quote(button.caption) + (button.enabled ? " enabled" : " disabled")};
}

template <bool Count>
void List(Player& p, const Args& a) {
  a.Exactly(1);
  const std::optional<int> want = WantListItem(a, 0, Count ? 8 : 2);
  if (p.checking()) return;
  const std::string expected = std::string(Count ? "countbox " : "wheelbox ") + a.Text(0);
  const Screen screen = p.Open(expected);
  const ListSeen& list = Count ? screen.count : screen.wheel;
  const int shown = list.present ? list.shown : -1;
  if (!list.misread.empty()) throw ExpectFailure{expected, "a list a screen reader reads as " + Quote(list.misread)};
  if (!Holds(want, shown)) throw ExpectFailure{expected, ListItemText(shown)};
}

void Box(Player& p, const Args& a) {
  a.Exactly(5);
  std::optional<std::string> texts[4];
  for (std::size_t i = 0; i < 4; ++i) texts[i] = WantText(a, i);
  std::optional<std::string> icon;
  if (!a.IsWildcard(4)) icon = a.Text(4), a.Choice(4, {"info", "stop", "about"});
  if (p.checking()) return;
  std::string expected = "box";
  for (std::size_t i = 0; i < 4; ++i) expected += " " + Quote(a.Text(i));
  expected += " " + a.Text(4);
  const std::vector<BoxSeen>& boxes = p.world.Boxes();
  if (p.boxesChecked >= boxes.size()) throw ExpectFailure{expected, "no box"};
  const BoxSeen& box = boxes[p.boxesChecked];
  bool holds = Holds(texts[0], box.title) && Holds(icon, box.icon) && box.textFits;
  for (std::size_t i = 0; i < 3; ++i) holds = holds && Holds(texts[i + 1], box.lines[i]);
  if (!holds) throw ExpectFailure{expected, Describe(box)};
  ++p.boxesChecked;
}

void NoBox(Player& p, const Args& a) {
  a.Exactly(0);
  if (p.checking()) return;
  const std::vector<BoxSeen>& boxes = p.world.Boxes();
  if (p.boxesChecked < boxes.size()) throw ExpectFailure{"nobox", "box " + Describe(boxes[p.boxesChecked])};
}

void Window(Player& p, const Args& a) {
  a.Exactly(1);
  const bool open = a.Choice(0, {"open", "closed"}) == 0;
  if (p.checking()) return;
  const bool isOpen = p.world.See().open;
  if (isOpen != open) throw ExpectFailure{"window " + a.Text(0), isOpen ? "open" : "closed"};
}

void Exit(Player& p, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "exit code");
  if (p.checking()) return;
  const std::string expected = "exit " + a.Text(0);
  const std::optional<int> code = p.world.ExitCode();
  if (!code) throw ExpectFailure{expected, p.world.Running() ? "still running" : "not started"};
  if (!Holds(want, static_cast<std::int64_t>(*code))) throw ExpectFailure{expected, std::to_string(*code)};
}

void State(Player& p, const Args& a) {
  a.Exactly(1);
  const std::size_t want = a.Choice(0, {"normal", "minimized", "maximized"});
  if (p.checking()) return;
  const std::string expected = "state " + a.Text(0);
  const Screen screen = p.Open(expected);
  const std::size_t state = screen.minimized ? 1 : screen.maximized ? 2 : 0;
  static const char* const kNames[] = {"normal", "minimized", "maximized"};
  if (state != want) throw ExpectFailure{expected, kNames[state]};
}

// The window's normal place (its restore place while minimized or maximized).
void Position(Player& p, const Args& a) {
  a.Exactly(2);
  const auto x = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "x");
  const auto y = a.NumberOrAny(1, INT32_MIN, INT32_MAX, "y");
  if (p.checking()) return;
  const std::string expected = "position " + a.Text(0) + " " + a.Text(1);
  const Screen screen = p.Open(expected);
  if (!screen.placeKnown)
    return p.PassOver("the restore place of a minimized or maximized window cannot be read from another program");
  if (!Holds(x, std::int64_t{screen.x}) || !Holds(y, std::int64_t{screen.y}))
    throw ExpectFailure{expected, std::to_string(screen.x) + " " + std::to_string(screen.y)};
}

void Interior(Player& p, const Args& a) {
  a.Exactly(2);
  const auto width = a.Number(0, 0, INT32_MAX, "width");
  const auto height = a.Number(1, 0, INT32_MAX, "height");
  if (p.checking()) return;
  const std::string expected = "interior " + a.Text(0) + " " + a.Text(1);
  const Screen screen = p.Open(expected);
  if (screen.interiorWidth != width || screen.interiorHeight != height)
    throw ExpectFailure{expected, std::to_string(screen.interiorWidth) + " " + std::to_string(screen.interiorHeight)};
}

// modal: a message box is open and the window takes no input meanwhile.
void Modal(Player& p, const Args& a) {
  a.Exactly(0);
  if (p.checking()) return;
  const Screen screen = p.Open("modal");
  if (!p.world.BoxOpen()) throw ExpectFailure{"modal", "no box open"};
  if (screen.takesInput) throw ExpectFailure{"modal", "the window takes input beside the box"};
}

void Focus(Player& p, const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"action", "next", "countbox", "wheelbox", "box", "none"});
  if (p.checking()) return;
  const std::string expected = "focus " + a.Text(0);
  const std::string role = p.Open(expected).focus;
  if (role != a.Text(0)) throw ExpectFailure{expected, role};
}

// A number (a negative one stands for its 32-bit pattern), absent, or *.
void Reg(Player& p, const Args& a) {
  a.Exactly(3);
  const std::string& want = a.Text(2);
  std::optional<std::uint32_t> number;
  const bool wantAbsent = want == "absent" && !a.At(2).quoted;
  if (!a.IsWildcard(2) && !wantAbsent) number = static_cast<std::uint32_t>(a.Number(2, INT32_MIN, UINT32_MAX, "value"));
  if (p.checking()) return;
  std::string text;
  const std::optional<std::uint32_t> value = p.world.Reg().Dword(a.Text(0), a.Text(1), text);
  const bool present = text != "absent";
  const bool holds = a.IsWildcard(2) ? present : wantAbsent ? !present : value && *value == *number;
  if (!holds) throw ExpectFailure{"reg " + Quote(a.Text(0)) + " " + a.Text(1) + " " + want, text};
}

void Regkey(Player& p, const Args& a) {
  a.Exactly(2);
  const bool exists = a.Choice(1, {"exists", "absent"}) == 0;
  if (p.checking()) return;
  const bool actual = p.world.Reg().KeyExists(a.Text(0));
  if (actual != exists)
    throw ExpectFailure{"regkey " + Quote(a.Text(0)) + " " + a.Text(1), actual ? "exists" : "absent"};
}

template <void (*Camera)(const Args&, const CameraLookup&)>
void CameraCheck(Player& p, const Args& a) {
  if (p.checking()) return Camera(a, p.Cameras());
  p.world.WithCameras([&] { Camera(a, p.Cameras()); });
}

// invariants: the cameras' memory changed only in the filter bits, with what
// some "Zapsat filtry" press chose; where the world looks inside, also what
// must hold of the program after any event.
void Invariants(Player& p, const Args& a) {
  a.Exactly(0);
  if (p.checking()) return;
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
}

// objects steady: the program holds as many objects as once it had started.
void Objects(Player& p, const Args& a) {
  a.Exactly(1);
  a.Choice(0, {"steady"});
  if (p.checking()) return;
  p.Open("objects steady");
  const std::string start = p.world.StartCounts();
  const std::string now = p.world.Counts();
  if (now != start) throw ExpectFailure{"objects steady (" + start + ")", now};
}

void Step(Player& p, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, INT32_MIN, INT32_MAX, "step");
  if (p.checking()) return p.Needs(kLooksInside);
  const std::string expected = "step " + a.Text(0);
  const int step = LookInside(p, expected).step;
  if (!Holds(want, std::int64_t{step})) throw ExpectFailure{expected, std::to_string(step)};
}

void Link(Player& p, const Args& a) {
  a.Exactly(1);
  const bool open = a.Choice(0, {"open", "closed"}) == 0;
  if (p.checking()) return p.Needs(kLooksInside);
  const std::string expected = "link " + a.Text(0);
  const bool isOpen = LookInside(p, expected).linkOpen;
  if (isOpen != open) throw ExpectFailure{expected, isOpen ? "open" : "closed"};
}

void Flags(Player& p, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, 0, UINT32_MAX, "flags");
  if (p.checking()) return p.Needs(kLooksInside);
  const std::string expected = "flags " + a.Text(0);
  const std::uint32_t flags = LookInside(p, expected).flags;
  if (!Holds(want, std::int64_t{flags})) throw ExpectFailure{expected, Hex(flags, 3)};
}

void LastError(Player& p, const Args& a) {
  a.Exactly(1);
  const auto want = WantText(a, 0);
  if (p.checking()) return p.Needs(kLooksInside);
  const std::string expected = "lasterror " + Quote(a.Text(0));
  const std::string text = LookInside(p, expected).lastError;
  if (!Holds(want, text)) throw ExpectFailure{expected, Quote(text)};
}

// handles and registrations: what the program holds of the simulated platform, running or not.
template <bool Handles>
void Held(Player& p, const Args& a) {
  a.Exactly(1);
  const auto want = a.NumberOrAny(0, 0, INT32_MAX, "count");
  if (p.checking()) return p.Needs(kLooksInside);
  const Inside inside = p.world.LookInside();
  const std::size_t count = Handles ? inside.handles : inside.registrations;
  if (Holds(want, static_cast<std::int64_t>(count))) return;
  std::string got = std::to_string(count);
  if (Handles)
    for (const std::string& handle : inside.handleNames) got += "\n    " + handle;
  throw ExpectFailure{std::string(Handles ? "handles " : "registrations ") + a.Text(0), got};
}

// basemsgs none | CODE[/none|/hdr]...: the device-change messages that
// reached the base window since the last such check; /none: lParam 0, /hdr: a record.
void BaseMsgs(Player& p, const Args& a) {
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
  if (p.checking()) return p.Needs(kBaseMessages);
  p.Open("basemsgs " + Join(expected));
  const std::vector<std::pair<std::uintptr_t, bool>> seen = p.world.BaseMessages();
  bool holds = seen.size() == want.size();
  for (std::size_t i = 0; holds && i < seen.size(); ++i)
    holds = static_cast<std::int64_t>(seen[i].first) == want[i].code &&
            (want[i].lParam < 0 || seen[i].second == (want[i].lParam == 1));
  if (!holds) {
    std::vector<std::string> got;
    for (const auto& [code, record] : seen) got.push_back(Hex(code) + (record ? "/hdr" : "/none"));
    throw ExpectFailure{"basemsgs " + Join(expected), Join(got)};
  }
}

// pipes NAME open|closed: the program holds all three of the camera's pipes
// open, or none, as the camera sees it: whom the link leads to, where the
// window shows nothing of it (a camera of the same series connected instead).
void Pipes(Player& p, const Args& a) {
  a.Exactly(2);
  p.NeedCamera(a.Text(0));
  const bool open = a.Choice(1, {"open", "closed"}) == 0;
  if (p.checking()) return;
  const int held = p.world.PipesOpen(a.Text(0));
  if (held != (open ? 3 : 0))
    throw ExpectFailure{"pipes " + a.Text(0) + " " + a.Text(1), std::to_string(held) + " of its 3 pipes open"};
}

// changed NAME ADDR...: the Virtual camera window marks exactly these bytes
// as changed since its last reading.
void Changed(Player& p, const Args& a) {
  a.Between(1, SIZE_MAX);
  std::vector<std::uint32_t> want;
  for (std::size_t i = 1; i < a.Count(); ++i)
    want.push_back(static_cast<std::uint32_t>(a.Number(i, 0, camera_model::kMemorySize - 1, "address")));
  p.NeedCamera(a.Text(0));
  if (p.checking()) return p.Needs(kPanel);
  const std::vector<std::uint32_t> marked = p.world.PanelChanges(a.Text(0));
  if (marked != want) {
    std::vector<std::string> got;
    for (std::uint32_t address : marked) got.push_back(Hex(address));
    throw ExpectFailure{"changed " + a.Text(0), Join(got)};
  }
}

}  // namespace

void Expect(Player& p, const Args& a) {
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
      {"focus", Focus},
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
  a.Between(1, SIZE_MAX);
  auto it = kChecks.find(a.Text(0));
  if (it == kChecks.end()) throw ScriptError{"unknown check \"" + a.Text(0) + "\""};
  it->second(p, a.Rest(1));
}

}  // namespace scenario
