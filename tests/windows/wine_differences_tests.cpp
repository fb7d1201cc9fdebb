// Where the Wine at hand behaves otherwise than Windows' documentation says,
// observed here and compared with what docs/wine-versions.md records for this
// Wine. A test fails when the Wine answers otherwise than recorded: the table
// is then out of date, and so may be a script passed over in this world.
#include <gtest/gtest.h>
#include <windows.h>
// windows.h must come first
#include <dbt.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/camera_model/interface_classes.h"
#include "tools/camera_emulator/camera_bus.h"
#include "tools/scenario/wine/reader.h"

namespace {

const char kShowChild[] = "--start-up-show-child";

// "8.0", "10.0", ... or "" on Windows itself.
std::string WineVersion() {
  using GetVersion = const char*(__cdecl*)();
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto get = ntdll != nullptr
                 ? reinterpret_cast<GetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
                 : nullptr;
  return get != nullptr ? get() : "";
}

// What docs/wine-versions.md records of one behaviour.
struct Recorded {
  const char* wine8;
  const char* wine10;
  const char* windows;      // as documented
  const char* consequence;  // what a difference means for the tests
};

// Compares an observation with the record for this Wine; a Wine the table
// does not know is only reported.
void Compare(const char* behaviour, const Recorded& recorded, const std::string& seen) {
  const std::string version = WineVersion();
  const std::string major = version.substr(0, version.find('.'));
  const char* expected = version.empty() ? recorded.windows
                         : major == "8"  ? recorded.wine8
                         : major == "10" ? recorded.wine10
                                         : nullptr;
  std::printf("%s under %s: %s\n", behaviour, version.empty() ? "Windows" : ("Wine " + version).c_str(), seen.c_str());
  if (expected == nullptr) return;
  EXPECT_EQ(seen, expected) << behaviour << " differs from the record in docs/wine-versions.md; "
                            << recorded.consequence;
}

LRESULT CALLBACK Plain(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND PlainWindow(const wchar_t* className, DWORD style) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = Plain;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, className, L"probe", style, 100, 100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

// The child: the process's first show, made as the view toolkit makes it
// (SW_SHOWNORMAL); exit code 1 when the window came out minimized.
int ShowChild() {
  HWND hwnd = PlainWindow(L"ZeltProbeShow", WS_OVERLAPPEDWINDOW);
  if (hwnd == nullptr) return 2;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  const bool minimized = IsIconic(hwnd) != FALSE;
  DestroyWindow(hwnd);
  return minimized ? 1 : 0;
}

// Started as a shortcut set to "Run: Minimized" starts a program.
TEST(WineDifferences, StartUpShowCommand) {
  wchar_t self[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  std::wstring command =
      L"\"" + std::wstring(self) + L"\" " + std::wstring(kShowChild, kShowChild + std::strlen(kShowChild));
  STARTUPINFOW start = {};
  start.cb = sizeof(start);
  start.dwFlags = STARTF_USESHOWWINDOW;
  start.wShowWindow = SW_SHOWMINNOACTIVE;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
      << "CreateProcessW failed with " << GetLastError();
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0) << "the child did not end in 30 s";
  DWORD code = 2;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_NE(code, 2u) << "the child could not make its window";
  Compare("start-up show command 7 at the first SW_SHOWNORMAL",
          {"ignored", "ignored", "minimized",
           "play tests/scenarios/link/show_command_*.zsc in this world (drop their simulated-only line)"},
          code == 1 ? "minimized" : "ignored");
}

// What a screen reader is given for a drop-down list showing an item.
TEST(WineDifferences, DropDownListAccessibleObject) {
  HWND parent = PlainWindow(L"ZeltProbeParent", WS_OVERLAPPEDWINDOW);
  ASSERT_NE(parent, nullptr);
  HWND list = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 100, 200, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"5"));
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"12"));
  SendMessageW(list, CB_SETCURSEL, 1, 0);
  scenario::wine::Spoken spoken;
  ASSERT_TRUE(scenario::wine::ReadAloud(list, spoken)) << "no accessible object answers for the list";
  std::string seen = spoken.role == ROLE_SYSTEM_COMBOBOX ? "role combo box" : "role plain window";
  seen += spoken.value == L"12" ? ", value the item shown" : spoken.value.empty() ? ", no value" : ", another value";
  DestroyWindow(parent);
  Compare("drop-down list's accessible object",
          {"role plain window, no value", "role plain window, no value", "role combo box, value the item shown",
           "zelt-play reads the shown item from the value where the role is a combo box "
           "(tools/scenario/wine/reader.h): check that reading"},
          seen);
}

