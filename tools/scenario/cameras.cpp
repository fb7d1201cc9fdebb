#include "tools/scenario/cameras.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace scenario {

namespace {

// "rs:A:10" -> kind, address, length; false for anything else.
struct Instruction {
  std::string kind;
  std::uint64_t address = 0;
  std::int64_t length = 0;
  bool operator==(const Instruction& o) const { return kind == o.kind && address == o.address && length == o.length; }
};

bool ParseInstruction(const std::string& text, Instruction& out) {
  std::size_t first = text.find(':');
  std::size_t second = first == std::string::npos ? first : text.find(':', first + 1);
  if (second == std::string::npos) return false;
  std::string kind = text.substr(0, first);
  if (kind != "rs" && kind != "rl" && kind != "ws" && kind != "wl") return false;
  std::string address = text.substr(first + 1, second - first - 1);
  if (address.rfind("0x", 0) != 0 && address.rfind("0X", 0) != 0) address = "0x" + address;
  std::int64_t a = 0, n = 0;
  if (!scenario::ParseNumber(address, 0, UINT32_MAX, a)) return false;
  std::string length = text.substr(second + 1);
  if (length.rfind("0x", 0) == 0 || !scenario::ParseNumber(length, 0, 1 << 20, n)) return false;
  out = Instruction{kind, static_cast<std::uint64_t>(a), n};
  return true;
}

namespace layout = camera_model::layout;
using FilterBytes = std::pair<std::uint8_t, std::uint8_t>;  // bytes 4 and 5 of a configuration block

constexpr unsigned kCounts[] = {0, 5, 6, 7, 8, 9, 10, 12};  // by count item 1..8

// Bits of byte 5 that a write may change.
std::uint8_t CountBits(camera_model::CameraSeries series) {
  return series == camera_model::CameraSeries::Ravik ? 0x0F : 0xFF;
}

// The filter bytes after a press with these selections (0: none), encoded as
// the camera keeps them; an independent statement of the block formats.
FilterBytes Encode(camera_model::CameraSeries series, FilterBytes bytes, int countItem, int wheelItem) {
  auto& [filter, count] = bytes;
  if (countItem >= 1 && countItem <= 8) {
    unsigned n = kCounts[countItem - 1];
    if (series == camera_model::CameraSeries::Ravik) {
      filter = static_cast<std::uint8_t>(filter & ~0x03);
      if (n == 5) filter |= 0x01;
      if (n == 6) filter |= 0x02;
      if (n > 6) {
        filter |= 0x03;
        count = static_cast<std::uint8_t>((count & 0xF0) | n);
      }
    } else {
      count = static_cast<std::uint8_t>(n);
    }
  }
  const bool revision2 = wheelItem != 1;  // the program's rule: anything but item 1 is revision 2
  switch (series) {
    case camera_model::CameraSeries::Ravik:
      filter = static_cast<std::uint8_t>(revision2 ? filter | 0x80 : filter & ~0x80);
      break;
    case camera_model::CameraSeries::Zelt:
      filter = static_cast<std::uint8_t>(revision2 ? filter | 0x04 : filter & ~0x04);
      break;
    case camera_model::CameraSeries::Oskel:
      filter = static_cast<std::uint8_t>(revision2 ? filter & ~0x02 : filter | 0x02);
      break;
  }
  return bytes;
}

std::string Join(const std::vector<std::string>& items) {
  if (items.empty()) return "none";
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : " ") + item;
  return out;
}

}  // namespace

