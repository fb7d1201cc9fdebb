// Cameras as scripts, the Virtual camera window and ZELTFW_DESKTOP_CAMERA write them.
#include <gtest/gtest.h>

#include "tools/scenario/cameras.h"

namespace scenario {
namespace {

bool Parse(const std::string& line, CameraCommand& out, std::string& error) {
  std::vector<Word> words;
  if (!SplitWords(line, words, error)) return false;
  try {
    out = ParseCameraCommand(Args(words, 0));
    return true;
  } catch (const ScriptError& refused) {
    error = refused.reason;
    return false;
  }
}

TEST(CameraLine, UnsetOptionsTakeTheConsoleDefaults) {
  CameraCommand camera;
  std::string error;
  ASSERT_TRUE(Parse("cam class=3", camera, error)) << error;
  EXPECT_EQ(camera.name, "cam");
  EXPECT_EQ(camera.setup.classNumber, 3);
  EXPECT_EQ(camera.setup.model, 1030);
  EXPECT_EQ(camera.setup.id, 1003u);
  EXPECT_EQ(camera.setup.typeText, "Virtual 3");
  EXPECT_EQ(camera.setup.count, 5u);
  EXPECT_EQ(camera.setup.wheel, 1);
  EXPECT_FALSE(camera.setup.flags.has_value());
  EXPECT_TRUE(camera.power);
}

TEST(CameraLine, EveryOptionIsRead) {
  CameraCommand camera;
  std::string error;
  ASSERT_TRUE(
      Parse("demo class=4 model=0x4B0 id=4294967295 type=\"Žlutá 1\" count=12 wheel=2 flags=0x40 seed=9 "
            "power=off",
            camera, error))
      << error;
  EXPECT_EQ(camera.setup.model, 1200);
  EXPECT_EQ(camera.setup.id, 4294967295u);
  EXPECT_EQ(camera.setup.typeText, "\x8Elut\xE1 1");  // Windows-1250
  EXPECT_EQ(camera.setup.count, 12u);
  EXPECT_EQ(camera.setup.wheel, 2);
  EXPECT_EQ(camera.setup.flags, 0x40);
  EXPECT_EQ(camera.setup.seed, 9u);
  EXPECT_FALSE(camera.power);
}

TEST(CameraLine, BadWordsLeaveTheResultAlone) {
  const char* const bad[] = {
      "",                        // no name
      "class=4",                 // no name
      "cam",                     // no class
      "cam class=9",             // no such class
      "cam class=4 id=-1",       // IDs are unsigned
      "cam class=4 wheel=3",     // two wheel types
      "cam class=4 colour=red",  // no such option
      "cam class=4 count",       // not KEY=VALUE
      "cam class=4 power=maybe",
      "cam class=4 type=\"α\"",  // not in Windows-1250
  };
  for (const char* line : bad) {
    CameraCommand camera;
    camera.name = "untouched";
    std::string error;
    EXPECT_FALSE(Parse(line, camera, error)) << line;
    EXPECT_EQ(camera.name, "untouched") << line;
    EXPECT_FALSE(error.empty()) << line;
  }
}

}  // namespace
}  // namespace scenario
