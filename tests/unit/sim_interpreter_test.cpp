// The simulated camera's command interpreter, driven through its pipes as the
// program drives it: request bytes in, reply bytes out, faults and power cuts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/sim/internals.h"
#include "platform/sim/world.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Strings = std::vector<std::string>;

win::HANDLE Open(const std::string& name) {
  return win::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
}

class Interpreter : public ::testing::Test {
 protected:
  void SetUp() override {
    world.Reset();
    cam = &world.AddCamera("cam", 2);
    world.SetPower(*cam, true);
    for (std::size_t i = 0; i < cam->memory.size(); ++i) cam->memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
    OpenPipes();
  }
  void OpenPipes() {
    for (int i = 0; i < 3; ++i) {
      pipes[i] = Open(cam->path + "\\" + std::to_string(i));
      ASSERT_NE(pipes[i], INVALID_HANDLE_VALUE);
    }
  }
  // One request and its reply, as the program makes them; sent/received are
  // the byte counts the two transfers moved.
  Bytes Exchange(const Bytes& request, win::DWORD ask = 64) {
    win::DWORD moved = 0;
    win::WriteFile(pipes[0], request.data(), static_cast<win::DWORD>(request.size()), &moved, nullptr);
    sent = moved;
    if (sent == 0) return {};
    Bytes reply(ask);
    moved = 0;
    win::ReadFile(pipes[1], reply.data(), ask, &moved, nullptr);
    received = moved;
    reply.resize(moved);
    return reply;
  }
  Bytes Memory(std::size_t at, std::size_t n) { return Bytes(cam->memory.begin() + at, cam->memory.begin() + at + n); }

  sim::World& world = sim::World::Get();
  sim::Camera* cam = nullptr;
  win::HANDLE pipes[3] = {};
  win::DWORD sent = 0, received = 0;
};

TEST_F(Interpreter, ReadsInBothFormsWithStatusFirst) {
  Bytes expected = {0x80};
  Bytes block = Memory(0, 10);
  expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_EQ(Exchange({0x12, 0x00, 0x0A}), expected);

  Bytes reply = Exchange({0x12, 0x80, 0xFF, 0x03, 0x00, 0x3D});
  ASSERT_EQ(reply.size(), 62u);
  EXPECT_EQ(reply[0], 0x80);
  EXPECT_EQ(Bytes(reply.begin() + 1, reply.end()), Memory(0x3FF80, 61));

  // 63 bytes fill the 64-byte reply exactly; 64 or none are refused.
  EXPECT_EQ(Exchange({0x12, 0x00, 63}).size(), 64u);
  EXPECT_EQ(Exchange({0x12, 0x00, 64}), Bytes{0x82});
  EXPECT_EQ(Exchange({0x12, 0x05, 0}), Bytes{0x82});
  EXPECT_EQ(cam->TakeInstructions(), (Strings{"rs:0:10", "rl:3FF80:61", "rs:0:63", "rs:0:64", "rs:5:0"}));
}

TEST_F(Interpreter, RefusesAddressesPastTheMemory) {
  EXPECT_EQ(Exchange({0x12, 0xFF, 0xFF, 0x03, 0x00, 1}).size(), 2u);  // last byte
  EXPECT_EQ(Exchange({0x12, 0xFF, 0xFF, 0x03, 0x00, 2}), Bytes{0x81});
  EXPECT_EQ(Exchange({0x12, 0xFF, 0xFF, 0xFF, 0xFF, 63}), Bytes{0x81});  // no wrap-around
  Bytes before = cam->memory;
  Bytes write = {0x13, 0xFE, 0xFF, 0x03, 0x00, 3, 1, 2, 3};
  EXPECT_EQ(Exchange(write, 1), Bytes{0x81});
  EXPECT_EQ(cam->memory, before);
}

TEST_F(Interpreter, WritesInBothForms) {
  EXPECT_EQ(Exchange({0x13, 10, 3, 0xAA, 0xBB, 0xCC}, 1), Bytes{0x80});
  EXPECT_EQ(Memory(10, 3), (Bytes{0xAA, 0xBB, 0xCC}));
  Bytes write = {0x13, 0xB0, 0xFF, 0x03, 0x00, 13};
  for (int i = 0; i < 13; ++i) write.push_back(static_cast<std::uint8_t>(0x40 + i));
  EXPECT_EQ(Exchange(write, 1), Bytes{0x80});
  EXPECT_EQ(Memory(0x3FFB0, 13), Bytes(write.begin() + 6, write.end()));
  EXPECT_EQ(Exchange({0x13, 10, 0}, 1), Bytes{0x82});
  EXPECT_EQ(cam->TakeInstructions(), (Strings{"ws:A:3", "wl:3FFB0:13", "ws:A:0"}));
}

TEST_F(Interpreter, RefusesMalformedAndUnknownRequests) {
  Bytes before = cam->memory;
  EXPECT_EQ(Exchange({0x12, 0x00, 0x0A, 0x00}), Bytes{0x82});      // neither size of a read
  EXPECT_EQ(Exchange({0x13, 10, 3, 0xAA, 0xBB}, 1), Bytes{0x82});  // data shorter than n
  EXPECT_EQ(Exchange({0x14, 0x00, 0x01}), Bytes{0x83});
  EXPECT_EQ(cam->memory, before);
  EXPECT_EQ(cam->TakeInstructions(), (Strings{"bad:12 00 0a 00", "bad:13 0a 03 aa bb", "bad:14 00 01"}));
}

