// The memory instructions as the camera receives them: exact request bytes,
// reply handling, status texts, and what closes the link.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "camera/camera_link.h"
#include "platform/sim/world.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class Owner : public camera::LinkOwner {
 public:
  win::HWND LinkWindowHandle() override { return reinterpret_cast<win::HWND>(0x5150); }
  void LinkSetTitle(std::string_view title) override { this->title = title; }
  void LinkClosed() override { ++closed; }
  std::string title;
  int closed = 0;
};

class ProtocolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world.Reset();
    cam = &world.AddCamera("cam", 6);  // an Oskel class: any series carries the instructions
    for (std::size_t i = 0; i < cam->memory.size(); ++i) cam->memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
    world.SetPower(*cam, true);
    link.Connect();
    ASSERT_TRUE(link.IsOpen());
    cam->TakeInstructions();
    owner.closed = 0;
  }
  void TearDown() override { link.Disconnect(); }

  sim::World& world = sim::World::Get();
  sim::Camera* cam = nullptr;
  Owner owner;
  camera::CCameraLink link{owner};
};

// An owner that connects again from every close would recurse until the stack
// ends; debug builds stop at the link's depth check instead.
TEST(LinkChain, AnEndlessReconnectStopsAtTheDepthCheck) {
#ifdef NDEBUG
  GTEST_SKIP() << "the depth check is in debug builds";
#else
  struct Reconnecting : Owner {
    camera::CCameraLink* link = nullptr;
    void LinkClosed() override { link->Connect(); }
  };
  EXPECT_DEATH(
      {
        sim::World::Get().Reset();
        Reconnecting owner;
        camera::CCameraLink link{owner};
        owner.link = &link;
        link.Connect();
      },
      "re-enters without end");
#endif
}

TEST_F(ProtocolTest, RequestBytesOfTheFourForms) {
  std::uint8_t dest[64] = {};
  ASSERT_TRUE(link.ReadMemoryShort(0, 10, dest));
  ASSERT_TRUE(link.ReadMemory(0x3FF80, 61, dest));
  const std::uint8_t data[3] = {0xAA, 0xBB, 0xCC};
  ASSERT_TRUE(link.WriteMemoryShort(10, 3, data));
  ASSERT_TRUE(link.WriteMemory(0x3FFB0, 3, data));
  ASSERT_EQ(cam->requests.size(), 4u);
  EXPECT_EQ(cam->requests[0], (Bytes{0x12, 0x00, 0x0A}));
  EXPECT_EQ(cam->requests[1], (Bytes{0x12, 0x80, 0xFF, 0x03, 0x00, 0x3D}));
  EXPECT_EQ(cam->requests[2], (Bytes{0x13, 0x0A, 0x03, 0xAA, 0xBB, 0xCC}));
  EXPECT_EQ(cam->requests[3], (Bytes{0x13, 0xB0, 0xFF, 0x03, 0x00, 0x03, 0xAA, 0xBB, 0xCC}));
  EXPECT_EQ(cam->memory[10], 0xAA);
  EXPECT_EQ(cam->memory[0x3FFB2], 0xCC);
}

TEST_F(ProtocolTest, ReadsFillTheDestinationOnlyOnSuccess) {
  std::uint8_t dest[64];
  std::memset(dest, 0xEE, sizeof(dest));
  ASSERT_TRUE(link.ReadMemory(0x100, 63, dest));  // status + 63 bytes fill the reply exactly
  EXPECT_EQ(0, std::memcmp(dest, &cam->memory[0x100], 63));
  EXPECT_EQ(dest[63], 0xEE);

  std::memset(dest, 0xEE, sizeof(dest));
  for (std::uint8_t status : {0x81, 0x82, 0x83, 0x84, 0x00}) {
    cam->faults.push_back({camera_model::FaultKind::Status, status, 0});
    EXPECT_FALSE(link.ReadMemoryShort(0, 10, dest));
    EXPECT_EQ(dest[0], 0xEE);
    EXPECT_TRUE(link.IsOpen());
  }
  EXPECT_EQ(owner.closed, 0);
}

