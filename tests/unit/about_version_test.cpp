// The About box's version text from the program's version resource, and its
// fallbacks to "unknown".
#include <gtest/gtest.h>

#include <string>

#include "app/about.h"
#include "lib/view/modules.h"
#include "platform/sim/version_block.h"
#include "platform/sim/world.h"
#include "tools/simtools/program_version.h"

namespace {

sim::VersionResourceSpec ProgramResource() { return simtools::ProgramVersionResource(); }

class VersionTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::World::Get().Reset();
    SetAppHandle(sim::World::ProgramInstance());
  }
  void Install(const sim::VersionResourceSpec& resource) {
    sim::World& w = sim::World::Get();
    w.versionResources[w.moduleFileName] = sim::BuildVersionBlock(resource);
  }
  static std::string Text(std::size_t max = 31) {
    char buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    GetFileVersionText(max, buffer);
    return buffer;
  }
};

TEST_F(VersionTextTest, FileVersionStringOfTheTranslationsTable) {
  sim::VersionResourceSpec resource = ProgramResource();
  resource.fileVersion[0] = 9;  // the fixed numbers are not what is shown
  Install(resource);
  EXPECT_EQ(Text(), "3.0.0.0");
  EXPECT_EQ(sim::World::Get().OpenHandleCount(), 0u);
}

TEST_F(VersionTextTest, TranslationWithALeadingZeroDigitFindsItsTable) {
  sim::VersionResourceSpec resource = ProgramResource();
  resource.tables[0].key = "000904b0";
  resource.tables[0].entries = {{"FileVersion", "1.2"}};
  resource.translation = {0x09, 0x00, 0xB0, 0x04};
  Install(resource);
  EXPECT_EQ(Text(), "1.2");
}

TEST_F(VersionTextTest, LongVersionIsCutAtTheMaximum) {
  sim::VersionResourceSpec resource = ProgramResource();
  resource.tables[0].entries = {{"FileVersion", std::string(40, '7')}};
  Install(resource);
  EXPECT_EQ(Text(), std::string(31, '7'));
  EXPECT_EQ(Text(5), "77777");
}

TEST_F(VersionTextTest, EveryMissingPieceGivesUnknown) {
  EXPECT_EQ(Text(), "unknown");  // no version resource at all

  sim::VersionResourceSpec noFileVersion = ProgramResource();
  noFileVersion.tables[0].entries = {{"ProductVersion", "3.0.0.0"}};
  Install(noFileVersion);
  EXPECT_EQ(Text(), "unknown");

  sim::VersionResourceSpec otherTable = ProgramResource();
  otherTable.tables[0].key = "040904b0";
  Install(otherTable);
  EXPECT_EQ(Text(), "unknown");

  sim::VersionResourceSpec noTranslation = ProgramResource();
  noTranslation.hasVarFileInfo = false;
  Install(noTranslation);
  EXPECT_EQ(Text(), "unknown");

  // A translation entry shorter than a language and a code page is not read past its end.
  sim::VersionResourceSpec shortTranslation = ProgramResource();
  shortTranslation.translation = {0x05, 0x04};
  Install(shortTranslation);
  EXPECT_EQ(Text(), "unknown");

  Install(ProgramResource());
  sim::World::Get().moduleFileNameFails = true;
  EXPECT_EQ(Text(), "unknown");
  EXPECT_EQ(Text(3), "unk");
}

}  // namespace
