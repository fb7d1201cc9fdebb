# The Linux desktop build: zeltfw on the simulated platform with the FLTK view
# backend (Debian: libfltk1.3-dev). Included when ZELT_DESKTOP is ON.
find_path(FLTK_INCLUDE_DIR FL/Fl.H REQUIRED)
find_library(FLTK_LIBRARY fltk REQUIRED)
find_package(X11 REQUIRED)

zelt_library(zview_fltk lib/view/fltk/*.cpp)
target_include_directories(zview_fltk SYSTEM PUBLIC ${FLTK_INCLUDE_DIR})
target_link_libraries(zview_fltk PUBLIC zview ${FLTK_LIBRARY} X11::X11)

# The program's icon, built in: Linux has no resources to load it from.
set(zelt_icon_file ${CMAKE_SOURCE_DIR}/res/zeltfw.ico)
set(zelt_icon_bytes "")
if(EXISTS ${zelt_icon_file})
  file(READ ${zelt_icon_file} zelt_icon_hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," zelt_icon_bytes "${zelt_icon_hex}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${zelt_icon_file})
endif()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/program_icon_data.cpp CONTENT
"// Generated from res/zeltfw.ico by cmake/DesktopTargets.cmake.
#include \"tools/desktop/program_icon.h\"

namespace desktop {
const std::uint8_t kIconFile[] = {@zelt_icon_bytes@ 0};
const std::size_t kIconFileSize = sizeof(kIconFile) - 1;
}  // namespace desktop
" @ONLY)

# The front end's own code, apart from main(), so the tests can link it.
file(GLOB zdesktop_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/desktop/*.cpp ${CMAKE_SOURCE_DIR}/tools/scenario/desktop/*.cpp)
list(FILTER zdesktop_srcs EXCLUDE REGEX "/main\\.cpp$")
add_library(zdesktop STATIC ${zdesktop_srcs} ${CMAKE_BINARY_DIR}/generated/program_icon_data.cpp)
target_link_libraries(zdesktop PUBLIC zscenario_program)
zelt_link_program(zdesktop PUBLIC zplatform_sim zview_fltk)

add_executable(zeltfw tools/scenario/desktop/main.cpp)
target_link_libraries(zeltfw PRIVATE zdesktop)

if(ZELT_TESTS)
  enable_testing()
  add_subdirectory(tests/desktop)
endif()
