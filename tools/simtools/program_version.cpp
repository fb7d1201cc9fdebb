#include "tools/simtools/program_version.h"

#include "res/version_info.h"

namespace simtools {

sim::VersionResourceSpec ProgramVersionResource() {
  sim::VersionResourceSpec resource;
  const std::uint16_t version[4] = {ZELT_VER_MAJOR, ZELT_VER_MINOR, ZELT_VER_PATCH, ZELT_VER_BUILD};
  for (int i = 0; i < 4; ++i) {
    resource.fileVersion[i] = version[i];
    resource.productVersion[i] = version[i];
  }
  resource.fileFlagsMask = ZELT_VER_FILEFLAGSMASK;
  resource.fileFlags = ZELT_VER_FILEFLAGS;
  resource.fileOS = ZELT_VER_FILEOS;
  resource.fileType = ZELT_VER_FILETYPE;
  resource.fileSubtype = ZELT_VER_FILESUBTYPE;
  resource.tables.push_back({ZELT_VER_TABLE_KEY,
                             {{"CompanyName", ZELT_VER_COMPANY},
                              {"FileDescription", ZELT_VER_DESCRIPTION},
                              {"FileVersion", ZELT_VER_FILEVERSION},
                              {"InternalName", ZELT_VER_INTERNALNAME},
                              {"LegalCopyright", ZELT_VER_COPYRIGHT},
                              {"OriginalFilename", ZELT_VER_ORIGINALNAME},
                              {"ProductName", ZELT_VER_PRODUCT},
                              {"ProductVersion", ZELT_VER_PRODUCTVERSION},
                              {"CodeStyle", ZELT_VER_CODESTYLE}}});
  resource.hasVarFileInfo = true;
  // Language then code page, each 16-bit little-endian.
  resource.translation = {ZELT_VER_LANGUAGE & 0xFF, ZELT_VER_LANGUAGE >> 8, ZELT_VER_CODEPAGE & 0xFF,
                          ZELT_VER_CODEPAGE >> 8};
  return resource;
}

void InstallProgramVersion(sim::World& world, const sim::VersionResourceSpec* resource) {
  if (resource == nullptr) {
    world.versionResources.erase(world.moduleFileName);
    return;
  }
  world.versionResources[world.moduleFileName] = sim::BuildVersionBlock(*resource);
}

}  // namespace simtools
