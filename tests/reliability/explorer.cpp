#include "tests/reliability/explorer.h"

#include <algorithm>
#include <functional>
#include <set>

#include "platform/camera_model/splitmix.h"
#include "tests/reliability/camera_case.h"
#include "tests/reliability/script_runner.h"
#include "tools/scenario/args.h"

namespace reliability {

namespace {

class Dice {
 public:
  explicit Dice(std::uint64_t seed) : random_(seed) {}
  int Below(int n) { return static_cast<int>(random_.Next() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  camera_model::SplitMix64 random_;
};

const std::uint16_t kModels[] = {1027, 1028, 1029, 1030, 1200, 1201, 1201, 1202};  // 1202 has no driver key
const unsigned kSetupCounts[] = {0, 5, 6, 7, 8, 9, 10, 12, 3, 11};

std::string CameraLine(Dice& dice, const std::string& name, int classNumber, bool power) {
  const unsigned count = dice.Pick(kSetupCounts);
  // Now and then a device path at the edge of what DevicePath and the pipe names hold.
  static const int kPathLengths[] = {200, 257, 258, 259, 260, 261, 262};
  const std::string path = dice.Chance(15) ? " pathlen=" + std::to_string(dice.Pick(kPathLengths)) : "";
  return "camera " + name + path + " class=" + std::to_string(classNumber) +
         " model=" + std::to_string(dice.Pick(kModels)) + " id=" + std::to_string(1000 + dice.Below(100000)) +
         " count=" + std::to_string(count) + " wheel=" + std::to_string(1 + dice.Below(2)) +
         " seed=" + std::to_string(dice.Below(1000)) + (power ? "" : " power=off");
}

// The screen: a primary monitor at the origin (the default place always on
// it), now and then one or two more beside, above or left of it.
std::string MonitorsLine(Dice& dice) {
  static const int kSizes[][2] = {{800, 600}, {1024, 768}, {1920, 1080}, {2560, 1440}};
  static const int kOffsets[][2] = {{-1280, 0}, {1920, 0}, {0, -1024}, {-3000, 200}, {800, 600}};
  std::string line = "monitors";
  const int count = 1 + dice.Below(3);
  for (int i = 0; i < count; ++i) {
    const auto& size = dice.Pick(kSizes);
    const auto& at = i == 0 ? kOffsets[0] : dice.Pick(kOffsets);
    line += " " + std::to_string(i == 0 ? 0 : at[0]) + " " + std::to_string(i == 0 ? 0 : at[1]) + " " +
            std::to_string(size[0]) + " " + std::to_string(size[1]);
  }
  return line;
}

// A saved window place: on screen, partly off an edge, off every monitor, or
// at the ends of the 32-bit range.
std::string SavedPlaceLine(Dice& dice, const char* name) {
  static const long long kPlaces[] = {-2147483648LL, -5000, -1400, -271, -100, 0,    100,
                                      700,           1079,  1700,  1919, 2200, 3000, 2147483647LL};
  const long long place = dice.Chance(20) ? dice.Below(4000) - 2000 : dice.Pick(kPlaces);
  return std::string("reg \"HKCU\\Software\\Kelvane\\zeltfw\\Window\" ") + name + " dword " + std::to_string(place);
}

// What the generator must know to write only runnable lines.
struct GeneratorState {
  bool haveB = false;
  int classA = 1;
  std::set<std::string> deletedKeys;
};

// One event; "b" is used only once it exists.
std::string Event(Dice& dice, GeneratorState& g) {
  bool& haveB = g.haveB;
  const int classA = g.classA;
  const std::string cam = !haveB || dice.Chance(70) ? "a" : "b";
  static const char* const kOneShot[] = {"zero-write",  "zero-read",        "status=0x81",
                                         "status=0x82", "status=0x83",      "status=0x00",
                                         "short-reply", "power-cut-before", "power-cut-after"};
  static const char* const kLasting[] = {"ignore-writes", "open-fail=0", "open-fail=1", "open-fail=2",
                                         "device-open-fail"};
  const int roll = dice.Below(100);
  if (roll < 22) return "click action";
  if (roll < 44) return "click next";
  if (roll < 50) return dice.Chance(15) ? "choose count none" : "choose count " + std::to_string(1 + dice.Below(8));
  if (roll < 53) return "choose wheel " + std::to_string(1 + dice.Below(2));
  if (roll < 61) return "camera " + cam + " power off";
  if (roll < 70) return "camera " + cam + " power on";
  if (roll < 76) return "fault " + cam + " " + dice.Pick(kOneShot) + " after=" + std::to_string(dice.Below(4));
  if (roll < 78) return "fault " + cam + " " + dice.Pick(kLasting);
  if (roll < 82) return "fault " + cam + " clear";
  if (roll < 84) return dice.Chance(40) ? "admin no" : "admin yes";
  if (roll < 86) return "close";
  if (roll < 89) return "start";
  if (roll < 91) {
    static const char* const kWindow[] = {"minimize", "maximize", "restore", "move 40 60", "about"};
    return dice.Pick(kWindow);
  }
  if (roll < 93) {
    static const char* const kMessages[] = {"devmsg 0x8000 5", "devmsg 0x8004 5", "devmsg 7 none", "devmsg 0x8000 2"};
    return dice.Pick(kMessages);
  }
  if (roll < 96) {
    std::string key = DriverKey(dice.Pick(kModels));
    if (key.empty()) key = DriverKey(1030);
    static const char* const kKeyActions[] = {"delete", "create", "readonly", "writable"};
    std::string action = dice.Pick(kKeyActions);
    if (action == "delete") g.deletedKeys.insert(key);
    if (action != "delete" && g.deletedKeys.erase(key) != 0) action = "create";  // readonly needs the key
    return "regkey " + action + " " + scenario::Quote(key);
  }
  if (roll < 97 && dice.Chance(50)) {
    // The screen and the saved place, for the next start.
    return dice.Chance(50) ? MonitorsLine(dice) : SavedPlaceLine(dice, dice.Chance(50) ? "XPos" : "YPos");
  }
  if (roll < 98) {
    // The rest of the platform: enumeration, the Windows version, advapi32.
    const int which = dice.Below(3);
    if (which == 0) {
      static const char* const kStates[] = {"devs-fail", "enum-fail", "ok", "ok"};
      return "driver class=" + std::to_string(1 + dice.Below(8)) + " " + dice.Pick(kStates);
    }
    if (which == 1) {
      static const char* const kPlatforms[] = {"nt", "nt", "9x", "other", "fail"};
      return std::string("platform ") + dice.Pick(kPlatforms);
    }
    static const char* const kAdvapi[] = {"ok", "ok", "missing", "no-openscmanager", "no-closeservicehandle"};
    return std::string("advapi ") + dice.Pick(kAdvapi);
  }
  if (!haveB) {
    haveB = true;
    // A second camera, often of the same class as the first: an arrival then reaches the program.
    return CameraLine(dice, "b", dice.Chance(60) ? classA : 1 + dice.Below(8), dice.Chance(70));
  }
  return "camera " + cam + (dice.Chance(50) ? " power on" : " power off");
}

}  // namespace

Exploration GenerateExploration(std::uint64_t seed, int events) {
  Dice dice(seed);
  Exploration e;
  GeneratorState g;
  g.classA = 1 + dice.Below(8);
  const int classA = g.classA;
  if (dice.Chance(25)) {
    // A second camera from the start, added first so that it is enumerated first.
    g.haveB = true;
    e.setup.push_back(CameraLine(dice, "b", dice.Chance(60) ? classA : 1 + dice.Below(8), dice.Chance(50)));
  }
  e.setup.push_back(CameraLine(dice, "a", classA, dice.Chance(90)));
  if (dice.Chance(10)) e.setup.push_back("admin no");
  if (dice.Chance(30)) e.setup.push_back(MonitorsLine(dice));
  if (dice.Chance(40)) {
    e.setup.push_back(SavedPlaceLine(dice, "XPos"));
    e.setup.push_back(SavedPlaceLine(dice, "YPos"));
  }
  e.events.push_back("start");
  while (static_cast<int>(e.events.size()) < events) e.events.push_back(Event(dice, g));
  return e;
}

std::string ExplorationScript(const Exploration& e) {
  std::string text = "lenient on\n";
  for (const std::string& line : e.setup) text += line + "\n";
  for (const std::string& line : e.events) text += line + "\nexpect invariants\n";
  text += "close\nexpect invariants\nexpect handles 0\nexpect registrations 0\n";
  return text;
}

ExplorationResult RunExploration(const std::string& name, const Exploration& e) {
  ScriptResult r = RunScript(name, ExplorationScript(e));
  ExplorationResult result;
  result.held = r.passed;
  result.report = r.report;
  return result;
}

namespace {

// Still fails the way the original failed: runnable, not passing, and on the
// same kind of check.
struct Oracle {
  std::string name;
  std::string kind;  // "expected invariants", "expected handles", ...
  int runs = 0;