TEST_F(Interpreter, IgnoredWritesAnswerDoneButKeepMemory) {
  cam->ignoreWrites = true;
  Bytes before = cam->memory;
  EXPECT_EQ(Exchange({0x13, 10, 2, 0x01, 0x02}, 1), Bytes{0x80});
  EXPECT_EQ(cam->memory, before);
}

TEST_F(Interpreter, ReplyTransfers) {
  win::DWORD moved = 99;
  Bytes buffer(64);
  // Nothing asked, nothing to read.
  EXPECT_FALSE(win::ReadFile(pipes[1], buffer.data(), 64, &moved, nullptr));
  EXPECT_EQ(moved, 0u);
  // A read cut at the count asked; the reply is then gone.
  EXPECT_EQ(Exchange({0x12, 0x00, 10}, 4).size(), 4u);
  EXPECT_FALSE(win::ReadFile(pipes[1], buffer.data(), 64, &moved, nullptr));
  // Requests go only to the command pipe, replies come only from the data pipe.
  Bytes request = {0x12, 0x00, 1};
  EXPECT_FALSE(win::WriteFile(pipes[1], request.data(), 3, &moved, nullptr));
  EXPECT_FALSE(win::WriteFile(pipes[2], request.data(), 3, &moved, nullptr));
  EXPECT_TRUE(win::WriteFile(pipes[0], request.data(), 3, &moved, nullptr));
  EXPECT_EQ(moved, 3u);
  EXPECT_FALSE(win::ReadFile(pipes[0], buffer.data(), 64, &moved, nullptr));
  EXPECT_TRUE(win::ReadFile(pipes[1], buffer.data(), 64, &moved, nullptr));
  EXPECT_EQ(moved, 2u);
}

TEST_F(Interpreter, OneShotFaults) {
  Bytes before = cam->memory;
  cam->faults.push_back({camera_model::FaultKind::ZeroWrite, 0, 0});
  win::DWORD moved = 7;
  Bytes write = {0x13, 10, 1, 0x55};
  EXPECT_FALSE(win::WriteFile(pipes[0], write.data(), 4, &moved, nullptr));
  EXPECT_EQ(moved, 0u);
  EXPECT_EQ(cam->memory, before);
  EXPECT_TRUE(cam->TakeInstructions().empty());  // never reached the camera

  // The request is carried out, but its reply is lost.
  cam->faults.push_back({camera_model::FaultKind::ZeroRead, 0, 0});
  EXPECT_EQ(Exchange(write, 1), Bytes{});
  EXPECT_EQ(sent, 4u);
  EXPECT_EQ(received, 0u);
  EXPECT_EQ(cam->memory[10], 0x55);

  cam->faults.push_back({camera_model::FaultKind::Status, 0x84, 0});
  EXPECT_EQ(Exchange({0x13, 10, 1, 0x66}, 1), Bytes{0x84});
  EXPECT_EQ(cam->memory[10], 0x55);  // not carried out

  cam->faults.push_back({camera_model::FaultKind::ShortReply, 0, 0});
  Bytes reply = Exchange({0x12, 0, 10});
  EXPECT_EQ(reply.size(), 6u);
  EXPECT_EQ(reply[0], 0x80);
  EXPECT_EQ(cam->TakeInstructions(), (Strings{"ws:A:1", "ws:A:1", "rs:0:10"}));
  EXPECT_TRUE(cam->faults.empty());
  EXPECT_EQ(Exchange({0x12, 0, 10}).size(), 11u);  // one shot only
}

TEST_F(Interpreter, FaultsWaitTheirTurn) {
  cam->faults.push_back({camera_model::FaultKind::Status, 0x81, 2});
  cam->faults.push_back({camera_model::FaultKind::Status, 0x82, 2});  // due at the same instruction: comes one later
  EXPECT_EQ(Exchange({0x12, 0, 1}).size(), 2u);
  EXPECT_EQ(Exchange({0x12, 0, 1}).size(), 2u);
  EXPECT_EQ(Exchange({0x12, 0, 1}), Bytes{0x81});
  EXPECT_EQ(Exchange({0x12, 0, 1}), Bytes{0x82});
  EXPECT_EQ(Exchange({0x12, 0, 1}).size(), 2u);
  // A short reply aimed at a write leaves it whole and is used up.
  cam->faults.push_back({camera_model::FaultKind::ShortReply, 0, 0});
  EXPECT_EQ(Exchange({0x13, 0, 1, 9}, 1), Bytes{0x80});
  EXPECT_TRUE(cam->faults.empty());
}

TEST_F(Interpreter, PowerCutKillsOpenHandlesForGood) {
  world.SetPower(*cam, false);
  win::DWORD moved = 5;
  Bytes request = {0x12, 0, 1};
  EXPECT_FALSE(win::WriteFile(pipes[0], request.data(), 3, &moved, nullptr));
  EXPECT_EQ(moved, 0u);
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_DEVICE_NOT_CONNECTED));
  EXPECT_EQ(Open(cam->path + "\\0"), INVALID_HANDLE_VALUE);
  world.SetPower(*cam, true);
  EXPECT_FALSE(win::WriteFile(pipes[0], request.data(), 3, &moved, nullptr));
  EXPECT_EQ(world.OpenHandleCount(), 3u);  // dead, but still the program's to close
  for (win::HANDLE pipe : pipes) EXPECT_TRUE(win::CloseHandle(pipe));
  EXPECT_FALSE(win::CloseHandle(pipes[0]));
  OpenPipes();
  EXPECT_EQ(Exchange(request).size(), 2u);
}

}  // namespace
