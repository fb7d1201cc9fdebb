# The Linux desktop build: zeltfw on the simulated platform with the FLTK view
# backend (Debian: libfltk1.3-dev). Included when ZELT_DESKTOP is ON.
find_path(FLTK_INCLUDE_DIR FL/Fl.H REQUIRED)
find_library(FLTK_LIBRARY fltk REQUIRED)
find_package(X11 REQUIRED)

zelt_library(zview_fltk lib/view/fltk/*.cpp)
target_include_directories(zview_fltk SYSTEM PUBLIC ${FLTK_INCLUDE_DIR})
target_link_libraries(zview_fltk PUBLIC zview ${FLTK_LIBRARY} X11::X11)

# The front end's own code, apart from main(), so the tests can link it.
file(GLOB zdesktop_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/desktop/*.cpp)
list(FILTER zdesktop_srcs EXCLUDE REGEX "/main\\.cpp$")
add_library(zdesktop STATIC ${zdesktop_srcs})
target_link_libraries(zdesktop PUBLIC zsimtools zapp zview_fltk zview ztools zplatform_sim zcore)

add_executable(zeltfw tools/desktop/main.cpp)
# The program's libraries reference the platform and backend; list them twice for the static link order.
target_link_libraries(zeltfw PRIVATE zdesktop zsimtools zapp zview_fltk zview ztools zplatform_sim zcore zapp
                                     zview_fltk zplatform_sim)

if(ZELT_TESTS)
  enable_testing()
  add_subdirectory(tests/desktop)
endif()
