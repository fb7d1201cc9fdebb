// The real platform under Wine: the administrator check, device discovery
// with no camera attached, and the file forwards the camera pipes use.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "camera/camera_link.h"
#include "config/permission.h"
#include "platform/api.h"

namespace {

// The link's owner: a real (message-only) window, as the main window is.
class WindowOwner : public camera::LinkOwner {
 public:
  WindowOwner() : hwnd_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~WindowOwner() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }
  WindowOwner(const WindowOwner&) = delete;
  WindowOwner& operator=(const WindowOwner&) = delete;

  win::HWND LinkWindowHandle() override { return hwnd_; }
  void LinkSetTitle(std::string_view title) override { titles.emplace_back(title); }
  void LinkClosed() override { ++closed; }

  std::vector<std::string> titles;
  int closed = 0;

 private:
  HWND hwnd_;
};

TEST(AdministratorCheck, GivesTheAnswerTheServiceManagerGives) {
  // Wine's user is an administrator; a real user may not be. Either way the
  // check must agree with what the service manager itself allows.
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE);
  const bool expected = manager != nullptr;
  if (manager != nullptr) CloseServiceHandle(manager);
  EXPECT_EQ(config::IsAdministrator(), expected);
  EXPECT_EQ(config::IsAdministrator(), expected) << "a second check answers the same";
}

TEST(AdministratorCheck, SeesAnNtPlatform) {
  win::OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  ASSERT_EQ(win::GetVersionExA(&info), 1);
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
}

TEST(CameraDiscovery, FindsNoCameraAndLeavesTheLinkClosed) {
  WindowOwner owner;
  ASSERT_NE(owner.LinkWindowHandle(), nullptr);
  camera::CCameraLink link(owner);
  link.LinkFlags = 0x010;  // a series found earlier: a new search clears it
  std::memcpy(link.LastErrorText, "earlier", 8);
  link.Connect();
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(link.LinkFlags, 0u) << "no series bit without a camera";
  EXPECT_EQ(link.CommandPipe, INVALID_HANDLE_VALUE);
  EXPECT_EQ(link.DataPipe, INVALID_HANDLE_VALUE);
  EXPECT_EQ(link.ThirdPipe, INVALID_HANDLE_VALUE);
  EXPECT_EQ(link.NotificationHandle, nullptr);
  EXPECT_STREQ(link.LastErrorText, "earlier") << "no camera is not a pipe failure";
  ASSERT_FALSE(owner.titles.empty());
  EXPECT_EQ(owner.titles.back(),
            "Po\xe8"
            "et Filtr\xf9 v3.0")
      << "the default title, Windows-1250";
}

TEST(CameraDiscovery, EveryInterfaceClassEndsWithNoDevice) {
  WindowOwner owner;
  camera::CCameraLink link(owner);
  for (const win::GUID& guid : camera::CameraInterfaceClasses) {
    char path[camera::kDevicePathMax + 1] = {};
    EXPECT_EQ(link.OpenFirstDevice(guid, camera::kDevicePathMax, path), INVALID_HANDLE_VALUE);
  }
}

TEST(CameraDiscovery, TheSetupApiReportsTheEndOfTheList) {
  const win::GUID& guid = camera::CameraInterfaceClasses[0];
  win::HDEVINFO set = win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  ASSERT_NE(set, INVALID_HANDLE_VALUE);
  win::SP_DEVICE_INTERFACE_DATA data = {};
  data.cbSize = sizeof(data);
  EXPECT_FALSE(win::SetupDiEnumDeviceInterfaces(set, nullptr, &guid, 0, &data));
  EXPECT_EQ(win::GetLastError(), ERROR_NO_MORE_ITEMS);
  EXPECT_TRUE(win::SetupDiDestroyDeviceInfoList(set));
}

TEST(Files, WriteAndReadBackThroughTheForwards) {
  char dir[MAX_PATH] = {};
  char path[MAX_PATH] = {};
  ASSERT_NE(GetTempPathA(MAX_PATH, dir), 0u);
  ASSERT_NE(GetTempFileNameA(dir, "zft", 0, path), 0u);
  win::HANDLE file = win::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::uint8_t request[5] = {18, 0, 0, 0, 10};
  win::DWORD moved = 0;
  EXPECT_TRUE(win::WriteFile(file, request, sizeof(request), &moved, nullptr));
  EXPECT_EQ(moved, sizeof(request));
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  std::uint8_t reply[8] = {};
  EXPECT_TRUE(win::ReadFile(file, reply, sizeof(reply), &moved, nullptr));
  EXPECT_EQ(moved, sizeof(request)) << "a short read reports what it moved";
  EXPECT_EQ(0, std::memcmp(reply, request, sizeof(request)));
  EXPECT_TRUE(win::CloseHandle(file));
  DeleteFileA(path);
  EXPECT_EQ(win::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(win::GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
