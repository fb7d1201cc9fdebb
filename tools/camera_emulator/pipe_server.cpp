#include "tools/camera_emulator/pipe_server.h"

#include <algorithm>
#include <string>

#include "platform/camera_model/interpreter.h"
#include "tools/camera_emulator/device_entry.h"

namespace camera_emulator {

namespace {
constexpr DWORD kPipeBuffer = 4096;
const wchar_t* const kSuffixes[] = {L"", L"\\0", L"\\1", L"\\2"};
}  // namespace

struct PipeServer::Instance {
  Kind kind = kDevice;
  HANDLE pipe = INVALID_HANDLE_VALUE;
  OwnedHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  OVERLAPPED overlapped = {};
  bool connected = false;            // a client opened it
  bool pending = false;              // an overlapped connect or read is under way
  bool connectedEarly = false;       // the client came before ConnectNamedPipe was called
  bool dead = false;                 // to be closed at the next turn of the loop
  unsigned long long serial = 0;     // order of connection: the newest data pipe takes the replies
  std::atomic<int>* held = nullptr;  // the server's count of its kind while a client holds it
  std::uint8_t buffer[kPipeBuffer];

  ~Instance() {
    if (held != nullptr) --*held;
    if (pipe == INVALID_HANDLE_VALUE) return;
    if (pending && !connectedEarly) {
      CancelIo(pipe);
      DWORD moved = 0;
      GetOverlappedResult(pipe, &overlapped, &moved, TRUE);  // the buffer is ours again
    }
    if (connected) DisconnectNamedPipe(pipe);
    CloseHandle(pipe);
  }
};

PipeServer::PipeServer(SRWLOCK& model, camera_model::Camera& camera, DeviceEntry& entry, ServerEvents& events)
    : model_(model), camera_(camera), entry_(entry), events_(events) {}

PipeServer::~PipeServer() {
  if (thread_) {
    Send(Order::Stop);
    WaitForSingleObject(thread_.get(), INFINITE);
  }
}

bool PipeServer::Start() {
  wake_.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  done_.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!wake_ || !done_) return false;
  thread_.Reset(CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
  return static_cast<bool>(thread_);
}

int PipeServer::PipesHeld() const {
  int held = 0;
  for (int kind = kCommand; kind < kKinds; ++kind) held += held_[kind] > 0;
  return held;
}

void PipeServer::PowerOn() { Send(Order::PowerOn); }
void PipeServer::PowerOff() { Send(Order::PowerOff); }
void PipeServer::FaultsChanged() { Send(Order::FaultsChanged); }

void PipeServer::Send(Order order) {
  order_ = order;  // read by the server thread only after wake_ is set
  SetEvent(wake_.get());
  if (order != Order::Stop) WaitForSingleObject(done_.get(), INFINITE);
}

DWORD WINAPI PipeServer::ThreadMain(void* self) {
  static_cast<PipeServer*>(self)->Run();
  return 0;
}

void PipeServer::Run() {
  for (;;) {
    instances_.erase(std::remove_if(instances_.begin(), instances_.end(),
                                    [](const std::unique_ptr<Instance>& i) { return i->dead; }),
                     instances_.end());
    Listen();
    std::vector<HANDLE> waits{wake_.get()};
    std::vector<Instance*> owners{nullptr};
    for (auto& instance : instances_) {
      if (!instance->pending || waits.size() == MAXIMUM_WAIT_OBJECTS) continue;
      waits.push_back(instance->event.get());
      owners.push_back(instance.get());
    }
    const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0) {
      const Order order = order_;
      if (order == Order::Stop) {
        instances_.clear();
        return;
      }
      Perform(order);
      SetEvent(done_.get());
    } else if (woken > WAIT_OBJECT_0 && woken < WAIT_OBJECT_0 + waits.size()) {
      Completed(*owners[woken - WAIT_OBJECT_0]);
    } else {
      Sleep(1);  // a handle went bad under us; the next turn rebuilds the list
    }
  }
}

void PipeServer::Perform(Order order) {
  switch (order) {
    case Order::PowerOn: {
      {
        Locked lock(model_);
        camera_.power = true;
      }
      entry_.SetPresent(true);
      powered_ = true;
      Listen();
      events_.PowerChanged(camera_, true);
      break;
    }
    case Order::PowerOff: {
      Locked lock(model_);
      camera_.power = false;
    }
      CutPower();
      break;
    case Order::FaultsChanged:
      for (int kind = kDevice; kind < kKinds; ++kind)
        if (!Allowed(static_cast<Kind>(kind))) StopListening(static_cast<Kind>(kind));
      Listen();
      if (std::any_of(instances_.begin(), instances_.end(),
                      [](const std::unique_ptr<Instance>& i) { return i->kind == kCommand && i->connected; }) &&
          ZeroWriteDue())
        Break(kCommand);
      break;
    default:
      break;
  }
}

bool PipeServer::Allowed(Kind kind) {
  if (!powered_) return false;
  Locked lock(model_);
  return kind == kDevice ? !camera_.deviceOpenFails : !camera_.pipeOpenFails[kind - kCommand];
}

