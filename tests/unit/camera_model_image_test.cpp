// Memory images of virtual cameras: the fields each series keeps where the
// program will look for them, and seeded opaque bytes everywhere else.
#include <gtest/gtest.h>

#include <set>

#include "platform/camera_model/image.h"
#include "platform/camera_model/splitmix.h"

using namespace camera_model;

namespace {

std::vector<std::uint8_t> Build(const CameraSetup& setup) {
  std::vector<std::uint8_t> memory(kMemorySize);
  std::string error;
  EXPECT_TRUE(BuildCameraImage(setup, memory, error)) << error;
  return memory;
}

std::vector<std::uint8_t> Opaque(std::uint64_t seed) {
  std::vector<std::uint8_t> memory(kMemorySize);
  SplitMix64(seed).Fill(memory.data(), memory.size());
  return memory;
}

CameraSetup Camera(int classNumber, unsigned count, int wheel) {
  CameraSetup setup;
  setup.classNumber = classNumber;
  setup.count = count;
  setup.wheel = wheel;
  setup.seed = 42;
  return setup;
}

TEST(ConsoleCameraImage, RavikCountCodesAndNibble) {
  struct Case {
    unsigned count;
    std::uint8_t code;
  } cases[] = {{0, 0}, {5, 1}, {6, 2}, {7, 3}, {11, 3}, {12, 3}, {3, 3}};
  const std::uint8_t opaque5 = Opaque(42)[10 + 5];
  for (const Case& c : cases) {
    auto memory = Build(Camera(1, c.count, 1));
    std::uint8_t byte4 = memory[10 + 4], byte5 = memory[10 + 5];
    EXPECT_EQ(byte4 & 3, c.code) << c.count;
    EXPECT_EQ(byte4 & 0x80, 0) << c.count;
    // Byte 5 is the camera's own unless code 3 puts the count in its low nibble.
    if (c.code == 3)
      EXPECT_EQ(byte5, (opaque5 & 0xF0) | c.count) << c.count;
    else
      EXPECT_EQ(byte5, opaque5) << c.count;
  }
  EXPECT_EQ(Build(Camera(2, 5, 2))[10 + 4] & 0x83, 0x81);
}

TEST(ConsoleCameraImage, WheelBitPerSeries) {
  // Zelt: bit 2 set for revision 2. Oskel: bit 1 clear for revision 2.
  EXPECT_EQ(Build(Camera(3, 8, 2))[10 + 4] & 0x04, 0x04);
  EXPECT_EQ(Build(Camera(6, 8, 1))[10 + 4] & 0x04, 0x00);
  EXPECT_EQ(Build(Camera(7, 8, 2))[0x3FF80 + 4] & 0x02, 0x00);
  EXPECT_EQ(Build(Camera(8, 8, 1))[0x3FF80 + 4] & 0x02, 0x02);
  EXPECT_EQ(Build(Camera(4, 200, 1))[10 + 5], 200);
  EXPECT_EQ(Build(Camera(7, 12, 1))[0x3FF80 + 5], 12);
}

TEST(ConsoleCameraImage, FlagsFillOnlyTheOtherBits) {
  CameraSetup ravik = Camera(1, 6, 2);
  ravik.flags = 0xFF;
  EXPECT_EQ(Build(ravik)[10 + 4], 0xFE);  // code 2, wheel bit from wheel=2
  ravik.flags = 0x00;
  EXPECT_EQ(Build(ravik)[10 + 4], 0x82);
  CameraSetup zelt = Camera(5, 5, 1);
  zelt.flags = 0xFF;
  EXPECT_EQ(Build(zelt)[10 + 4], 0xFB);
  CameraSetup oskel = Camera(8, 5, 2);
  oskel.flags = 0xFF;
  EXPECT_EQ(Build(oskel)[0x3FF80 + 4], 0xFD);
}

TEST(ConsoleCameraImage, IdModelAndTypeAtTheirOffsets) {
  CameraSetup setup = Camera(2, 5, 1);
  setup.id = 0x89ABCDEF;
  setup.model = 1201;
  setup.typeText = "Ravik 16";
  auto memory = Build(setup);
  EXPECT_EQ(memory[3], 1201 & 0xFF);
  EXPECT_EQ(memory[4], 1201 >> 8);
  EXPECT_EQ(memory[10], 0xEF);
  EXPECT_EQ(memory[13], 0x89);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&memory[10 + 14])), "Ravik 16");

  setup.classNumber = 7;
  setup.typeText = "14 characters!";
  memory = Build(setup);
  EXPECT_EQ(memory[0x3FF80], 0xEF);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&memory[0x3FF80 + 16]), 14), "14 characters!");
  EXPECT_EQ(memory[3], Opaque(42)[3]);  // no identity block for Oskel
}

// Everything the setup does not name is the generator's, so a program that
// loses an opaque byte is caught.
TEST(ConsoleCameraImage, EveryOtherByteIsOpaque) {
  struct Case {
    int classNumber;
    std::uint32_t block;
    std::size_t typeOffset;
    bool identity;
  } cases[] = {{1, 10, 14, true}, {4, 10, 16, true}, {8, 0x3FF80, 16, false}};
  for (const Case& c : cases) {
    CameraSetup setup = Camera(c.classNumber, 9, 2);
    setup.typeText = "abc";
    auto memory = Build(setup);
    auto opaque = Opaque(42);
    std::set<std::size_t> named;
    for (std::size_t i = 0; i < 6; ++i) named.insert(c.block + i);                 // ID, byte 4, byte 5
    for (std::size_t i = 0; i < 4; ++i) named.insert(c.block + c.typeOffset + i);  // "abc" and its zero
    if (c.identity) named.insert({3, 4});
    std::size_t differing = 0;
    for (std::size_t i = 0; i < memory.size(); ++i)
      if (memory[i] != opaque[i] && named.count(i) == 0) ++differing;
    EXPECT_EQ(differing, 0u) << c.classNumber;
  }
}

TEST(ConsoleCameraImage, SeedDecidesTheOpaqueBytes) {
  CameraSetup a = Camera(3, 5, 1), b = Camera(3, 5, 1);
  EXPECT_EQ(Build(a), Build(b));
  b.seed = 43;
  auto ma = Build(a), mb = Build(b);
  EXPECT_NE(ma, mb);
  EXPECT_EQ(ma[10], mb[10]);  // the ID is the setup's
}

TEST(ConsoleCameraImage, UnencodableSetupsLeaveMemoryAlone) {
  std::vector<std::uint8_t> memory(kMemorySize, 0x5A);
  std::string error;
  CameraSetup setup;
  setup.count = 16;  // Ravik keeps at most 15 in a nibble
  EXPECT_FALSE(BuildCameraImage(setup, memory, error));
  setup = CameraSetup();
  setup.wheel = 3;
  EXPECT_FALSE(BuildCameraImage(setup, memory, error));
  setup = CameraSetup();
  setup.typeText = "fifteen chars!!";
  EXPECT_FALSE(BuildCameraImage(setup, memory, error));
  setup = CameraSetup();
  setup.classNumber = 9;
  EXPECT_FALSE(BuildCameraImage(setup, memory, error));
  std::vector<std::uint8_t> small(100, 0x5A);
  EXPECT_FALSE(BuildCameraImage(CameraSetup(), small, error));
  EXPECT_EQ(memory, std::vector<std::uint8_t>(kMemorySize, 0x5A));
  EXPECT_EQ(small, std::vector<std::uint8_t>(100, 0x5A));
}

}  // namespace
