// Device discovery on the simulated platform: device paths, the setup
// functions' enumeration and error codes, opening devices and pipes, and the
// removal and arrival messages.
#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/sim/internals.h"
#include "platform/sim/world.h"

namespace {

using Strings = std::vector<std::string>;

class Devices : public ::testing::Test {
 protected:
  void SetUp() override { world.Reset(); }

  // The device paths a fresh set of the class lists, in enumeration order.
  Strings Enumerate(int classIndex) {
    const win::GUID& guid = sim::kInterfaceClasses[classIndex];
    win::HDEVINFO set = win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    Strings paths;
    if (set == INVALID_HANDLE_VALUE) return paths;
    for (win::DWORD index = 0;; ++index) {
      win::SP_DEVICE_INTERFACE_DATA data{};
      data.cbSize = sizeof(data);
      if (!win::SetupDiEnumDeviceInterfaces(set, nullptr, &guid, index, &data)) {
        EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_NO_MORE_ITEMS));
        break;
      }
      win::DWORD required = 0;
      win::SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &required, nullptr);
      std::vector<char> buffer(required);
      auto* detail = reinterpret_cast<win::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
      detail->cbSize = sizeof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
      EXPECT_TRUE(win::SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr));
      paths.push_back(buffer.data() + offsetof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath));
    }
    EXPECT_TRUE(win::SetupDiDestroyDeviceInfoList(set));
    return paths;
  }

  sim::World& world = sim::World::Get();
};

TEST_F(Devices, PathsNameTheClassAndPadToTheAskedLength) {
  sim::Camera& cam = world.AddCamera("cam1", 2);
  EXPECT_EQ(cam.path, "\\\\?\\usb#vid_1d6b&pid_0104#cam1#{3789b7d9-a441-4b8b-a959-ee19db0b8002}");
  sim::Camera& longer = world.AddCamera("cam2", 7, 300);
  EXPECT_EQ(longer.path.size(), 300u);
  EXPECT_EQ(longer.path.compare(0, 30, "\\\\?\\usb#vid_1d6b&pid_0104#cam2"), 0);
  EXPECT_EQ(longer.path.substr(300 - 39), "#{4833ee92-1978-4a02-85af-94396406c32e}");
}

TEST_F(Devices, EnumerationListsPoweredCamerasOfTheClassInOrderAdded) {
  sim::Camera& a = world.AddCamera("a", 0);
  sim::Camera& b = world.AddCamera("b", 0);
  sim::Camera& c = world.AddCamera("c", 1);
  sim::Camera& d = world.AddCamera("d", 0);
  for (sim::Camera* cam : {&a, &c, &d}) world.SetPower(*cam, true);
  EXPECT_EQ(Enumerate(0), (Strings{a.path, d.path}));
  EXPECT_EQ(Enumerate(1), (Strings{c.path}));
  EXPECT_TRUE(Enumerate(5).empty());

  // A set is a snapshot: cameras that come later are not in it.
  const win::GUID& guid = sim::kInterfaceClasses[0];
  win::HDEVINFO set = win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  world.SetPower(b, true);
  win::SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof(data);
  EXPECT_FALSE(win::SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 2, &data));
  EXPECT_EQ(world.OpenHandleCount(), 1u);
  win::SetupDiDestroyDeviceInfoList(set);
  EXPECT_EQ(Enumerate(0), (Strings{a.path, b.path, d.path}));
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

