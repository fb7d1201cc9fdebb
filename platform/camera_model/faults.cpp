#include "platform/camera_model/faults.h"

#include "platform/camera_model/numbers.h"

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

// Each fault's name; the status, pipe and short reply's length follow after '='.
struct Name {
  FaultKind kind;
  const char* word;
};
constexpr Name kNames[] = {{FaultKind::ZeroWrite, "zero-write"},
                           {FaultKind::ZeroRead, "zero-read"},
                           {FaultKind::Status, "status"},
                           {FaultKind::ShortReply, "short-reply"},
                           {FaultKind::PowerCutBefore, "power-cut-before"},
                           {FaultKind::PowerCutAfter, "power-cut-after"},
                           {FaultKind::IgnoreWrites, "ignore-writes"},
                           {FaultKind::OpenFail, "open-fail"},
                           {FaultKind::DeviceOpenFail, "device-open-fail"}};

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
  const std::size_t equals = word.find('=');
  const std::string name = word.substr(0, equals);
  const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
  const Name* named = nullptr;
  for (const Name& candidate : kNames)
    if (name == candidate.word) named = &candidate;
  // The status and the pipe must be given; a short reply's length may be.
  const bool valueNeeded = named != nullptr && (named->kind == FaultKind::Status || named->kind == FaultKind::OpenFail);
  const bool valueTaken = valueNeeded || (named != nullptr && named->kind == FaultKind::ShortReply);
  if (named == nullptr || (equals == std::string::npos && valueNeeded) || (equals != std::string::npos && !valueTaken))
    return error = "unknown fault \"" + word + "\"", false;
  Fault parsed{named->kind};
  if (equals != std::string::npos) {
    const bool read = named->kind == FaultKind::Status ? ParseStatus(value, parsed.status, error)
                      : named->kind == FaultKind::OpenFail
                          ? Bounded(value, 0, 2, "pipe", parsed.pipe, error)
                          : Bounded(value, 1, 63, "bytes short", parsed.shortBy, error);
    if (!read) return false;
  }
  fault = parsed;
  return true;
}

std::string Describe(const Fault& fault) {
  std::string out;
  for (const Name& name : kNames)
    if (name.kind == fault.kind) out = name.word;
  if (fault.kind == FaultKind::Status) out += "=" + Hex2(fault.status);
  if (fault.kind == FaultKind::ShortReply && fault.shortBy > 0) out += "=" + std::to_string(fault.shortBy);
  if (fault.kind == FaultKind::OpenFail) out += "=" + std::to_string(fault.pipe);
  if (fault.OneShot() && fault.after > 0) out += " after=" + std::to_string(fault.after);
  return out;
}

}  // namespace camera_model
