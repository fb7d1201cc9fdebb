// The main window's connection to one camera: discovery by device-interface
// class, the three pipes, the arrival/removal registration, and the four
// memory instructions. The window owns one CCameraLink and answers its
// questions through LinkOwner.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/types.h"

namespace camera {

// LinkFlags: bit 0 LinkOpen, bits 1..8 the class the camera was found under.
constexpr std::uint32_t kLinkOpen = 0x001;
constexpr std::uint32_t kSeriesMask = 0x1FE;
constexpr std::uint32_t kRavikMask = 0x006;
constexpr std::uint32_t kZeltMask = 0x078;
constexpr std::uint32_t kOskelMask = 0x180;
constexpr std::uint32_t kNeedsPermissionMask = 0x07E;  // Ravik or Zelt

constexpr std::size_t kDevicePathMax = 260;  // characters; DevicePath holds 261 bytes
constexpr std::size_t kLastErrorMax = 127;   // characters; LastErrorText holds 128 bytes
constexpr std::size_t kExchangeBufferSize = 64;

// The driver's device-interface classes in the order they are tried.
extern const win::GUID CameraInterfaceClasses[8];

class LinkOwner {
 public:
  virtual win::HWND LinkWindowHandle() = 0;               // null before the native window exists
  virtual void LinkSetTitle(std::string_view title) = 0;  // Windows-1250
  virtual void LinkClosed() = 0;  // Disconnect has closed everything; the window may react (wizard step 2)

 protected:
  ~LinkOwner() = default;
};

class CCameraLink {
 public:
  explicit CCameraLink(LinkOwner& owner);
  ~CCameraLink();  // closes whatever is still open, without calling the owner
  CCameraLink(const CCameraLink&) = delete;
  CCameraLink& operator=(const CCameraLink&) = delete;

  void Connect();
  void Disconnect();
  // First device of the class that opens, or the invalid-handle value; the
  // device path goes to path (bound characters at most, plus a terminator).
  win::HANDLE OpenFirstDevice(const win::GUID& classGuid, std::size_t bound, char* path);
  void RegisterCameraNotification();

  // One exchange each; false with a reason in LastErrorText on failure. A
  // destination is written only on success.
  bool ReadMemory(std::uint32_t address, std::size_t count, std::uint8_t* dest);
  bool ReadMemoryShort(std::uint8_t address, std::size_t count, std::uint8_t* dest);
  bool WriteMemory(std::uint32_t address, std::size_t count, const std::uint8_t* src);
  bool WriteMemoryShort(std::uint8_t address, std::size_t count, const std::uint8_t* src);
  static void InstructionStatusText(std::uint8_t status, std::size_t capacity, char* text);

  bool IsOpen() const { return (LinkFlags & kLinkOpen) != 0; }
  std::uint32_t Series() const { return LinkFlags & kSeriesMask; }

  // The link's fields, in this order. Pipe handles hold the invalid-handle
  // value while closed; NotificationHandle is null without a registration.
  win::HDEVNOTIFY NotificationHandle = nullptr;
  std::uint32_t LinkFlags = 0;
  char DevicePath[kDevicePathMax + 1] = {};
  win::HANDLE CommandPipe;
  win::HANDLE DataPipe;
  win::HANDLE ThirdPipe;
  char LastErrorText[kLastErrorMax + 1] = {};

 private:
  enum class Form { Long, Short };
  bool Exchange(Form form, bool write, std::uint32_t address, std::size_t count, std::uint8_t* dest,
                const std::uint8_t* src);
  void SetError(std::string_view text);
  void CloseAll();
  LinkOwner& owner_;
  int callDepth_ = 0;  // nested Connect/Disconnect calls, checked in debug builds
};

}  // namespace camera
