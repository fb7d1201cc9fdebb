#include "tools/windows/camera/notifier.h"

#include <dbt.h>

#include <cstddef>
#include <cstring>

#include "lib/view/win32/class_names.h"
#include "platform/real/live_objects.h"

namespace wincam {
namespace {

constexpr UINT kSendTimeout = 30000;

struct Search {
  DWORD processId;  // 0: any
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProgramWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  // Class names compare as Windows compares them, without regard to case.
  const bool program = CompareStringOrdinal(name, -1, view::win32::kWindowClass, -1, TRUE) == CSTR_EQUAL;
  if (program && (search->processId == 0 || search->processId == processId)) search->found.push_back(hwnd);
  return TRUE;
}

std::vector<BYTE> InterfaceRecord(const GUID& interfaceClass, const std::string& path) {
  const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
  std::vector<BYTE> record(nameOffset + (path.size() + 1) * sizeof(wchar_t), 0);
  auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(record.data());
  header->dbcc_size = static_cast<DWORD>(record.size());
  header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  header->dbcc_classguid = interfaceClass;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const wchar_t c = static_cast<unsigned char>(path[i]);
    std::memcpy(record.data() + nameOffset + i * sizeof(wchar_t), &c, sizeof(c));
  }
  return record;
}

}  // namespace

Notifier::Notifier()
    : wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)), idle_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {
  thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
}

Notifier::~Notifier() {
  {
    Locked lock(lock_);
    stop_ = true;
  }
  SetEvent(wake_.get());
  if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

void Notifier::SetTarget(DWORD processId) {
  Locked lock(lock_);
  target_ = processId;
}

void Notifier::DeviceOpened(int classIndex) {
  Locked lock(lock_);
  openedClass_ = classIndex;
}

void Notifier::Queue(WPARAM code, int classIndex, const GUID& interfaceClass, const std::string& path) {
  {
    Locked lock(lock_);
    queue_.push_back(Item{code, classIndex, InterfaceRecord(interfaceClass, path), path});
    ++busy_;
    ResetEvent(idle_.get());
  }
  SetEvent(wake_.get());
}

bool Notifier::WaitUntilDelivered(DWORD milliseconds) {
  return WaitForSingleObject(idle_.get(), milliseconds) == WAIT_OBJECT_0;
}

std::vector<std::string> Notifier::TakeLog() {
  Locked lock(lock_);
  std::vector<std::string> taken;
  taken.swap(log_);
  return taken;
}

DWORD WINAPI Notifier::ThreadMain(void* self) {
  static_cast<Notifier*>(self)->Run();
  return 0;
}

void Notifier::Run() {
  for (;;) {
    WaitForSingleObject(wake_.get(), INFINITE);
    for (;;) {
      Item item;
      {
        Locked lock(lock_);
        if (stop_) return;
        if (queue_.empty()) break;
        item = std::move(queue_.front());
        queue_.pop_front();
      }
      Deliver(item);
      Locked lock(lock_);
      if (--busy_ == 0) SetEvent(idle_.get());
    }
  }
}

void Notifier::Deliver(const Item& item) {
  Search search;
  {
    Locked lock(lock_);
    search.processId = target_;
  }
  EnumWindows(CollectProgramWindow, reinterpret_cast<LPARAM>(&search));
  const UINT liveObjects = RegisterWindowMessageW(win::live::kLiveObjectsMessageName);
  const char* what = item.code == DBT_DEVICEARRIVAL ? "arrival" : "removal";
  for (HWND hwnd : search.found) {
    DWORD_PTR registrations = 0;
    int openedClass = -1;
    {
      Locked lock(lock_);
      openedClass = openedClass_;
    }
    if (!SendMessageTimeoutW(hwnd, liveObjects, static_cast<WPARAM>(win::live::LiveKind::Notification), 0, SMTO_NORMAL,
                             kSendTimeout, &registrations) ||
        static_cast<LONG_PTR>(registrations) <= 0 || openedClass != item.classIndex) {
      Locked lock(lock_);
      log_.push_back(std::string(what) + " of " + item.path + " not sent: no registration for its class");
      continue;
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_DEVICECHANGE, item.code, reinterpret_cast<LPARAM>(item.record.data()), SMTO_NORMAL,
                        kSendTimeout, &ignored);
    Locked lock(lock_);
    log_.push_back(std::string(what) + " of " + item.path + " sent");
  }
}

}  // namespace wincam
