// The camera's command interpreter: memory read (18) and write (19) in their
// short (8-bit address) and long (32-bit address) forms, with the camera's
// status codes, and the one-shot faults that tests inject.
#include <cstring>

#include "core/little_endian.h"
#include "platform/sim/internals.h"

namespace sim {

namespace {

constexpr std::uint8_t kRead = 18;
constexpr std::uint8_t kWrite = 19;
constexpr std::uint8_t kDone = 0x80;
constexpr std::uint8_t kInvalidIndex = 0x81;
constexpr std::uint8_t kInvalidParameter = 0x82;
constexpr std::uint8_t kUnknownInstruction = 0x83;
constexpr std::size_t kMaxReadLength = 63;  // status and data fill the 64-byte reply

struct Request {
  bool valid = false;  // a read or write whose size matches one of its forms
  bool write = false;
  bool shortForm = false;
  std::uint32_t address = 0;
  std::size_t count = 0;
  const std::uint8_t* data = nullptr;
};

Request Decode(const std::uint8_t* bytes, std::size_t size) {
  Request r;
  if (size == 0 || (bytes[0] != kRead && bytes[0] != kWrite)) return r;
  r.write = bytes[0] == kWrite;
  if (size >= 3 && size == (r.write ? 3u + bytes[2] : 3u)) {
    r.valid = true;
    r.shortForm = true;
    r.address = bytes[1];
    r.count = bytes[2];
    r.data = bytes + 3;
  } else if (size >= 6 && size == (r.write ? 6u + bytes[5] : 6u)) {
    r.valid = true;
    r.address = core::ReadLe32(bytes + 1);
    r.count = bytes[5];
    r.data = bytes + 6;
  }
  return r;
}

std::string Hex(std::uint32_t value, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), digits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return out;
}

// "rs:A:10"; a request that is no read or write of a known form is logged
// with its first bytes, e.g. "bad:12 00".
std::string LogEntry(const std::uint8_t* bytes, std::size_t size, const Request& r) {
  if (r.valid) {
    std::string op = std::string(r.write ? "w" : "r") + (r.shortForm ? "s" : "l");
    return op + ":" + Hex(r.address, true) + ":" + std::to_string(r.count);
  }
  std::string out = "bad:";
  for (std::size_t i = 0; i < size && i < 8; ++i) {
    if (i > 0) out += ' ';
    std::string byte = Hex(bytes[i], false);
    out += byte.size() == 1 ? "0" + byte : byte;
  }
  if (size > 8) out += " ...";
  return out;
}

// shortBy: the data bytes a short reply lacks (0: about half); -1: the reply is whole.
std::vector<std::uint8_t> Execute(Camera& camera, const std::uint8_t* bytes, const Request& r, int shortBy) {
  if (bytes[0] != kRead && bytes[0] != kWrite) return {kUnknownInstruction};
  if (!r.valid || r.count == 0 || (!r.write && r.count > kMaxReadLength)) return {kInvalidParameter};
  if (static_cast<std::uint64_t>(r.address) + r.count > camera.memory.size()) return {kInvalidIndex};
  if (r.write) {
    if (!camera.ignoreWrites) std::memcpy(camera.memory.data() + r.address, r.data, r.count);
    return {kDone};
  }
  std::size_t sent = r.count;
  if (shortBy == 0) sent = r.count / 2;
  if (shortBy > 0) sent = r.count > static_cast<std::size_t>(shortBy) ? r.count - static_cast<std::size_t>(shortBy) : 0;
  std::vector<std::uint8_t> reply(1 + sent);
  reply[0] = kDone;
  std::memcpy(reply.data() + 1, camera.memory.data() + r.address, sent);
  return reply;
}

// The fault that strikes this instruction, if any: the oldest whose count has
// run out. Every other one counts this instruction.
bool TakeFault(Camera& camera, PendingFault& struck) {
  bool found = false;
  for (auto it = camera.faults.begin(); it != camera.faults.end();) {
    if (!found && it->after <= 0) {
      struck = *it;
      found = true;
      it = camera.faults.erase(it);
      continue;
    }
    if (it->after > 0) --it->after;
    ++it;
  }
  return found;
}

// The power cut that strikes this instruction, if any; the others count it.
bool TakePowerCut(Camera& camera, PendingPowerCut& struck) {
  bool found = false;
  for (auto it = camera.powerCuts.begin(); it != camera.powerCuts.end();) {
    if (!found && it->after <= 0) {
      struck = *it;
      found = true;
      it = camera.powerCuts.erase(it);
      continue;
    }
    if (it->after > 0) --it->after;
    ++it;
  }
  return found;
}

// The one-shot item that strikes the next instruction, if any: the oldest
// whose count has run out.
template <typename Item>
const Item* Due(const std::vector<Item>& items) {
  for (const Item& item : items)
    if (item.after <= 0) return &item;
  return nullptr;
}

}  // namespace

bool TakeDueZeroWrite(Camera& camera) {
  const PendingFault* fault = Due(camera.faults);
  if (Due(camera.powerCuts) != nullptr || fault == nullptr || fault->kind != FaultKind::ZeroWrite) return false;
  PendingPowerCut cut;
  PendingFault struck{FaultKind::ZeroWrite};
  TakePowerCut(camera, cut);  // counts this request off the power cuts
  TakeFault(camera, struck);
  return true;
}

Exchange RunRequest(World& world, Camera& camera, const std::uint8_t* request, std::size_t size) {
  Exchange exchange;
  exchange.delivered = DeliverRequest(world, camera, request, size);
  auto& replies = world.internals().replies;
  auto it = replies.find(&camera);
  if (it == replies.end()) {
    exchange.replyLost = true;  // a power cut after the instruction took it
    return exchange;
  }
  exchange.reply = std::move(it->second.bytes);
  exchange.replyLost = it->second.lost;
  replies.erase(it);
  return exchange;
}

bool DeliverRequest(World& world, Camera& camera, const std::uint8_t* request, std::size_t size) {
  auto& replies = world.internals().replies;
  replies.erase(&camera);  // an unread reply is overwritten by the next one
  PendingPowerCut cut;
  const bool powerCut = TakePowerCut(camera, cut);
  if (powerCut && !cut.afterRunning) {
    world.SetPower(camera, false);  // kills the pipes: the request goes nowhere
    return false;
  }
  PendingFault fault{FaultKind::Status, 0, 0};
  bool faulted = TakeFault(camera, fault);
  if (faulted && fault.kind == FaultKind::ZeroWrite) return false;

  Request r = Decode(request, size);
  camera.instructions.push_back(LogEntry(request, size, r));
  camera.requests.emplace_back(request, request + size);
  PendingReply reply;
  if (faulted && fault.kind == FaultKind::Status) {
    reply.bytes = {fault.status};
  } else {
    const bool shortReply = faulted && fault.kind == FaultKind::ShortReply;
    reply.bytes = Execute(camera, request, r, shortReply ? fault.shortBy : -1);
    reply.lost = faulted && fault.kind == FaultKind::ZeroRead;
  }
  if (camera.replyHook && !reply.lost) reply.lost = !camera.replyHook(reply.bytes);
  replies[&camera] = std::move(reply);
  if (powerCut) world.SetPower(camera, false);  // the instruction ran; its reply dies with the pipes
  return true;
}

}  // namespace sim
