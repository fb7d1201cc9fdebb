// How many system objects the program holds, counted by the two floors that
// make them: the real platform (files, pipes, keys, device lists,
// notification registrations, libraries) and the native view backend (GDI
// objects, device contexts, windows). Each counts what it creates or opens
// and what it frees, so that a test can watch for growth from outside (Wine
// answers 0 from GetProcessHandleCount and GetGuiResources). Only the
// Windows bindings count; the rest of the program never sees it.
//
// zeltfw.exe keeps the counting: the exe the Windows tests run is the exe
// that ships, byte for byte, and the price is a few counters and one
// registered message that nothing but our tools sends.
//
// Reading the counts from another process: send the top-level window the
// message registered under kLiveObjectsMessageName with wParam a LiveKind;
// the result is that kind's live count, or -1 for an unknown kind.
#pragma once

namespace win::live {

enum class LiveKind : int {
  Gdi,           // fonts, pens, bitmaps, device contexts, icons
  Window,        // windows the backend created
  Kernel,        // files and pipes
  Registry,      // opened and created keys
  DeviceList,    // Setup API device information lists
  Notification,  // device notification registrations
  Library,       // run-time loaded libraries
  Count
};

constexpr const wchar_t* kLiveObjectsMessageName = L"ZeltLiveObjects";
constexpr const char* kLiveKindNames[] = {"gdi",          "windows",       "kernel",   "registry",
                                          "device-lists", "notifications", "libraries"};
static_assert(sizeof(kLiveKindNames) / sizeof(kLiveKindNames[0]) == static_cast<int>(LiveKind::Count),
              "one name per kind");

void Opened(LiveKind kind);
void Closed(LiveKind kind);
// Sets the count (for kinds counted by looking, such as windows).
void SetLive(LiveKind kind, long count);
long Live(LiveKind kind);

}  // namespace win::live
