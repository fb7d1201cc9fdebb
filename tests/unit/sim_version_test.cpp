// Version resources: the block builder's layout, the query path the About box
// takes, and queries on damaged blocks, which must fail without reading or
// writing outside the buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/sim/version_block.h"
#include "platform/sim/world.h"
#include "res/version_info.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

sim::VersionResourceSpec ProgramSpec() {
  sim::VersionResourceSpec resource;
  std::uint16_t version[4] = {ZELT_VER_MAJOR, ZELT_VER_MINOR, ZELT_VER_PATCH, ZELT_VER_BUILD};
  for (int i = 0; i < 4; ++i) resource.fileVersion[i] = resource.productVersion[i] = version[i];
  resource.fileFlagsMask = ZELT_VER_FILEFLAGSMASK;
  resource.fileOS = ZELT_VER_FILEOS;
  resource.fileType = ZELT_VER_FILETYPE;
  resource.tables.push_back({ZELT_VER_TABLE_KEY,
                             {{"CompanyName", ZELT_VER_COMPANY},
                              {"FileDescription", ZELT_VER_DESCRIPTION},
                              {"FileVersion", ZELT_VER_FILEVERSION},
                              {"LegalCopyright", ZELT_VER_COPYRIGHT},
                              {"CodeStyle", ZELT_VER_CODESTYLE}}});
  resource.translation = {ZELT_VER_LANGUAGE & 0xFF, ZELT_VER_LANGUAGE >> 8, ZELT_VER_CODEPAGE & 0xFF,
                          ZELT_VER_CODEPAGE >> 8};
  return resource;
}

std::uint32_t Dword(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<std::uint32_t>(p[3]) << 24;
}

class Version : public ::testing::Test {
 protected:
  void SetUp() override { world.Reset(); }

  // The program's own resource as GetFileVersionInfoA delivers it; false when it cannot.
  bool Load(const Bytes& stored, Bytes& buffer, win::DWORD shrink = 0) {
    world.versionResources[world.moduleFileName] = stored;
    char path[260];
    if (win::GetModuleFileNameA(nullptr, path, sizeof(path)) == 0) return false;
    win::DWORD size = win::GetFileVersionInfoSizeA(path, nullptr);
    if (size == 0 || size <= shrink) return false;
    buffer.assign(size - shrink, 0);
    return win::GetFileVersionInfoA(path, 0, static_cast<win::DWORD>(buffer.size()), buffer.data()) != 0;
  }

  // A query whose answer must lie inside the buffer; the text or bytes it gave.
  bool Query(const Bytes& buffer, const char* path, std::string& out) {
    void* value = nullptr;
    win::UINT length = 0;
    if (!win::VerQueryValueA(buffer.data(), path, &value, &length)) {
      EXPECT_EQ(value, nullptr);
      return false;
    }
    auto* p = static_cast<const std::uint8_t*>(value);
    EXPECT_GE(p, buffer.data());
    EXPECT_LE(p + length, buffer.data() + buffer.size());
    out.assign(reinterpret_cast<const char*>(p), length);
    return true;
  }

  sim::World& world = sim::World::Get();
};

TEST_F(Version, BlockHasTheResourceCompilerLayout) {
  Bytes block = sim::BuildVersionBlock(ProgramSpec());
  ASSERT_GT(block.size(), 100u);
  EXPECT_EQ(block[0] | block[1] << 8, static_cast<int>(block.size()));
  EXPECT_EQ(block[2] | block[3] << 8, 52);  // wValueLength: VS_FIXEDFILEINFO
  EXPECT_EQ(block[4] | block[5] << 8, 0);   // binary
  const char key[] = "VS_VERSION_INFO";
  for (std::size_t i = 0; i < sizeof(key); ++i) {
    EXPECT_EQ(block[6 + 2 * i], static_cast<std::uint8_t>(key[i]));
    EXPECT_EQ(block[7 + 2 * i], 0);
  }
  // Key ends at 38; the value starts on the next 32-bit boundary.
  EXPECT_EQ(Dword(&block[40]), 0xFEEF04BDu);
  EXPECT_EQ(Dword(&block[44]), 0x00010000u);
  EXPECT_EQ(Dword(&block[48]), 0x00030000u);    // file version 3.0 . 0.0
  EXPECT_EQ(Dword(&block[40 + 32]), 0x40004u);  // file OS
}

