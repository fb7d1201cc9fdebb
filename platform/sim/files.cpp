// Files: a camera's interface path opens the device, the path followed by
// "\0", "\1" or "\2" its command, data and third pipe. Transfers are
// synchronous; requests go to the camera interpreter, replies come back from it.
#include <algorithm>
#include <cstring>

#include "platform/api.h"
#include "platform/camera_model/interpreter.h"
#include "platform/sim/internals.h"

namespace {

const char* const kPipeNames[3] = {"command pipe", "data pipe", "third pipe"};

// The camera whose device path name is, or whose pipe it names (pipe 0..2).
sim::Camera* Resolve(sim::World& world, const std::string& name, int& pipe) {
  for (const auto& camera : world.Cameras()) {
    const std::string& path = camera->path;
    if (sim::EqualNoCase(name, path)) {
      pipe = -1;
      return camera.get();
    }
    if (name.size() == path.size() + 2 && name[path.size()] == '\\' && name.back() >= '0' && name.back() <= '2' &&
        sim::EqualNoCase(name.substr(0, path.size()), path)) {
      pipe = name.back() - '0';
      return camera.get();
    }
  }
  return nullptr;
}

// Runs one request through the camera's interpreter; its reply waits for the
// data pipe (an unread one is overwritten). False when the request moved no bytes.
bool DeliverRequest(sim::World& world, sim::Camera& camera, const std::uint8_t* request, std::size_t size) {
  auto& replies = world.internals().replies;
  replies.erase(&camera);
  camera_model::Exchange exchange = camera_model::Run(camera, request, size);
  if (exchange.delivered) replies[&camera] = sim::PendingReply{std::move(exchange.reply), exchange.replyLost};
  if (exchange.powerCut) world.SetPower(camera, false);  // kills the pipes, and the reply with them
  return exchange.delivered;
}

// The live device or pipe behind a file handle; null (with the error set) otherwise.
sim::HandleEntry* FindFile(win::HANDLE file) {
  auto& internals = sim::World::Get().internals();
  sim::HandleEntry* entry = internals.Find(file, sim::HandleKind::Pipe);
  if (entry == nullptr) entry = internals.Find(file, sim::HandleKind::Device);
  if (entry == nullptr) win::SetLastError(ERROR_INVALID_HANDLE);
  return entry;
}

}  // namespace

namespace win {

HANDLE CreateFileA(const char* name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile) {
  sim::World& world = sim::World::Get();
  world.lastFileOpen = {name != nullptr ? name : "", access, share, disposition, flags, security != nullptr,
                        templateFile != nullptr};
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  int pipe = -1;
  sim::Camera* camera = Resolve(world, name, pipe);
  if (camera == nullptr || !camera->power) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (disposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (pipe < 0 ? camera->deviceOpenFails : camera->pipeOpenFails[pipe]) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  sim::HandleEntry entry;
  entry.kind = pipe < 0 ? sim::HandleKind::Device : sim::HandleKind::Pipe;
  entry.camera = camera;
  entry.pipe = pipe;
  entry.label = pipe < 0 ? "device " + camera->name : std::string(kPipeNames[pipe]) + " " + camera->name;
  return world.internals().Add(std::move(entry));
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written, OVERLAPPED* overlapped) {
  (void)overlapped;  // no handle is opened for overlapped transfers
  if (written != nullptr) *written = 0;
  sim::HandleEntry* entry = FindFile(file);
  if (entry == nullptr) return 0;
  if (written == nullptr || (buffer == nullptr && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (entry->dead) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return 0;
  }
  if (entry->pipe != 0) {
    SetLastError(sim::kErrorInvalidFunction);  // only the command pipe takes requests
    return 0;
  }
  if (count == 0) return 1;
  if (!DeliverRequest(sim::World::Get(), *entry->camera, static_cast<const std::uint8_t*>(buffer), count)) {
    SetLastError(sim::kErrorGenFailure);
    return 0;
  }
  *written = count;
  return 1;
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read, OVERLAPPED* overlapped) {
  (void)overlapped;
  if (read != nullptr) *read = 0;
  sim::HandleEntry* entry = FindFile(file);
  if (entry == nullptr) return 0;
  if (read == nullptr || (buffer == nullptr && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (entry->dead) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return 0;
  }
  if (entry->pipe != 1) {
    SetLastError(sim::kErrorInvalidFunction);  // only the data pipe gives replies
    return 0;
  }
  if (count == 0) return 1;
  auto& replies = sim::World::Get().internals().replies;
  auto it = replies.find(entry->camera);
  if (it == replies.end()) {
    sim::World::Get().protocolErrors.push_back("a read of " + entry->label +
                                               " with no request waiting for its reply: a real pipe would block");
    SetLastError(sim::kErrorNoData);
    return 0;
  }
  sim::PendingReply reply = std::move(it->second);
  replies.erase(it);
  if (reply.lost) {
    SetLastError(sim::kErrorGenFailure);
    return 0;
  }
  // A reply longer than the buffer loses its tail, as a short USB read would.
  DWORD moved = static_cast<DWORD>(std::min<std::size_t>(count, reply.bytes.size()));
  std::memcpy(buffer, reply.bytes.data(), moved);
  *read = moved;
  return 1;
}

BOOL CloseHandle(HANDLE handle) {
  auto& internals = sim::World::Get().internals();
  if (internals.Remove(handle, sim::HandleKind::Pipe) || internals.Remove(handle, sim::HandleKind::Device)) return 1;
  SetLastError(ERROR_INVALID_HANDLE);
  return 0;
}

}  // namespace win