TEST_F(Devices, SetupFunctionsCheckSizesAsWindowsDoes) {
  sim::Camera& cam = world.AddCamera("cam", 3);
  world.SetPower(cam, true);
  const win::GUID& guid = sim::kInterfaceClasses[3];
  win::HDEVINFO set = win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  win::SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof(data) + 4;
  EXPECT_FALSE(win::SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 0, &data));
  EXPECT_EQ(win::GetLastError(), sim::kErrorInvalidUserBuffer);
  data.cbSize = sizeof(data);
  ASSERT_TRUE(win::SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 0, &data));
  EXPECT_TRUE(sim::SameGuid(data.InterfaceClassGuid, guid));

  win::DWORD required = 0;
  EXPECT_FALSE(win::SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &required, nullptr));
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(required, offsetof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + cam.path.size() + 1);

  std::vector<char> buffer(required + 8, 'x');
  auto* detail = reinterpret_cast<win::SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
  detail->cbSize = static_cast<win::DWORD>(required);  // the whole size: a classic mistake
  EXPECT_FALSE(win::SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr));
  EXPECT_EQ(win::GetLastError(), sim::kErrorInvalidUserBuffer);
  detail->cbSize = sizeof(win::SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  EXPECT_FALSE(win::SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required - 1, nullptr, nullptr));
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_TRUE(win::SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr));
  EXPECT_EQ(std::string(detail->DevicePath), cam.path);
  EXPECT_EQ(buffer[required], 'x');  // nothing written past the size given

  EXPECT_FALSE(win::CloseHandle(set));  // a set is not a file
  EXPECT_TRUE(win::SetupDiDestroyDeviceInfoList(set));
  EXPECT_FALSE(win::SetupDiDestroyDeviceInfoList(set));
}

TEST_F(Devices, InjectedSetupFailures) {
  world.SetPower(world.AddCamera("cam", 4), true);
  const win::GUID& guid = sim::kInterfaceClasses[4];
  world.classDevsFail[4] = true;
  EXPECT_EQ(win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE),
            INVALID_HANDLE_VALUE);
  world.classDevsFail[4] = false;
  world.enumFailForever[4] = true;
  win::HDEVINFO set = win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  ASSERT_NE(set, INVALID_HANDLE_VALUE);
  std::size_t before = world.enumCalls;
  for (win::DWORD index = 0; index < 100; ++index) {
    win::SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    EXPECT_FALSE(win::SetupDiEnumDeviceInterfaces(set, nullptr, &guid, index, &data));
    EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_INVALID_PARAMETER));
  }
  EXPECT_EQ(world.enumCalls - before, 100u);
  win::SetupDiDestroyDeviceInfoList(set);
}

