// A debug check on the link's re-entrant chain. Connect and Disconnect call
// the owner, whose reaction (the wizard's power-off step) may call them again;
// each chain ends because the wizard's step changes before the inner call, so
// no chain nests more than two rounds. A deeper one is a fault: debug builds
// stop there with a clear message instead of overflowing the stack.
#pragma once
#include <cassert>

namespace camera {

class CallDepth {
 public:
  static constexpr int kMost = 4;  // Connect, Disconnect, and once more each from the owner's reaction
  explicit CallDepth(int& depth) : depth_(depth) {
    ++depth_;
    assert(depth_ <= kMost && "the link's Connect/Disconnect chain re-enters without end");
  }
  ~CallDepth() { --depth_; }
  CallDepth(const CallDepth&) = delete;
  CallDepth& operator=(const CallDepth&) = delete;

 private:
  int& depth_;
};

}  // namespace camera
