// The memory instructions: one request on the command pipe, one reply on the
// data pipe, through one 64-byte exchange buffer.
#include "camera/camera_link.h"
#include "camera/link_texts.h"
#include "core/little_endian.h"
#include "core/memory.h"
#include "core/text.h"
#include "platform/api.h"

namespace camera {

namespace {
constexpr std::uint8_t kReadMemory = 18;
constexpr std::uint8_t kWriteMemory = 19;
constexpr std::uint8_t kStatusDone = 0x80;
constexpr std::size_t kLongHeader = 6;
constexpr std::size_t kShortHeader = 3;
}  // namespace

bool CCameraLink::ReadMemory(std::uint32_t address, std::size_t count, std::uint8_t* dest) {
  return Exchange(Form::Long, false, address, count, dest, nullptr);
}

bool CCameraLink::ReadMemoryShort(std::uint8_t address, std::size_t count, std::uint8_t* dest) {
  return Exchange(Form::Short, false, address, count, dest, nullptr);
}

bool CCameraLink::WriteMemory(std::uint32_t address, std::size_t count, const std::uint8_t* src) {
  return Exchange(Form::Long, true, address, count, nullptr, src);
}

bool CCameraLink::WriteMemoryShort(std::uint8_t address, std::size_t count, const std::uint8_t* src) {
  return Exchange(Form::Short, true, address, count, nullptr, src);
}

void CCameraLink::InstructionStatusText(std::uint8_t status, std::size_t capacity, char* text) {
  core::CopyA(capacity, text, texts::kInstructionFailed);
  switch (status) {
    case 0x81:
      core::AppendA(capacity, text, texts::kInvalidIndex);
      break;
    case 0x82:
      core::AppendA(capacity, text, texts::kInvalidParameter);
      break;
    case 0x83:
      core::AppendA(capacity, text, texts::kUnknownInstruction);
      break;
    default:
      core::AppendA(capacity, text, texts::kUnknownReturnCode);
      break;
  }
}

bool CCameraLink::Exchange(Form form, bool write, std::uint32_t address, std::size_t count, std::uint8_t* dest,
                           const std::uint8_t* src) {
  if (CommandPipe == INVALID_HANDLE_VALUE) {
    SetError(texts::kNotInitialised);
    return false;
  }

  // The request and the read reply (status + data) must fit the buffer; the
  // length travels in one byte.
  const std::size_t header = form == Form::Long ? kLongHeader : kShortHeader;
  const std::size_t requestSize = header + (write ? count : 0);
  if (requestSize > kExchangeBufferSize || (!write && 1 + count > kExchangeBufferSize) || count > 0xFF ||
      (write && count != 0 && src == nullptr) || (!write && count != 0 && dest == nullptr)) {
    SetError(texts::kRequestTooLong);
    return false;
  }

  std::uint8_t buffer[kExchangeBufferSize];
  core::Fill(buffer, sizeof(buffer), 0);
  buffer[0] = write ? kWriteMemory : kReadMemory;
  if (form == Form::Long) {
    core::WriteLe32(address, buffer + 1);
    buffer[5] = static_cast<std::uint8_t>(count);
  } else {
    buffer[1] = static_cast<std::uint8_t>(address);
    buffer[2] = static_cast<std::uint8_t>(count);
  }
  if (write && count != 0) core::Move(src, buffer + header, count);

  // A transfer is judged by its byte count alone: zero bytes means the camera is gone.
  win::DWORD moved = 0;
  win::WriteFile(CommandPipe, buffer, static_cast<win::DWORD>(requestSize), &moved, nullptr);
  if (moved != 0) {
    moved = 0;
    win::ReadFile(DataPipe, buffer, write ? 1 : static_cast<win::DWORD>(kExchangeBufferSize), &moved, nullptr);
  }
  if (moved == 0) {
    SetError(texts::kNotConnected);
    Disconnect();
    return false;
  }

  if (buffer[0] != kStatusDone) {
    InstructionStatusText(buffer[0], kLastErrorMax, LastErrorText);
    return false;
  }
  if (!write) {
    // Bytes the camera did not send must never reach the caller's block.
    if (moved < 1 + count) {
      SetError(texts::kShortReply);
      return false;
    }
    if (count != 0) core::Move(buffer + 1, dest, count);
  }
  return true;
}

}  // namespace camera
