// The system calls behind the administrator check, the module file name and
// the icons, on the simulated platform.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/api.h"
#include "platform/sim/internals.h"
#include "platform/sim/world.h"

namespace {

class SystemTest : public ::testing::Test {
 protected:
  void SetUp() override { world.Reset(); }

  // The administrator check as the program makes it, step by step.
  bool OpenServiceManager(win::HMODULE advapi) {
    win::FARPROC open = win::GetProcAddress(advapi, "OpenSCManagerA");
    win::FARPROC close = win::GetProcAddress(advapi, "CloseServiceHandle");
    if (open == nullptr || close == nullptr) return false;
    auto openFn = reinterpret_cast<win::OpenSCManagerAFn>(reinterpret_cast<void (*)()>(open));
    auto closeFn = reinterpret_cast<win::CloseServiceHandleFn>(reinterpret_cast<void (*)()>(close));
    win::SC_HANDLE manager = openFn(nullptr, nullptr, GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE);
    if (manager == nullptr) return false;
    EXPECT_EQ(world.OpenHandleCount(), 2u);
    EXPECT_TRUE(closeFn(manager));
    EXPECT_FALSE(closeFn(manager));
    return true;
  }

  sim::World& world = sim::World::Get();
};

TEST_F(SystemTest, VersionReportsThePlatform) {
  win::OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(info) - 4;
  EXPECT_FALSE(win::GetVersionExA(&info));
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_INSUFFICIENT_BUFFER));
  info.dwOSVersionInfoSize = sizeof(info);
  const std::pair<sim::World::Platform, win::DWORD> cases[] = {
      {sim::World::Platform::Nt, 2}, {sim::World::Platform::Win9x, 1}, {sim::World::Platform::Other, 3}};
  for (const auto& [platform, id] : cases) {
    world.platform = platform;
    EXPECT_EQ(win::GetVersionExA(&info), 1);
    EXPECT_EQ(info.dwPlatformId, id);
  }
  world.platform = sim::World::Platform::Fail;
  EXPECT_EQ(win::GetVersionExA(&info), 0);
}

TEST_F(SystemTest, ServiceManagerOpensOnlyForAdministrators) {
  win::HMODULE advapi = win::LoadLibraryA("ADVAPI32.DLL");
  ASSERT_NE(advapi, nullptr);
  EXPECT_TRUE(OpenServiceManager(advapi));
  EXPECT_EQ(world.scManagerAccess, static_cast<win::DWORD>(0xE0000000u));

  world.admin = false;
  EXPECT_FALSE(OpenServiceManager(advapi));
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(world.openSCManagerCalls, 2);
  world.admin = true;

  world.advapiLacksCloseServiceHandle = true;
  EXPECT_FALSE(OpenServiceManager(advapi));
  world.advapiLacksCloseServiceHandle = false;
  world.advapiLacksOpenSCManager = true;
  EXPECT_FALSE(OpenServiceManager(advapi));
  EXPECT_EQ(world.openSCManagerCalls, 2);

  EXPECT_EQ(world.OpenHandleCount(), 1u);
  EXPECT_TRUE(win::FreeLibrary(advapi));
  EXPECT_FALSE(win::FreeLibrary(advapi));
  EXPECT_EQ(world.OpenHandleCount(), 0u);
  EXPECT_EQ(world.loadLibraryCalls, 1);
  EXPECT_EQ(world.freeLibraryCalls, 2);

  world.advapiMissing = true;
  EXPECT_EQ(win::LoadLibraryA("advapi32.dll"), nullptr);
  EXPECT_EQ(win::LoadLibraryA("kernel32.dll"), nullptr);
}

TEST_F(SystemTest, ModuleFileNameIsCutAsWindowsCutsIt) {
  world.moduleFileName = "C:\\zeltfw.exe";  // 13 characters
  char buffer[16];
  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(win::GetModuleFileNameA(sim::World::ProgramInstance(), buffer, 14), 13u);
  EXPECT_STREQ(buffer, "C:\\zeltfw.exe");
  std::memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(win::GetModuleFileNameA(nullptr, buffer, 13), 13u);
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(buffer, "C:\\zeltfw.ex");
  EXPECT_EQ(buffer[13], 'x');
  world.moduleFileNameFails = true;
  EXPECT_EQ(win::GetModuleFileNameA(nullptr, buffer, sizeof(buffer)), 0u);
}

TEST_F(SystemTest, ImagesAreRecordedNotCounted) {
  win::HANDLE named = win::LoadImageA(sim::World::ProgramInstance(), "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0);
  win::HANDLE numbered = win::LoadImageA(sim::World::ProgramInstance(), MAKEINTRESOURCEA(1001), IMAGE_ICON, 16, 16, 0);
  EXPECT_NE(named, nullptr);
  EXPECT_NE(numbered, nullptr);
  EXPECT_NE(named, numbered);
  ASSERT_EQ(world.imageLoads.size(), 2u);
  EXPECT_EQ(world.imageLoads[0].name, "DEFAULT_ICON");
  EXPECT_EQ(world.imageLoads[0].cx, 32);
  EXPECT_EQ(world.imageLoads[1].name, "#1001");
  EXPECT_EQ(world.imageLoads[1].cy, 16);
  EXPECT_EQ(world.OpenHandleCount(), 0u);
}

}  // namespace
