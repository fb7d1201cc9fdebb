// The resources of the built zeltfw.exe (beside this test program): version
// strings and numbers, the icon group, the manifest; and GetFileVersionText
// on it and on a program without a version resource.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/about.h"
#include "lib/view/modules.h"
#include "res/version_info.h"

namespace {

constexpr WORD kCzech = 0x0405;
const LPCWSTR kIconType = MAKEINTRESOURCEW(3);        // RT_ICON
const LPCWSTR kIconGroupType = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON
const LPCWSTR kManifestType = MAKEINTRESOURCEW(24);   // RT_MANIFEST

std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

std::wstring Wide(const char* utf8) {
  wchar_t out[256] = {};
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out, 256);
  return out;
}

// zeltfw.exe mapped as an image (no imports resolved, nothing run), so that
// both the resource functions and GetModuleFileName work on it.
class Program : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExW(Beside(L"zeltfw.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  }
  static void TearDownTestSuite() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(module_, nullptr) << "zeltfw.exe next to the tests"; }

  static const BYTE* Resource(LPCWSTR type, LPCWSTR name, DWORD* size) {
    HRSRC found = FindResourceExW(module_, type, name, kCzech);
    if (found == nullptr) return nullptr;
    *size = SizeofResource(module_, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
  }
  static HMODULE module_;
};
HMODULE Program::module_ = nullptr;

TEST_F(Program, VersionStringsAreCzechUtf16InTable040504e2) {
  const std::wstring path = Beside(L"zeltfw.exe");
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  const struct {
    const wchar_t* name;
    const char* utf8;
  } expected[] = {
      {L"CompanyName", ZELT_VER_COMPANY},
      {L"FileDescription", ZELT_VER_DESCRIPTION},
      {L"FileVersion", "3.0.0.0"},
      {L"InternalName", "zeltfw"},
      {L"LegalCopyright", ZELT_VER_COPYRIGHT},
      {L"OriginalFilename", "zeltfw.exe"},
      {L"ProductName", ZELT_VER_PRODUCT},
      {L"ProductVersion", "3.0.0.0"},
      {L"CodeStyle", "Ansi"},
  };
  for (const auto& entry : expected) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040504e2\\") + entry.name;
    ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), &value, &length)) << query.c_str();
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), Wide(entry.utf8));
  }
  EXPECT_EQ(Wide(ZELT_VER_DESCRIPTION), L"Konfigurace filtrov\u00e9ho kola kamer Zelt");

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u) << "exactly one translation";
  EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0405);
  EXPECT_EQ(static_cast<const WORD*>(value)[1], 0x04E2);

  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00030000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, 0x40004u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileSubtype, 0u);
}

TEST_F(Program, IconGroupHas256PngAnd48_32_16) {
  DWORD size = 0;
  const BYTE* group = Resource(kIconGroupType, L"DEFAULT_ICON", &size);
  ASSERT_NE(group, nullptr) << "group DEFAULT_ICON in Czech";
  const WORD count = reinterpret_cast<const WORD*>(group)[2];
  ASSERT_EQ(count, 4);
  int widths[4] = {};
  for (WORD i = 0; i < count; ++i) {
    const BYTE* entry = group + 6 + 14 * i;  // GRPICONDIRENTRY
    widths[i] = entry[0] == 0 ? 256 : entry[0];
    const WORD id = static_cast<WORD>(entry[12] | entry[13] << 8);
    DWORD imageSize = 0;
    const BYTE* image = Resource(kIconType, MAKEINTRESOURCEW(id), &imageSize);
    ASSERT_NE(image, nullptr);
    const bool png = imageSize > 8 && std::memcmp(image, "\x89PNG", 4) == 0;
    EXPECT_EQ(png, widths[i] == 256) << "only the 256-pixel image is PNG-compressed";
  }
  EXPECT_EQ(widths[0], 256);
  EXPECT_EQ(widths[1], 48);
  EXPECT_EQ(widths[2], 32);
  EXPECT_EQ(widths[3], 16);
}

TEST_F(Program, IconsLoadAt32And16) {
  for (int pixels : {32, 16}) {
    HICON icon = static_cast<HICON>(LoadImageA(module_, "DEFAULT_ICON", IMAGE_ICON, pixels, pixels, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, pixels);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST_F(Program, ManifestAsksForCommonControls6AsInvoker) {
  DWORD size = 0;
  const BYTE* manifest = Resource(kManifestType, MAKEINTRESOURCEW(1), &size);
  ASSERT_NE(manifest, nullptr);
  const std::string text(reinterpret_cast<const char*>(manifest), size);
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(text.find("supportedOS"), std::string::npos);
}

// Crisp text on high-DPI screens with the layout untouched: GDI scaling works
// only for a DPI-unaware program, and only with the element in its own
// namespace under asm.v3's windowsSettings (elsewhere it is silently ignored).
TEST_F(Program, ManifestAsksForGdiScalingAndStaysDpiUnaware) {
  DWORD size = 0;
  const BYTE* manifest = Resource(kManifestType, MAKEINTRESOURCEW(1), &size);
  ASSERT_NE(manifest, nullptr);
  const std::string text(reinterpret_cast<const char*>(manifest), size);
  const std::size_t settings = text.find("<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">");
  const std::size_t open = text.find("<windowsSettings>", settings);
  const std::size_t scaling =
      text.find("<gdiScaling xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true</gdiScaling>", open);
  const std::size_t close = text.find("</windowsSettings>", open);
  ASSERT_NE(settings, std::string::npos);
  ASSERT_NE(open, std::string::npos);
  ASSERT_NE(scaling, std::string::npos);
  EXPECT_LT(scaling, close);
  EXPECT_EQ(text.find("dpiAware"), std::string::npos) << "a DPI-aware window would have to scale its own layout";
}

TEST_F(Program, FileVersionTextIsTheFileVersionString) {
  SetAppHandle(module_);
  char text[32];
  std::memset(text, 'x', sizeof(text));
  GetFileVersionText(31, text);
  EXPECT_STREQ(text, "3.0.0.0");
  char shortText[4];
  GetFileVersionText(3, shortText);
  EXPECT_STREQ(shortText, "3.0") << "cut at the maximum, NUL after it";
  SetAppHandle(nullptr);
}

TEST(FileVersionText, IsUnknownForAProgramWithoutAVersionResource) {
  SetAppHandle(GetModuleHandleW(nullptr));  // this test program has none
  char text[32] = {};
  GetFileVersionText(31, text);
  EXPECT_STREQ(text, "unknown");
  SetAppHandle(nullptr);
}

}  // namespace