TEST_F(Devices, OpeningDevicesAndPipes) {
  sim::Camera& cam = world.AddCamera("cam", 6);
  auto open = [](const std::string& name) {
    return win::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  };
  EXPECT_EQ(open(cam.path), INVALID_HANDLE_VALUE);  // no power yet
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_FILE_NOT_FOUND));
  world.SetPower(cam, true);

  win::HANDLE device = open(cam.path);
  ASSERT_NE(device, INVALID_HANDLE_VALUE);
  EXPECT_EQ(world.lastFileOpen.name, cam.path);
  EXPECT_EQ(world.lastFileOpen.access, static_cast<win::DWORD>(GENERIC_READ | GENERIC_WRITE));
  EXPECT_EQ(world.lastFileOpen.share, static_cast<win::DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE));
  EXPECT_EQ(world.lastFileOpen.disposition, static_cast<win::DWORD>(OPEN_EXISTING));
  EXPECT_EQ(world.lastFileOpen.flags, 0u);
  EXPECT_TRUE(win::CloseHandle(device));

  std::string upper = cam.path;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  win::HANDLE pipe = open(upper + "\\2");  // Windows paths ignore case
  EXPECT_NE(pipe, INVALID_HANDLE_VALUE);
  win::CloseHandle(pipe);
  EXPECT_EQ(open(cam.path + "\\3"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(open(cam.path + "0"), INVALID_HANDLE_VALUE);

  cam.pipeOpenFails[1] = true;
  EXPECT_EQ(open(cam.path + "\\1"), INVALID_HANDLE_VALUE);
  pipe = open(cam.path + "\\0");
  EXPECT_NE(pipe, INVALID_HANDLE_VALUE);
  win::CloseHandle(pipe);
  cam.deviceOpenFails = true;
  EXPECT_EQ(open(cam.path), INVALID_HANDLE_VALUE);
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

struct Message {
  win::HWND window;
  win::WPARAM code;
  std::vector<std::uint8_t> header;
};

TEST_F(Devices, PowerChangesReachWindowsRegisteredForTheClass) {
  std::vector<Message> messages;
  int devnodes = 0;  // every change also goes to every window, without a record
  world.SetMessageSink([&](win::HWND window, win::UINT message, win::WPARAM code, std::vector<std::uint8_t> header) {
    EXPECT_EQ(message, static_cast<win::UINT>(WM_DEVICECHANGE));
    if (window == HWND_BROADCAST && code == DBT_DEVNODES_CHANGED && header.empty())
      ++devnodes;
    else
      messages.push_back({window, code, std::move(header)});
  });
  sim::Camera& cam = world.AddCamera("cam", 2);
  sim::Camera& other = world.AddCamera("other", 3);
  world.SetPower(cam, true);
  EXPECT_TRUE(messages.empty());  // nobody registered yet
  EXPECT_EQ(devnodes, 1);

  // The record the program builds: 293 bytes, the class GUID and the path.
  std::vector<std::uint8_t> record(293, 0);
  auto* filter = reinterpret_cast<win::DEV_BROADCAST_DEVICEINTERFACE_A*>(record.data());
  filter->dbcc_size = 293;
  filter->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter->dbcc_classguid = sim::kInterfaceClasses[2];
  std::memcpy(record.data() + 28, cam.path.data(), cam.path.size());
  auto* window = reinterpret_cast<win::HWND>(static_cast<std::uintptr_t>(0x1234));
  win::HDEVNOTIFY reg = win::RegisterDeviceNotificationA(window, record.data(), DEVICE_NOTIFY_WINDOW_HANDLE);
  ASSERT_NE(reg, nullptr);
  EXPECT_EQ(world.RegistrationCount(), 1u);
  EXPECT_EQ(world.OpenHandleCount(), 0u);
  EXPECT_EQ(world.lastNotificationRecord, record);

  world.SetPower(other, true);
  EXPECT_TRUE(messages.empty());
  world.SetPower(cam, false);
  world.SetPower(cam, true);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].window, window);
  EXPECT_EQ(messages[0].code, static_cast<win::WPARAM>(DBT_DEVICEREMOVECOMPLETE));
  EXPECT_EQ(messages[1].code, static_cast<win::WPARAM>(DBT_DEVICEARRIVAL));
  const std::vector<std::uint8_t>& header = messages[0].header;
  ASSERT_EQ(header.size(), 28 + cam.path.size() + 1);
  win::DEV_BROADCAST_HDR head;
  std::memcpy(&head, header.data(), sizeof(head));
  EXPECT_EQ(head.dbch_size, header.size());
  EXPECT_EQ(head.dbch_devicetype, static_cast<win::DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
  win::GUID guid;
  std::memcpy(&guid, header.data() + 12, sizeof(guid));
  EXPECT_TRUE(sim::SameGuid(guid, sim::kInterfaceClasses[2]));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(header.data()) + 28), cam.path);

  EXPECT_TRUE(win::UnregisterDeviceNotification(reg));
  EXPECT_FALSE(win::UnregisterDeviceNotification(reg));
  world.SetPower(cam, false);
  world.SetPower(cam, false);  // no change, no message
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(devnodes, 5);
  EXPECT_EQ(world.RegistrationCount(), 0u);

  filter->dbcc_devicetype = DBT_DEVTYP_PORT;
  EXPECT_EQ(win::RegisterDeviceNotificationA(window, record.data(), DEVICE_NOTIFY_WINDOW_HANDLE), nullptr);
  world.SetMessageSink(nullptr);
}

}  // namespace
