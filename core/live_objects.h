// Diagnostic accounting of the system objects the program holds: the native
// view backend and the real platform count each object they create or open
// and each one they free, so that a test can watch for growth from outside
// (Wine answers 0 from GetProcessHandleCount and GetGuiResources).
//
// Reading the counts from another process: send the top-level window the
// message registered under kLiveObjectsMessageName with wParam a LiveKind;
// the result is that kind's live count, or -1 for an unknown kind.
#pragma once

namespace core {

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

}  // namespace core
