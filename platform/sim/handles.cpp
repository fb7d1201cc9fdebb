// The handle table of the simulated platform, and the thread's last error.
#include "platform/api.h"
#include "platform/sim/internals.h"

namespace sim {

namespace {
// Handle values are never reused within a world, so a handle used after it
// was closed is refused rather than reaching a newer object.
constexpr std::uintptr_t kFirstHandle = 0x1000;
constexpr std::uintptr_t kFirstRegistration = 0x40000000;
constexpr std::uintptr_t kFirstIcon = 0x60000000;
}  // namespace

void World::Internals::Clear() {
  handles.clear();
  nextHandle = kFirstHandle;
  registrations.clear();
  nextRegistration = kFirstRegistration;
  replies.clear();
  versionBuffers.clear();
  nextIcon = kFirstIcon;
  lastError = 0;
}

void* World::Internals::Add(HandleEntry entry) {
  std::uintptr_t value = nextHandle;
  nextHandle += 4;
  handles[value] = std::move(entry);
  return reinterpret_cast<void*>(value);
}

HandleEntry* World::Internals::Find(const void* handle, HandleKind kind) {
  auto it = handles.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == handles.end() || it->second.kind != kind) return nullptr;
  return &it->second;
}

bool World::Internals::Remove(const void* handle, HandleKind kind) {
  auto it = handles.find(reinterpret_cast<std::uintptr_t>(handle));
  if (it == handles.end() || it->second.kind != kind) return false;
  handles.erase(it);
  return true;
}

std::size_t World::OpenHandleCount() const { return internals_->handles.size(); }

std::size_t World::RegistrationCount() const { return internals_->registrations.size(); }

int World::PipesOpenTo(const Camera& camera) const {
  int open = 0;
  for (const auto& [value, entry] : internals_->handles)
    open += entry.kind == HandleKind::Pipe && entry.camera == &camera && !entry.dead;
  return open;
}

std::vector<std::string> World::DescribeOpenHandles() const {
  std::vector<std::string> out;
  for (const auto& [value, entry] : internals_->handles) {
    std::string text = entry.label;
    if (entry.dead) text += " (dead: power was cut)";
    out.push_back(std::move(text));
  }
  return out;
}

}  // namespace sim

namespace win {

DWORD GetLastError() { return sim::World::Get().internals().lastError; }

void SetLastError(DWORD code) { sim::World::Get().internals().lastError = code; }

}  // namespace win