CameraCommand ParseCameraCommand(const Args& a) {
  a.Between(2, 11);
  CameraCommand command;
  command.name = a.Text(0);
  if (command.name.empty() || command.name.find('=') != std::string::npos)
    throw ScriptError{"bad camera name \"" + command.name + "\""};
  auto options = a.Options(1, {"class", "model", "id", "type", "count", "wheel", "flags", "seed", "power", "pathlen"});
  if (options.count("class") == 0) throw ScriptError{"camera needs class=N"};

  camera_model::CameraSetup& setup = command.setup;
  setup = camera_model::DefaultSetup(static_cast<int>(ParseNumberOrThrow(options["class"], 1, 8, "class")));
  if (options.count("model"))
    setup.model = static_cast<std::uint16_t>(ParseNumberOrThrow(options["model"], 0, 0xFFFF, "model"));
  if (options.count("id"))
    setup.id = static_cast<std::uint32_t>(ParseNumberOrThrow(options["id"], 0, 0xFFFFFFFF, "id"));
  if (options.count("type")) setup.typeText = Cp1250OrThrow(options["type"]);
  if (options.count("count"))
    setup.count = static_cast<unsigned>(ParseNumberOrThrow(options["count"], 0, 255, "count"));
  if (options.count("wheel")) setup.wheel = static_cast<int>(ParseNumberOrThrow(options["wheel"], 1, 2, "wheel"));
  if (options.count("flags"))
    setup.flags = static_cast<std::uint8_t>(ParseNumberOrThrow(options["flags"], 0, 0xFF, "flags"));
  if (options.count("seed"))
    setup.seed = static_cast<std::uint64_t>(ParseNumberOrThrow(options["seed"], 0, INT64_MAX, "seed"));
  if (options.count("power")) {
    if (options["power"] != "on" && options["power"] != "off") throw ScriptError{"power must be on or off"};
    command.power = options["power"] == "on";
  }
  if (options.count("pathlen"))
    command.pathLen = static_cast<std::size_t>(ParseNumberOrThrow(options["pathlen"], 1, 4096, "pathlen"));
  std::string error;
  if (!camera_model::CheckCameraSetup(setup, error)) throw ScriptError{error};
  return command;
}

namespace {

// NAME ADDR HEX...: bytes that lie within the camera's memory from ADDR.
std::pair<std::size_t, std::vector<std::uint8_t>> BytesAt(const Args& a) {
  a.Between(3, SIZE_MAX);
  auto address = static_cast<std::size_t>(a.Number(1, 0, camera_model::kMemorySize - 1, "address"));
  std::vector<std::uint8_t> bytes = a.HexFrom(2);
  if (address + bytes.size() > camera_model::kMemorySize) throw ScriptError{"bytes reach past the camera's memory"};
  return {address, bytes};
}

}  // namespace

CameraAction Poke(const Args& a) {
  const auto [address, bytes] = BytesAt(a);
  return [address = address, bytes = bytes](camera_model::Camera& camera) {
    for (std::size_t i = 0; i < bytes.size(); ++i) camera.memory[address + i] = bytes[i];
  };
}

FaultLine Fault(const Args& a) {
  a.Between(2, 3);
  const bool clear = a.Text(1) == "clear";
  camera_model::Fault fault;
  std::string error;
  if (!clear && !camera_model::ParseFault(a.Text(1), fault, error)) throw ScriptError{error};
  if (a.Count() == 3) {
    if (clear || !fault.OneShot()) throw ScriptError{"after=K goes only with a one-time fault"};
    auto options = a.Options(2, {"after"});
    fault.after = static_cast<int>(ParseNumberOrThrow(options["after"], 0, 1000000, "after"));
  }
  FaultLine line;
  line.pipes = clear || fault.PipesFollow();
  line.cutsPower = !clear && (fault.kind == camera_model::FaultKind::PowerCutBefore ||
                              fault.kind == camera_model::FaultKind::PowerCutAfter);
  line.act = [clear, fault](camera_model::Camera& camera) {
    if (clear) {
      camera.ClearFaults();
      return;
    }
    std::string refused;
    if (!camera.Inject(fault, refused)) throw ScriptError{refused};
  };
  return line;
}

CameraAction ExpectMemory(const Args& a) {
  const auto [address, bytes] = BytesAt(a);
  const std::string expected = "memory " + a.Text(0) + " " + Hex(address) + " " + HexBytes(bytes.data(), bytes.size());
  return [address = address, bytes = bytes, expected](camera_model::Camera& camera) {
    const std::uint8_t* actual = camera.memory.data() + address;
    if (!std::equal(bytes.begin(), bytes.end(), actual)) throw ExpectFailure{expected, HexBytes(actual, bytes.size())};
  };
}

