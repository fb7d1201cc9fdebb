// Discovery, connection and disconnection of the camera link.
#include <cstring>

#include "camera/call_depth.h"
#include "camera/camera_link.h"
#include "camera/link_texts.h"
#include "core/memory.h"
#include "core/text.h"
#include "platform/api.h"
#include "platform/scoped.h"

namespace camera {

namespace {

// A present device is opened the same way as its pipes.
win::HANDLE OpenForExchange(const char* name) {
  return win::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
}

bool IsValid(win::HANDLE h) { return win::FileTraits::IsValid(h); }

// A pipe's name is the device path followed by "\0", "\1" or "\2".
constexpr std::size_t kPipeSuffixLength = 2;

// An enumeration that only ever fails with other errors than "no more items"
// must still end: after this many such failures in a row the class is given up.
constexpr win::DWORD kMaxFailuresInARow = 32;

struct SeriesTitle {
  std::uint32_t bits;
  std::string_view text;
};

}  // namespace

CCameraLink::CCameraLink(LinkOwner& owner)
    : CommandPipe(INVALID_HANDLE_VALUE),
      DataPipe(INVALID_HANDLE_VALUE),
      ThirdPipe(INVALID_HANDLE_VALUE),
      owner_(owner) {}

CCameraLink::~CCameraLink() { CloseAll(); }

void CCameraLink::SetError(std::string_view text) { core::CopyA(kLastErrorMax, LastErrorText, text); }

void CCameraLink::CloseAll() {
  DevicePath[0] = '\0';
  win::HANDLE* pipes[3] = {&CommandPipe, &DataPipe, &ThirdPipe};
  for (win::HANDLE* pipe : pipes) {
    if (IsValid(*pipe)) win::CloseHandle(*pipe);
    *pipe = INVALID_HANDLE_VALUE;
  }
  LinkFlags &= ~kLinkOpen;
  if (NotificationHandle != nullptr) {
    win::UnregisterDeviceNotification(NotificationHandle);
    NotificationHandle = nullptr;
  }
}

void CCameraLink::Disconnect() {
  const CallDepth depth(callDepth_);
  CloseAll();
  // The owner may react to the closed link (the wizard's power-off step) and
  // may open it again from there.
  owner_.LinkClosed();
  // A link that the owner's reaction opened again keeps the title of its series.
  if (!IsOpen()) owner_.LinkSetTitle(texts::kDefaultTitle);
}

void CCameraLink::Connect() {
  const CallDepth depth(callDepth_);
  Disconnect();
  if (owner_.LinkWindowHandle() == nullptr) return;
  // At wizard step 2 the Disconnect above runs the step-3 reading, which may
  // already have connected: keep that link rather than opening a second one.
  if (IsOpen()) return;

  LinkFlags &= ~kSeriesMask;
  win::ScopedFile probe;
  for (int i = 0; i < 8 && !probe.valid(); ++i) {
    probe.reset(OpenFirstDevice(CameraInterfaceClasses[i], kDevicePathMax, DevicePath));
    if (probe.valid()) LinkFlags |= 1u << (i + 1);
  }
  if (!probe.valid()) return;
  // The probe only proved that the device opens; the pipes are opened anew.
  probe.reset();

  RegisterCameraNotification();

  char name[kDevicePathMax + 1];
  const char* suffixes[3] = {"\\0", "\\1", "\\2"};
  win::HANDLE* pipes[3] = {&CommandPipe, &DataPipe, &ThirdPipe};
  for (int i = 0; i < 3; ++i) {
    core::CopyA(kDevicePathMax, name, kDevicePathMax, DevicePath);
    std::size_t pathLen = core::LengthA(kDevicePathMax, name);
    core::AppendA(kDevicePathMax, name, kPipeSuffixLength, suffixes[i]);
    // A name cut at the bound would open something else: treat it as not opening.
    *pipes[i] = pathLen + kPipeSuffixLength <= kDevicePathMax ? OpenForExchange(name) : INVALID_HANDLE_VALUE;
    if (!IsValid(*pipes[i])) {
      if (i == 0)
        SetError(texts::kCommandPipeFailed);
      else
        SetError(texts::kDataPipeFailed);
      Disconnect();
      return;
    }
  }

  LinkFlags |= kLinkOpen;
  static const SeriesTitle titles[] = {
      {0x002, texts::kTitleRavikKai}, {0x004, texts::kTitleRavikKaf}, {0x008, texts::kTitleZeltKai},
      {0x010, texts::kTitleZeltKaf},  {0x060, texts::kTitleZeltE2v},  {0x180, texts::kTitleOskel},
  };
  for (const SeriesTitle& t : titles) {
    if ((LinkFlags & t.bits) != 0) {
      owner_.LinkSetTitle(t.text);
      break;
    }
  }
}

win::HANDLE CCameraLink::OpenFirstDevice(const win::GUID& classGuid, std::size_t bound, char* path) {
  const win::ScopedDeviceList set(
      win::SetupDiGetClassDevsA(&classGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  if (!set.valid()) return INVALID_HANDLE_VALUE;

  win::HANDLE found = INVALID_HANDLE_VALUE;
  win::DWORD failuresInARow = 0;
  for (win::DWORD index = 0; failuresInARow < kMaxFailuresInARow; ++index) {
    win::SP_DEVICE_INTERFACE_DATA data;
    core::Fill(&data, sizeof(data), 0);
    data.cbSize = sizeof(win::SP_DEVICE_INTERFACE_DATA);
    if (!win::SetupDiEnumDeviceInterfaces(set.get(), nullptr, &classGuid, index, &data)) {
      if (win::GetLastError() == ERROR_NO_MORE_ITEMS) break;
      ++failuresInARow;
      continue;
    }
    failuresInARow = 0;

    win::DWORD required = 0;
    win::SetupDiGetDeviceInterfaceDetailA(set.get(), &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A)) continue;
    auto* detail = static_cast<win::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(core::Allocate(required));
    if (detail == nullptr) continue;
    detail->cbSize = sizeof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!win::SetupDiGetDeviceInterfaceDetailA(set.get(), &data, detail, required, nullptr, nullptr)) {
      core::Free(detail);
      continue;
    }
    // The path lies inside the buffer that was asked for; never read past it.
    std::size_t room = required - offsetof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    std::size_t length = core::LengthA(room, detail->DevicePath);
    if (length + kPipeSuffixLength > bound || length == room) {
      // Does not fit DevicePath with a pipe's "\N" within the bound (or is
      // not terminated): its pipes could not be opened, so it is passed over
      // and a device after it can still be found.
      core::Free(detail);
      continue;
    }
    core::CopyA(bound, path, length, detail->DevicePath);
    core::Free(detail);
    found = OpenForExchange(path);
    if (IsValid(found)) break;
  }
  return found;
}

void CCameraLink::RegisterCameraNotification() {
  win::HWND window = owner_.LinkWindowHandle();
  if (window == nullptr) return;

  constexpr std::size_t kRecordSize = 293;  // header, class, 261-byte name, 4 spare bytes
  static_assert(offsetof(win::DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + kDevicePathMax + 1 + 4 == kRecordSize,
                "record layout");
  auto* record = static_cast<win::DEV_BROADCAST_DEVICEINTERFACE_A*>(core::Allocate(kRecordSize));
  if (record == nullptr) return;
  core::Fill(record, kRecordSize, 0);
  record->dbcc_size = kRecordSize;
  record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  record->dbcc_reserved = 0;
  for (int i = 0; i < 8; ++i) {
    if ((LinkFlags & (1u << (i + 1))) != 0) {
      record->dbcc_classguid = CameraInterfaceClasses[i];
      break;
    }
  }
  core::Move(DevicePath, reinterpret_cast<char*>(record) + offsetof(win::DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name),
             kDevicePathMax + 1);
  NotificationHandle = win::RegisterDeviceNotificationA(window, record, DEVICE_NOTIFY_WINDOW_HANDLE);
  core::Free(record);
}

}  // namespace camera
