// Memory read (18) and write (19) in their short (8-bit address) and long
// (32-bit address) forms, with the camera's status codes, and the one-shot
// faults that tests inject.
#include "platform/camera_model/interpreter.h"

#include <cstring>
#include <string>

#include "core/little_endian.h"

namespace camera_model {

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

// The fault of the list that strikes this instruction, if any: the oldest
// whose count has run out. Every other one counts this instruction.
bool Take(std::vector<Fault>& list, Fault& struck) {
  bool found = false;
  for (auto it = list.begin(); it != list.end();) {
    if (!found && it->after <= 0) {
      struck = *it;
      found = true;
      it = list.erase(it);
      continue;
    }
    if (it->after > 0) --it->after;
    ++it;
  }
  return found;
}

// The fault of the list that strikes the next instruction, if any: the
// oldest whose count has run out.
const Fault* Due(const std::vector<Fault>& list) {
  for (const Fault& fault : list)
    if (fault.after <= 0) return &fault;
  return nullptr;
}

}  // namespace

bool TakeDueZeroWrite(Camera& camera) {
  const Fault* fault = Due(camera.faults);
  if (Due(camera.powerCuts) != nullptr || fault == nullptr || fault->kind != FaultKind::ZeroWrite) return false;
  Fault struck;
  Take(camera.powerCuts, struck);  // counts this request off the power cuts
  Take(camera.faults, struck);
  return true;
}

Exchange Run(Camera& camera, const std::uint8_t* request, std::size_t size) {
  Exchange exchange;
  Fault cut;
  exchange.powerCut = Take(camera.powerCuts, cut);
  if (exchange.powerCut && cut.kind == FaultKind::PowerCutBefore) return exchange;  // the request goes nowhere
  Fault fault;
  const bool faulted = Take(camera.faults, fault);
  if (faulted && fault.kind == FaultKind::ZeroWrite) return exchange;

  exchange.delivered = true;
  Request r = Decode(request, size);
  camera.instructions.push_back(LogEntry(request, size, r));
  camera.requests.emplace_back(request, request + size);
  if (faulted && fault.kind == FaultKind::Status) {
    exchange.reply = {fault.status};
  } else {
    const bool shortReply = faulted && fault.kind == FaultKind::ShortReply;
    exchange.reply = Execute(camera, request, r, shortReply ? fault.shortBy : -1);
    exchange.replyLost = faulted && fault.kind == FaultKind::ZeroRead;
  }
  if (camera.replyHook && !exchange.replyLost) exchange.replyLost = !camera.replyHook(exchange.reply);
  if (exchange.powerCut) exchange.replyLost = true;  // the instruction ran; its reply dies with the pipes
  return exchange;
}

}  // namespace camera_model