// Exactly these bytes differ from the snapshot: ADDR:HH ... or none.
CameraAction ExpectDiff(const Args& a) {
  a.Between(2, SIZE_MAX);
  std::map<std::size_t, std::uint8_t> want;
  if (!(a.Count() == 2 && a.Text(1) == "none")) {
    for (std::size_t i = 1; i < a.Count(); ++i) {
      const std::string& item = a.Text(i);
      std::size_t colon = item.rfind(':');
      if (colon == std::string::npos) throw ScriptError{"expected ADDR:HH, not \"" + item + "\""};
      auto address = static_cast<std::size_t>(
          ParseNumberOrThrow(item.substr(0, colon), 0, camera_model::kMemorySize - 1, "address"));
      std::vector<std::uint8_t> value;
      std::string error;
      if (item.size() - colon != 3 || !scenario::ParseHexBytes({item.substr(colon + 1)}, value, error))
        throw ScriptError{"expected two hex digits after the colon in \"" + item + "\""};
      if (!want.emplace(address, value[0]).second) throw ScriptError{"address given twice: \"" + item + "\""};
    }
  }
  std::vector<std::string> items(a.Rest(1).Count());
  for (std::size_t i = 1; i < a.Count(); ++i) items[i - 1] = a.Text(i);
  const std::string expected = "diff " + a.Text(0) + " " + Join(items);
  return [want, expected](camera_model::Camera& camera) {
    std::map<std::size_t, std::uint8_t> actual;
    for (std::size_t i = 0; i < camera.memory.size(); ++i)
      if (camera.memory[i] != camera.snapshot[i]) actual.emplace(i, camera.memory[i]);
    if (actual == want) return;
    std::vector<std::string> got;
    for (const auto& [address, value] : actual) {
      if (got.size() == 24) {
        got.push_back("... (" + std::to_string(actual.size()) + " in all)");
        break;
      }
      got.push_back(Hex(address) + ":" + HexBytes(&value, 1));
    }
    throw ExpectFailure{expected, Join(got)};
  };
}

CameraAction ExpectInstructions(const Args& a) {
  a.Between(1, SIZE_MAX);
  std::vector<std::optional<Instruction>> want;
  for (std::size_t i = 1; i < a.Count(); ++i) {
    if (a.IsWildcard(i)) {
      want.emplace_back();
      continue;
    }
    Instruction op;
    if (!ParseInstruction(a.Text(i), op))
      throw ScriptError{"expected rs|rl|ws|wl:HEXADDR:LENGTH, not \"" + a.Text(i) + "\""};
    want.emplace_back(op);
  }
  std::vector<std::string> items;
  for (std::size_t i = 1; i < a.Count(); ++i) items.push_back(a.Text(i));
  const std::string expected = "instructions " + a.Text(0) + " " + Join(items);
  return [want, expected](camera_model::Camera& camera) {
    // Taken only once they hold: a world whose device messages come late looks again.
    const std::vector<std::string> taken = camera.instructions;
    bool holds = taken.size() == want.size();
    for (std::size_t i = 0; holds && i < taken.size(); ++i) {
      Instruction op;
      holds = ParseInstruction(taken[i], op) ? (!want[i] || *want[i] == op) : !want[i];
    }
    if (!holds) throw ExpectFailure{expected, Join(taken)};
    camera.TakeInstructions();
  };
}

std::string WrongChosenBytes(const camera_model::Camera& camera, const std::vector<std::pair<int, int>>& presses) {
  const auto series = camera.Series();
  const std::size_t filterAt = camera_model::ConfigBlockAddress(series) + layout::kFilterByteOffset;
  const std::size_t countAt = filterAt + 1;
  const std::uint8_t* now8 = camera.memory.data();
  const std::uint8_t* was8 = camera.snapshot.data();
  const std::size_t size = camera.memory.size();
  // Outside the two filter bytes nothing may differ.
  if (std::memcmp(now8, was8, filterAt) != 0 ||
      std::memcmp(now8 + countAt + 1, was8 + countAt + 1, size - countAt - 1) != 0) {
    std::size_t i = 0;
    while (i < size && (now8[i] == was8[i] || i == filterAt || i == countAt)) ++i;
    return "camera " + camera.name + " changed at " + Hex(i) + ", outside its filter bytes";
  }
  const FilterBytes now{camera.memory[filterAt], camera.memory[countAt]};
  const FilterBytes was{camera.snapshot[filterAt], camera.snapshot[countAt]};
  const std::uint8_t filterBits = camera_model::FilterBitsOf(series);
  if (((now.first ^ was.first) & ~filterBits) != 0 || ((now.second ^ was.second) & ~CountBits(series)) != 0)
    return "camera " + camera.name + " changed outside its filter bits: " + HexBytes(&now.first, 1) + " " +
           HexBytes(&now.second, 1);
  // Every value the presses so far could have written, in their order.
  std::set<FilterBytes> reachable{was};
  for (const auto& [countItem, wheelItem] : presses) {
    std::set<FilterBytes> more = reachable;
    for (const FilterBytes& from : reachable) more.insert(Encode(series, from, countItem, wheelItem));
    reachable.swap(more);
  }
  if (reachable.count(now) == 0)
    return "camera " + camera.name + " holds filter bytes " + HexBytes(&now.first, 1) + " " + HexBytes(&now.second, 1) +
           " that no write press chose";
  return std::string();
}

}  // namespace scenario