TEST_F(ProtocolTest, StatusTexts) {
  struct Case {
    std::uint8_t status;
    const char* text;
  } cases[] = {{0x81, "Instruction failed: Invalid index"},
               {0x82, "Instruction failed: Invalid parameter"},
               {0x83, "Instruction failed: Unknown instruction"},
               {0x84, "Instruction failed: Unknown return code"},
               {0x00, "Instruction failed: Unknown return code"}};
  const std::uint8_t data[1] = {1};
  for (const Case& c : cases) {
    cam->faults.push_back({camera_model::FaultKind::Status, c.status, 0});
    EXPECT_FALSE(link.WriteMemoryShort(10, 1, data));
    EXPECT_STREQ(link.LastErrorText, c.text);
  }
  char text[128];
  camera::CCameraLink::InstructionStatusText(0x84, 127, text);
  EXPECT_EQ(std::strlen(text), 39u);  // the longest text
  camera::CCameraLink::InstructionStatusText(0x81, 10, text);
  EXPECT_STREQ(text, "Instructio");  // cut at the capacity of 10 characters, terminated
}

TEST_F(ProtocolTest, AShortReplyIsAFailedReadAndLeavesTheDestination) {
  std::uint8_t dest[61];
  std::memset(dest, 0x5A, sizeof(dest));
  cam->faults.push_back({camera_model::FaultKind::ShortReply, 0, 0});
  EXPECT_FALSE(link.ReadMemory(0x3FF80, 61, dest));
  for (std::uint8_t b : dest) EXPECT_EQ(b, 0x5A);
  EXPECT_TRUE(link.IsOpen());
  EXPECT_STRNE(link.LastErrorText, "");
}

TEST_F(ProtocolTest, RequestsThatDoNotFitAreRefusedUnsent) {
  std::uint8_t buffer[300] = {};
  EXPECT_FALSE(link.ReadMemory(0, 64, buffer));
  EXPECT_FALSE(link.ReadMemoryShort(0, 200, buffer));
  EXPECT_FALSE(link.WriteMemory(0, 59, buffer));
  EXPECT_FALSE(link.WriteMemoryShort(0, 62, buffer));
  EXPECT_FALSE(link.WriteMemory(0, 256, buffer));
  EXPECT_STREQ(link.LastErrorText, "Request does not fit the exchange buffer");
  EXPECT_TRUE(cam->requests.empty());
  EXPECT_TRUE(link.IsOpen());
  // The limits themselves go through.
  EXPECT_TRUE(link.WriteMemory(0x1000, 58, buffer));
  EXPECT_TRUE(link.WriteMemoryShort(0, 61, buffer));
  EXPECT_TRUE(link.ReadMemoryShort(0, 63, buffer));
  EXPECT_EQ(cam->requests.size(), 3u);
}

TEST_F(ProtocolTest, ZeroByteTransfersCloseTheLink) {
  std::uint8_t dest[10];
  cam->faults.push_back({camera_model::FaultKind::ZeroWrite, 0, 0});
  EXPECT_FALSE(link.ReadMemoryShort(0, 10, dest));
  EXPECT_STREQ(link.LastErrorText, "Kamera nen\xED p\xF8ipojena");
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(owner.closed, 1);
  EXPECT_TRUE(cam->requests.empty());  // the camera never saw it

  link.Connect();
  ASSERT_TRUE(link.IsOpen());
  const std::uint8_t data[2] = {1, 2};
  cam->faults.push_back({camera_model::FaultKind::ZeroRead, 0, 0});
  EXPECT_FALSE(link.WriteMemoryShort(10, 2, data));  // the request went out, its status never came
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(world.OpenHandleCount(), 0u);
  EXPECT_EQ(world.RegistrationCount(), 0u);
}

TEST_F(ProtocolTest, AClosedLinkSendsNothing) {
  link.Disconnect();
  owner.closed = 0;
  cam->TakeInstructions();
  std::uint8_t dest[10];
  EXPECT_FALSE(link.ReadMemoryShort(0, 10, dest));
  EXPECT_STREQ(link.LastErrorText, "Device not initialised");
  EXPECT_EQ(owner.closed, 0);  // no Disconnect for an instruction on a closed link
  EXPECT_TRUE(cam->requests.empty());
}

TEST_F(ProtocolTest, PowerCutMakesTheNextTransferCloseTheLink) {
  world.SetPower(*cam, false);
  std::uint8_t dest[10];
  EXPECT_FALSE(link.ReadMemoryShort(0, 10, dest));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_STREQ(link.LastErrorText, "Kamera nen\xED p\xF8ipojena");
}

}  // namespace
