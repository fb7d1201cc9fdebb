#include "tools/camera_model/faults.h"

#include "tools/camera_model/numbers.h"

namespace camera_model {
namespace {

bool Bounded(const std::string& text, int min, int max, const char* what, int& value, std::string& error) {
  std::int64_t number = 0;
  if (!ParseNumber(text, min, max, what, number, error)) return false;
  value = static_cast<int>(number);
  return true;
}

std::string Hex2(unsigned value) {
  const char* digits = "0123456789ABCDEF";
  return std::string("0x") + digits[(value >> 4) & 0xF] + digits[value & 0xF];
}

}  // namespace

bool Fault::OneShot() const {
  return kind != FaultKind::IgnoreWrites && kind != FaultKind::OpenFail && kind != FaultKind::DeviceOpenFail;
}

bool Fault::PipesFollow() const {
  return kind == FaultKind::ZeroWrite || kind == FaultKind::OpenFail || kind == FaultKind::DeviceOpenFail;
}

bool ParseStatus(const std::string& text, std::uint8_t& status, std::string& error) {
  int value = 0;
  if (!Bounded(text, 0, 0xFF, "status", value, error)) return false;
  status = static_cast<std::uint8_t>(value);
  return true;
}

bool ParseFault(const std::string& word, Fault& fault, std::string& error) {
  static const struct {
    const char* word;
    FaultKind kind;
  } kPlain[] = {{"zero-write", FaultKind::ZeroWrite},           {"zero-read", FaultKind::ZeroRead},
                {"short-reply", FaultKind::ShortReply},         {"power-cut-before", FaultKind::PowerCutBefore},
                {"power-cut-after", FaultKind::PowerCutAfter},  {"ignore-writes", FaultKind::IgnoreWrites},
                {"device-open-fail", FaultKind::DeviceOpenFail}};
  for (const auto& plain : kPlain)
    if (word == plain.word) return fault = Fault{plain.kind}, true;
  Fault parsed;
  const auto value = [&word](const char* prefix) { return word.substr(std::string(prefix).size()); };
  if (word.rfind("short-reply=", 0) == 0) {
    parsed.kind = FaultKind::ShortReply;
    if (!Bounded(value("short-reply="), 1, 63, "bytes short", parsed.shortBy, error)) return false;
  } else if (word.rfind("status=", 0) == 0) {
    parsed.kind = FaultKind::Status;
    if (!ParseStatus(value("status="), parsed.status, error)) return false;
  } else if (word.rfind("open-fail=", 0) == 0) {
    parsed.kind = FaultKind::OpenFail;
    if (!Bounded(value("open-fail="), 0, 2, "pipe", parsed.pipe, error)) return false;
  } else {
    error = "unknown fault \"" + word + "\"";
    return false;
  }
  fault = parsed;
  return true;
}

std::string Describe(const Fault& fault) {
  std::string out;
  switch (fault.kind) {
    case FaultKind::ZeroWrite:
      out = "zero-write";
      break;
    case FaultKind::ZeroRead:
      out = "zero-read";
      break;
    case FaultKind::Status:
      out = "status=" + Hex2(fault.status);
      break;
    case FaultKind::ShortReply:
      out = fault.shortBy > 0 ? "short-reply=" + std::to_string(fault.shortBy) : "short-reply";
      break;
    case FaultKind::PowerCutBefore:
      out = "power-cut-before";
      break;
    case FaultKind::PowerCutAfter:
      out = "power-cut-after";
      break;
    case FaultKind::IgnoreWrites:
      out = "ignore-writes";
      break;
    case FaultKind::OpenFail:
      out = "open-fail=" + std::to_string(fault.pipe);
      break;
    case FaultKind::DeviceOpenFail:
      out = "device-open-fail";
      break;
  }
  if (fault.OneShot() && fault.after > 0) out += " after=" + std::to_string(fault.after);
  return out;
}

}  // namespace camera_model