// The record Windows (or Wine) hands a window registered through the ANSI
// call when an interface of its class arrives: the camera bus enables one,
// as the emulator does when a camera gets power. Windows converts the name
// to ANSI "as appropriate": for a window of an ANSI class. The program's
// window is of a Unicode class.
std::string arrivedRecord;
void NoteArrival(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DEVICECHANGE || wParam != DBT_DEVICEARRIVAL || lParam == 0) return;
  const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(lParam);
  if (record->dbcc_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return;
  // A wide name has a zero byte after its first character ('\\').
  const bool wide = record->dbcc_name[0] != 0 && record->dbcc_name[1] == 0;
  arrivedRecord =
      (wide ? "the wide record, dbcc_size " : "the ANSI record, dbcc_size ") + std::to_string(record->dbcc_size);
}
LRESULT CALLBACK ArrivalsW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  NoteArrival(message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
LRESULT CALLBACK ArrivalsA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  NoteArrival(message, wParam, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// What a window of an ANSI or a Unicode class is given; "" when nothing came.
std::string ArrivalRecord(camera_emulator::CameraBus& bus, bool ansiWindow) {
  HWND hwnd = nullptr;
  if (ansiWindow) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ArrivalsA;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = "ZeltProbeArrivalsA";
    RegisterClassA(&windowClass);
    hwnd = CreateWindowExA(0, windowClass.lpszClassName, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
  } else {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ArrivalsW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZeltProbeArrivalsW";
    RegisterClassW(&windowClass);
    hwnd = CreateWindowExW(0, windowClass.lpszClassName, L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
  }
  EXPECT_NE(hwnd, nullptr);
  DEV_BROADCAST_DEVICEINTERFACE_A filter = {};
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = camera_model::AsGuid<GUID>(camera_model::kInterfaceClasses[0]);
  HDEVNOTIFY registration = RegisterDeviceNotificationA(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  EXPECT_NE(registration, nullptr) << "RegisterDeviceNotificationA failed with " << GetLastError();
  // A root device no camera of a script uses first.
  constexpr int kDevice = camera_emulator::CameraBus::kRootDevices - 1;
  std::string error;
  arrivedRecord.clear();
  EXPECT_TRUE(bus.SetInterface(kDevice, 0, true, error)) << error;
  // Delivery is asynchronous: wait for the arrival, 20 s at most.
  const ULONGLONG until = GetTickCount64() + 20000;
  MSG message;
  while (arrivedRecord.empty() && GetTickCount64() < until) {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) continue;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  EXPECT_TRUE(bus.SetInterface(kDevice, 0, false, error)) << error;
  UnregisterDeviceNotification(registration);
  DestroyWindow(hwnd);
  return arrivedRecord.empty() ? "nothing in 20 s" : arrivedRecord;
}

TEST(WineDifferences, DeviceRecordForm) {
  camera_emulator::CameraBus bus;
  std::string error;
  if (!bus.Open(20000, error)) GTEST_SKIP() << "no camera bus here: " << error;
  const std::string seen =
      "ANSI window: " + ArrivalRecord(bus, true) + "; Unicode window: " + ArrivalRecord(bus, false);
  Compare("the device record of an arrival for an ANSI registration",
          {"ANSI window: the wide record, dbcc_size 150; Unicode window: the wide record, dbcc_size 150",
           "ANSI window: the ANSI record, dbcc_size 90; Unicode window: the wide record, dbcc_size 150",
           "ANSI window: the ANSI record, dbcc_size 90; Unicode window: the wide record, dbcc_size 150",
           "the program reads only the header both forms share (camera/link.cpp): check it still does"},
          seen);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], kShowChild) == 0) return ShowChild();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
