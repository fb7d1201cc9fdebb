#include "platform/real/live_objects.h"

#include <atomic>

namespace win::live {
namespace {

std::atomic<long> counts[static_cast<int>(LiveKind::Count)];

std::atomic<long>* Slot(LiveKind kind) {
  const int index = static_cast<int>(kind);
  return index >= 0 && index < static_cast<int>(LiveKind::Count) ? &counts[index] : nullptr;
}

}  // namespace

void Opened(LiveKind kind) {
  if (auto* slot = Slot(kind)) ++*slot;
}

void Closed(LiveKind kind) {
  if (auto* slot = Slot(kind)) --*slot;
}

void SetLive(LiveKind kind, long count) {
  if (auto* slot = Slot(kind)) *slot = count;
}

long Live(LiveKind kind) {
  auto* slot = Slot(kind);
  return slot != nullptr ? slot->load() : -1;
}

}  // namespace win::live
