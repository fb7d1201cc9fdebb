// The camera's replies as the protocol and the wizard see them: the real
// program runs on the simulated platform while the input decides what the
// user does and how each reply comes back (as the camera built it, lost, or
// replaced by arbitrary bytes). Whatever the replies, the program must not
// crash, must write into the camera only bytes that it read from it in a
// complete, accepted reply (the filter bytes aside), and must leave no
// handle or registration behind.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/entry.h"
#include "app/ravik_config.h"
#include "config/commands.h"
#include "fuzz/fuzz_input.h"
#include "lib/view/controls.h"
#include "lib/view/headless/headless.h"
#include "lib/view/loop.h"
#include "lib/view/toolkit.h"
#include "platform/camera_model/image.h"
#include "platform/sim/world.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Check(bool holds) {
  if (!holds) std::abort();
}

CRavikConfig* OpenMainWindow() {
  if (PBackground == nullptr) return nullptr;
  for (CWindow* window : PBackground->Windows())
    if (auto* main = dynamic_cast<CRavikConfig*>(window); main != nullptr && main->IsOpen()) return main;
  return nullptr;
}

// A live child of the window: a button by its command, a list by its number of items.
template <typename T, typename Pred>
T* Live(CRavikConfig& window, Pred pred) {
  for (CView* child : window.Children())
    if (auto* view = dynamic_cast<T*>(child); view != nullptr && !view->IsEnded() && view->IsShown() && pred(*view))
      return view;
  return nullptr;
}
CButton* LiveButton(CRavikConfig& window, std::uint32_t command) {
  return Live<CButton>(window, [command](const CButton& b) { return b.Command() == command; });
}
CComboBox* LiveBox(CRavikConfig& window, std::size_t items) {
  return Live<CComboBox>(window, [items](const CComboBox& b) { return b.Items().size() == items; });
}

struct Block {
  std::uint32_t address;  // where the block starts in camera memory
  Bytes data;
};

class Run {
 public:
  Run(const std::uint8_t* data, std::size_t size) : in_(data, size) {}

  void Play() {
    sim::World& world = sim::World::Get();
    world.Reset();
    view::ResetToolkit();
    world.SetMessageSink([](win::HWND window, win::UINT message, win::WPARAM wParam, Bytes header) {
      view::PostNativeMessage(window, message, wParam, std::move(header));
    });
    camera_model::CameraSetup setup;
    setup.classNumber = 1 + in_.Byte() % 8;
    setup.count = 5;
    camera_ = &world.AddCamera("c", setup.classNumber - 1);
    std::string error;
    camera_model::BuildCameraImage(setup, camera_->memory, error);
    camera_->replyHook = [this](Bytes& reply) { return Reply(reply); };
    world.SetPower(*camera_, true);

    view::headless::SetIdleHandler([this]() { return Act(); });
    char commandLine[] = "";
    Check(WinMain(sim::World::ProgramInstance(), nullptr, commandLine, 1) == 0);
    view::headless::SetIdleHandler(nullptr);
    world.SetMessageSink(nullptr);
    Check(world.OpenHandleCount() == 0);
    Check(world.RegistrationCount() == 0);
    view::ResetToolkit();
  }

 private:
  // One user action or world event per call; false ends the run.
  bool Act() {
    if (in_.Empty() || ++actions_ > 64) return false;
    CRavikConfig* window = OpenMainWindow();
    if (window == nullptr) return false;
    switch (in_.Byte() % 9) {
      case 0:
      case 1: {
        CButton* button = LiveButton(*window, in_.Byte() % 2 ? config::CmdPerformStep : config::CmdAdvanceStep);
        if (button != nullptr && button->IsEnabled()) button->Press();
        break;
      }
      case 2:
        sim::World::Get().SetPower(*camera_, false);
        break;
      case 3:
        sim::World::Get().SetPower(*camera_, true);
        break;
      case 4:
        if (CComboBox* box = LiveBox(*window, 8)) box->UserSelect(in_.Byte() % 9);
        break;
      case 5:
        if (CComboBox* box = LiveBox(*window, 2)) box->UserSelect(1 + in_.Byte() % 2);
        break;
      case 6:
        window->UserClose();
        break;
      case 7: {
        // One of the four faults of a reply, with its status and its count.
        std::string ignored;
        camera_->Inject({static_cast<camera_model::FaultKind>(in_.Byte() % 4), in_.Byte(), in_.Byte() % 3}, ignored);
        break;
      }
      default:
        break;
    }
    return true;
  }

  // The camera's reply to the request it has just run, as the input decides.
  bool Reply(Bytes& reply) {
    const Bytes& request = camera_->requests.back();
    CheckWrite(request);
    const std::uint8_t mode = in_.Byte();
    if (mode >= 0xC0) {
      reply = in_.Bytes(in_.Byte() % 65);
      if (reply.empty()) return false;
    } else if (mode >= 0xA0) {
      return false;
    } else if (mode >= 0x90 && !reply.empty()) {
      reply[0] = in_.Byte();  // another status
    }
    KeepAcceptedBlock(request, reply);
    return true;
  }

  static bool IsBlockRead(const Bytes& r, std::uint32_t& address, std::size_t& n) {
    if (r.size() == 3 && r[0] == 18 && r[1] == 10 && (r[2] == 59 || r[2] == 61)) {
      address = 10;
      n = r[2];
      return true;
    }
    if (r.size() == 6 && r[0] == 18 && r[1] == 0x80 && r[2] == 0xFF && r[3] == 0x03 && r[4] == 0 && r[5] == 61) {
      address = 0x3FF80;
      n = 61;
      return true;
    }
    return false;
  }

  // A complete reply with status 0x80: the program may keep these bytes.
  void KeepAcceptedBlock(const Bytes& request, const Bytes& reply) {
    std::uint32_t address = 0;
    std::size_t n = 0;
    if (!IsBlockRead(request, address, n) || reply.size() < 1 + n || reply[0] != 0x80) return;
    accepted_.push_back({address, Bytes(reply.begin() + 1, reply.begin() + 1 + static_cast<std::ptrdiff_t>(n))});
  }

  // Every written byte but the two filter bytes comes from an accepted reading.
  void CheckWrite(const Bytes& request) {
    if (request.empty() || request[0] != 19) return;
    const bool shortForm = request.size() >= 3 && request.size() == 3u + request[2];
    const std::size_t header = shortForm ? 3 : 6;
    Check(request.size() >= header);
    const std::uint32_t address = shortForm
                                      ? request[1]
                                      : static_cast<std::uint32_t>(request[1] | request[2] << 8 | request[3] << 16 |
                                                                   static_cast<std::uint32_t>(request[4]) << 24);
    const Bytes data(request.begin() + static_cast<std::ptrdiff_t>(header), request.end());
    bool fromReading = false;
    for (const Block& block : accepted_) {
      if (address < block.address || address - block.address + data.size() > block.data.size()) continue;
      const std::size_t offset = address - block.address;
      bool same = true;
      for (std::size_t i = 0; i < data.size() && same; ++i)
        same = data[i] == block.data[offset + i] || offset + i == 4 || offset + i == 5;
      fromReading = fromReading || same;
    }
    Check(fromReading);
  }

  fuzz::Input in_;
  sim::Camera* camera_ = nullptr;
  std::vector<Block> accepted_;
  int actions_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Run(data, size).Play();
  return 0;
}