TEST_F(Version, AboutBoxQueryPath) {
  Bytes buffer;
  ASSERT_TRUE(Load(sim::BuildVersionBlock(ProgramSpec()), buffer));
  std::string out;
  ASSERT_TRUE(Query(buffer, "\\VarFileInfo\\Translation", out));
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(Dword(reinterpret_cast<const std::uint8_t*>(out.data())), 0x04E20405u);

  void* value = nullptr;
  win::UINT length = 0;
  ASSERT_TRUE(win::VerQueryValueA(buffer.data(), "\\StringFileInfo\\040504E2\\FileVersion", &value, &length));
  EXPECT_EQ(std::string(static_cast<const char*>(value)), "3.0.0.0");
  EXPECT_EQ(length, 8u);  // characters with the zero
  ASSERT_TRUE(Query(buffer, "\\StringFileInfo\\040504e2\\FileDescription", out));
  EXPECT_EQ(out, std::string("Konfigurace filtrov\xE9ho kola kamer Zelt") + '\0');
  ASSERT_TRUE(Query(buffer, "\\stringfileinfo\\040504e2\\LegalCopyright", out));
  EXPECT_EQ(out.substr(0, 11), "Copyright \xA9");
  // The earlier answer is still intact: strings land in places of their own.
  EXPECT_EQ(std::string(static_cast<const char*>(value)), "3.0.0.0");

  ASSERT_TRUE(Query(buffer, "\\", out));
  ASSERT_EQ(out.size(), 52u);
  EXPECT_EQ(Dword(reinterpret_cast<const std::uint8_t*>(out.data())), 0xFEEF04BDu);

  EXPECT_FALSE(Query(buffer, "\\StringFileInfo\\04090000\\FileVersion", out));
  EXPECT_FALSE(Query(buffer, "\\StringFileInfo\\040504e2\\ProductVersion", out));
  EXPECT_FALSE(Query(buffer, "\\VarFileInfo\\Translations", out));
}

TEST_F(Version, MissingOrShortPieces) {
  world.versionResources.clear();
  char path[260];
  ASSERT_GT(win::GetModuleFileNameA(nullptr, path, sizeof(path)), 0u);
  EXPECT_EQ(win::GetFileVersionInfoSizeA(path, nullptr), 0u);
  EXPECT_EQ(win::GetLastError(), static_cast<win::DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));

  sim::VersionResourceSpec resource = ProgramSpec();
  resource.hasVarFileInfo = false;
  Bytes buffer;
  std::string out;
  ASSERT_TRUE(Load(sim::BuildVersionBlock(resource), buffer));
  EXPECT_FALSE(Query(buffer, "\\VarFileInfo\\Translation", out));
  EXPECT_TRUE(Query(buffer, "\\StringFileInfo\\040504e2\\FileVersion", out));

  resource = ProgramSpec();
  resource.translation = {0x05, 0x04};  // half an entry
  ASSERT_TRUE(Load(sim::BuildVersionBlock(resource), buffer));
  ASSERT_TRUE(Query(buffer, "\\VarFileInfo\\Translation", out));
  EXPECT_EQ(out.size(), 2u);
  EXPECT_TRUE(Query(buffer, "\\StringFileInfo\\040504e2\\FileVersion", out));  // padding kept the walk aligned

  // A block that did not come from GetFileVersionInfoA has no room for 8-bit strings.
  Bytes raw = sim::BuildVersionBlock(ProgramSpec());
  EXPECT_TRUE(Query(raw, "\\VarFileInfo\\Translation", out));
  EXPECT_FALSE(Query(raw, "\\StringFileInfo\\040504e2\\FileVersion", out));

  // A buffer smaller than asked for keeps the block's start and loses the rest.
  Bytes block = sim::BuildVersionBlock(ProgramSpec());
  ASSERT_TRUE(Load(block, buffer, static_cast<win::DWORD>(block.size() / 2 + block.size() / 4)));
  EXPECT_TRUE(Query(buffer, "\\", out));
  EXPECT_FALSE(Query(buffer, "\\VarFileInfo\\Translation", out));
}

TEST_F(Version, DamagedBlocksNeverLeaveTheBuffer) {
  const Bytes block = sim::BuildVersionBlock(ProgramSpec());
  const char* const queries[] = {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040504e2\\FileVersion",
                                 "\\StringFileInfo\\040504e2\\CodeStyle", "\\StringFileInfo"};
  int answered = 0, refused = 0;
  auto tryAll = [&](const Bytes& stored, win::DWORD shrink) {
    Bytes buffer;
    if (!Load(stored, buffer, shrink)) return;
    std::string out;
    for (const char* q : queries) ++(Query(buffer, q, out) ? answered : refused);
  };
  for (std::size_t cut = 0; cut <= block.size(); ++cut) tryAll(Bytes(block.begin(), block.begin() + cut), 0);
  std::mt19937 random(20260101);
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = block;
    int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
    tryAll(damaged, static_cast<win::DWORD>(random() % 3 == 0 ? random() % 64 : 0));
  }
  // Both outcomes were exercised, not only early refusals.
  EXPECT_GT(answered, 1000);
  EXPECT_GT(refused, 1000);
}

}  // namespace