  static std::string KindOf(const std::string& report) {
    const std::size_t at = report.find(": expected ");
    if (at == std::string::npos) return report.substr(0, report.find('\n'));
    const std::size_t end = report.find(' ', at + 11);
    return report.substr(at + 2, end - at - 2);
  }
  bool Fails(const Exploration& e) {
    ++runs;
    ScriptResult r = RunScript(name, ExplorationScript(e));
    return r.runnable && !r.passed && KindOf(r.report) == kind;
  }
};

// Removes chunks of the list while the failure stays, from halves down to
// single lines.
void ShrinkList(std::vector<std::string>& items, Oracle& oracle, int maxRuns,
                const std::function<Exploration(const std::vector<std::string>&)>& make) {
  for (std::size_t chunk = std::max<std::size_t>(items.size() / 2, 1); chunk >= 1; chunk /= 2) {
    for (std::size_t at = 0; at < items.size() && oracle.runs < maxRuns;) {
      std::vector<std::string> candidate = items;
      candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(at),
                      candidate.begin() + static_cast<std::ptrdiff_t>(std::min(at + chunk, candidate.size())));
      if (!candidate.empty() && oracle.Fails(make(candidate)))
        items.swap(candidate);
      else
        at += chunk;
    }
    if (chunk == 1) break;
  }
}

}  // namespace

Exploration Shrink(const std::string& name, const Exploration& failing, int maxRuns) {
  Oracle oracle{name, Oracle::KindOf(RunScript(name, ExplorationScript(failing)).report)};
  Exploration best = failing;
  ShrinkList(best.events, oracle, maxRuns, [&best](const std::vector<std::string>& events) {
    Exploration e = best;
    e.events = events;
    return e;
  });
  ShrinkList(best.setup, oracle, maxRuns, [&best](const std::vector<std::string>& setup) {
    Exploration e = best;
    e.setup = setup;
    return e;
  });

  // User commands that did nothing are left out when the failure stays.
  ScriptResult r = RunScript(name, ExplorationScript(best));
  Exploration cleaned = best;
  cleaned.events.clear();
  // Line numbers: "lenient on", the setup, then two lines per event.
  const int firstEventLine = 2 + static_cast<int>(best.setup.size());
  for (std::size_t i = 0; i < best.events.size(); ++i)
    if (r.skipped.count(firstEventLine + 2 * static_cast<int>(i)) == 0) cleaned.events.push_back(best.events[i]);
  if (cleaned.events.size() < best.events.size() && oracle.Fails(cleaned)) best = cleaned;
  return best;
}

}  // namespace reliability