void PipeServer::Listen() {
  for (int k = kDevice; k < kKinds; ++k) {
    const Kind kind = static_cast<Kind>(k);
    const bool listening = std::any_of(
        instances_.begin(), instances_.end(),
        [kind](const std::unique_ptr<Instance>& i) { return i->kind == kind && !i->connected && !i->dead; });
    if (listening || !Allowed(kind)) continue;
    auto instance = std::make_unique<Instance>();
    instance->kind = kind;
    const std::wstring name = entry_.PipeName() + kSuffixes[kind];
    instance->pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES,
                                      kPipeBuffer, kPipeBuffer, 0, nullptr);
    if (instance->pipe == INVALID_HANDLE_VALUE || !instance->event) continue;
    instance->overlapped.hEvent = instance->event.get();
    if (ConnectNamedPipe(instance->pipe, &instance->overlapped)) {
      instance->pending = true;  // completed at once; the event is set
    } else if (GetLastError() == ERROR_IO_PENDING) {
      instance->pending = true;
    } else if (GetLastError() == ERROR_PIPE_CONNECTED) {
      instance->pending = true;
      instance->connectedEarly = true;
      SetEvent(instance->event.get());
    } else {
      continue;
    }
    instances_.push_back(std::move(instance));
  }
}

void PipeServer::StopListening(Kind kind) {
  for (auto& instance : instances_)
    if (instance->kind == kind && !instance->connected) instance->dead = true;
  instances_.erase(
      std::remove_if(instances_.begin(), instances_.end(), [](const std::unique_ptr<Instance>& i) { return i->dead; }),
      instances_.end());
}

void PipeServer::Completed(Instance& instance) {
  DWORD moved = 0;
  const bool early = instance.connectedEarly;
  const BOOL ok = early || GetOverlappedResult(instance.pipe, &instance.overlapped, &moved, FALSE);
  instance.pending = false;
  instance.connectedEarly = false;
  ResetEvent(instance.event.get());
  if (!instance.connected) {
    if (ok || GetLastError() == ERROR_PIPE_CONNECTED)
      Connected(instance);
    else
      instance.dead = true;
    return;
  }
  if (!ok || moved == 0) {
    instance.dead = true;  // the program closed its end
    return;
  }
  if (instance.kind == kCommand) {
    std::vector<std::uint8_t> request(instance.buffer, instance.buffer + moved);
    BeginRead(instance);  // ready for the next request before this one is answered
    HandleRequest(request.data(), request.size());
  } else {
    BeginRead(instance);  // nothing else is ever written there; read on to notice the close
  }
}

void PipeServer::Connected(Instance& instance) {
  instance.connected = true;
  instance.serial = ++connections_;
  instance.held = &held_[instance.kind];
  ++*instance.held;
  BeginRead(instance);
  if (instance.kind == kCommand && ZeroWriteDue()) Break(kCommand);
}

void PipeServer::BeginRead(Instance& instance) {
  if (ReadFile(instance.pipe, instance.buffer, kPipeBuffer, nullptr, &instance.overlapped) ||
      GetLastError() == ERROR_IO_PENDING)
    instance.pending = true;
  else
    instance.dead = true;
}

// Opens that completed but were not taken yet: the program opens the data
// pipe before it writes its first request, yet both may be waiting together.
void PipeServer::TakeConnections(Kind kind) {
  std::vector<Instance*> done;
  for (auto& instance : instances_)
    if (instance->kind == kind && !instance->connected && instance->pending &&
        WaitForSingleObject(instance->event.get(), 0) == WAIT_OBJECT_0)
      done.push_back(instance.get());
  for (Instance* instance : done) Completed(*instance);
}

void PipeServer::HandleRequest(const std::uint8_t* request, std::size_t size) {
  TakeConnections(kData);
  camera_model::Exchange exchange;
  bool power = false;
  bool zeroWriteNext = false;
  {
    Locked lock(model_);
    exchange = camera_model::Run(camera_, request, size);
    if (exchange.powerCut) camera_.power = false;
    power = camera_.power;
    if (power && exchange.delivered && !exchange.replyLost) zeroWriteNext = camera_model::TakeDueZeroWrite(camera_);
  }
  if (!power) {
    CutPower();
  } else if (!exchange.delivered) {
    // The request moved no bytes after all: the program waits for a reply that never comes.
    Break(kCommand);
    Break(kData);
  } else if (exchange.replyLost) {
    Break(kData);
  } else {
    // Break first: the program writes its next request as soon as it has this reply.
    if (zeroWriteNext) Break(kCommand);
    if (!Reply(exchange.reply)) Break(kData);
  }
}

bool PipeServer::Reply(const std::vector<std::uint8_t>& reply) {
  Instance* newest = nullptr;
  for (auto& instance : instances_)
    if (instance->kind == kData && instance->connected && !instance->dead &&
        (newest == nullptr || instance->serial > newest->serial))
      newest = instance.get();
  if (newest == nullptr) return false;
  OVERLAPPED overlapped = {};
  OwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  overlapped.hEvent = event.get();
  DWORD written = 0;
  if (!WriteFile(newest->pipe, reply.data(), static_cast<DWORD>(reply.size()), nullptr, &overlapped) &&
      GetLastError() != ERROR_IO_PENDING)
    return false;
  return GetOverlappedResult(newest->pipe, &overlapped, &written, TRUE) && written == reply.size();
}

bool PipeServer::ZeroWriteDue() {
  Locked lock(model_);
  return camera_.power && camera_model::TakeDueZeroWrite(camera_);
}

void PipeServer::Break(Kind kind) {
  for (auto& instance : instances_)
    if (instance->kind == kind && instance->connected) instance->dead = true;
  instances_.erase(
      std::remove_if(instances_.begin(), instances_.end(), [](const std::unique_ptr<Instance>& i) { return i->dead; }),
      instances_.end());
}

void PipeServer::BreakAll() { instances_.clear(); }

void PipeServer::CutPower() {
  // The device leaves the search first, then everything opened to it breaks.
  entry_.SetPresent(false);
  powered_ = false;
  BreakAll();
  events_.PowerChanged(camera_, false);
}

}  // namespace camera_emulator
