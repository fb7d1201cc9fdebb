// Before anything else runs: DLLs that system code loads by name from here on
// come from the system directory, never from the program's own folder. For
// Ravik and Zelt cameras the program runs elevated, often from a Downloads
// folder where anything may lie beside it. (Its static imports are system
// DLLs that Windows always takes from the system, and version.dll is loaded
// by its full path.) Windows without the call (7 before its 2011 update)
// keeps its own order.
#include <windows.h>

namespace {

struct SystemDllsOnly {
  SystemDllsOnly() {
    using Function = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    auto set =
        kernel != nullptr
            ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")))
            : nullptr;
    if (set != nullptr) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
};

// Made before the C++ objects of the program's libraries, before WinMain.
__attribute__((init_priority(101))) const SystemDllsOnly systemDllsOnly;

}  // namespace
