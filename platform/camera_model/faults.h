// The faults a virtual camera can be given, and the names they go by: the
// scenario language's `fault` words, which the Virtual camera window shows too.
#pragma once
#include <cstdint>
#include <string>

namespace camera_model {

enum class FaultKind {
  // One-shot, at an instruction: what its request or reply does.
  ZeroWrite,   // the request moves no bytes; the camera never sees it
  ZeroRead,    // the camera runs the instruction; its reply moves no bytes
  Status,      // the reply carries `status` instead of the real one; nothing is executed
  ShortReply,  // a read's reply carries status 0x80 and fewer than n data bytes (shortBy)
  // One-shot, at an instruction: the camera loses its power before the
  // request reaches it (the request moves no bytes), or once it has run the
  // instruction (its reply is lost).
  PowerCutBefore,
  PowerCutAfter,
  // Lasting, until cleared.
  IgnoreWrites,    // writes answer 0x80 but memory keeps its bytes
  OpenFail,        // the pipe `pipe` (0 to 2) does not open
  DeviceOpenFail,  // the device path itself does not open
};

struct Fault {
  FaultKind kind = FaultKind::ZeroWrite;
  std::uint8_t status = 0;
  // One-shot: instructions that still succeed before this one strikes; every
  // request on the command pipe counts one off. Of two faults due at once the
  // older strikes; the other waits for the next instruction.
  int after = 0;
  int shortBy = 0;  // ShortReply: the data bytes the reply lacks (at most all of them); 0: about half
  int pipe = 0;     // OpenFail

  bool OneShot() const;
  // Real pipes must follow at once: a lasting fault of the pipes, or a zero-write that may be due.
  bool PipesFollow() const;
};

// "zero-write", "zero-read", "status=0x8F", "short-reply", "short-reply=3",
// "power-cut-before", "power-cut-after", "ignore-writes", "open-fail=2",
// "device-open-fail" (after stays 0). False with a reason in error for any other word.
bool ParseFault(const std::string& word, Fault& fault, std::string& error);
// A status code as a person writes it: decimal or 0x hexadecimal, 0 to 0xFF.
// False with a reason in error; status is then unchanged.
bool ParseStatus(const std::string& text, std::uint8_t& status, std::string& error);
// The fault's word, with " after=K" when it waits for instructions first.
std::string Describe(const Fault& fault);

}  // namespace camera_model
