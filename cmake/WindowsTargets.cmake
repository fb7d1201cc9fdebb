# The Windows program zeltfw.exe (real Windows API, native view backend) and,
# with ZELT_TESTS, the tests that run it and the real platform under Wine.
enable_language(RC)

zelt_library(zview_win32 lib/view/win32/*.cpp)
target_link_libraries(zview_win32 PUBLIC zview zplatform_real comctl32 gdi32 user32)

# Everything Windows-only lands at the top of the build directory, so the
# tests find the programs beside themselves.
set(ZELT_WIN_OUTPUT ${CMAKE_BINARY_DIR})

# zeltfw.exe runs one thread and throws nothing: it and its libraries are
# built for size, without exception handling or thread-safe local statics, and
# the linker drops the sections nothing calls. The tests and tools that link
# the same libraries keep exceptions of their own.
set(zelt_lean_options -Os -fno-exceptions -fno-threadsafe-statics -ffunction-sections -fdata-sections -include
                      ${CMAKE_SOURCE_DIR}/platform/real/shipped/implicit_strings.h)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # x86 unwind tables serve only exceptions; x64 keeps its SEH tables, which Windows needs to unwind any frame.
  list(APPEND zelt_lean_options -fno-asynchronous-unwind-tables)
endif()
foreach(lib ${ZELT_PROGRAM_LIBRARIES} zview_win32 zplatform_real zcore)
  target_compile_options(${lib} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${zelt_lean_options}>)
endforeach()

# The manifest carries the program's version; the resource scripts find it
# under the build folder.
configure_file(res/zeltfw.manifest.in ${CMAKE_BINARY_DIR}/res/zeltfw.manifest @ONLY)

# The entry point is compiled into the program itself: the C runtime asks for
# WinMain only after the program's libraries have been searched. runtime.cpp
# keeps libstdc++'s exception machinery out of this program alone.
add_executable(zeltfw WIN32 app/winmain.cpp platform/real/shipped/runtime.cpp platform/real/shipped/dll_search.cpp
                      res/zeltfw.rc)
target_include_directories(zeltfw PRIVATE $<$<COMPILE_LANGUAGE:RC>:${CMAKE_BINARY_DIR}>)
target_compile_options(zeltfw PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${zelt_lean_options}>)
zelt_link_program(zeltfw PRIVATE zplatform_real zview_win32)
set_target_properties(zeltfw PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELT_WIN_OUTPUT})
# zeltfw.map tells what each library and object brings into the program.
target_link_options(zeltfw PRIVATE -Wl,--gc-sections -Wl,-Map=${ZELT_WIN_OUTPUT}/zeltfw.map
                    $<$<CONFIG:Release,MinSizeRel>:-s>)
set_source_files_properties(res/zeltfw.rc PROPERTIES OBJECT_DEPENDS
                            "${CMAKE_SOURCE_DIR}/res/zeltfw.ico;${CMAKE_BINARY_DIR}/res/zeltfw.manifest;${CMAKE_SOURCE_DIR}/res/version_info.h")

# The benchmark's yardstick: the smallest window program of the same toolchain.
add_executable(zelt-bench-window WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal_window.cpp)
target_link_libraries(zelt-bench-window PRIVATE user32)
# The same with zeltfw.exe's DLLs and manifest: how much of the start-up the DLLs alone take.
add_executable(zelt-bench-imports WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal_window.cpp ${CMAKE_SOURCE_DIR}/bench/manifest.rc)
target_compile_definitions(zelt-bench-imports PRIVATE ZELT_BENCH_IMPORTS)
target_include_directories(zelt-bench-imports PRIVATE $<$<COMPILE_LANGUAGE:RC>:${CMAKE_BINARY_DIR}>)
target_link_libraries(zelt-bench-imports PRIVATE user32 comctl32 setupapi advapi32)
set_target_properties(zelt-bench-window zelt-bench-imports PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELT_WIN_OUTPUT})
target_link_options(zelt-bench-window PRIVATE -s)
target_link_options(zelt-bench-imports PRIVATE -s)


# The camera emulator: cameras that zeltfw.exe finds, opens and talks to under Wine.
file(GLOB zcamera_emulator_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/camera_emulator/*.cpp)
list(FILTER zcamera_emulator_srcs EXCLUDE REGEX "/bus_install\\.cpp$")
add_library(zcamera_emulator STATIC ${zcamera_emulator_srcs})
target_link_libraries(zcamera_emulator PUBLIC zcamera_model zcore setupapi advapi32 user32)
# The camera bus driver, through which the emulator's power cuts and returns
# reach the program as Windows' own device messages, and its installer; the
# Wine test scripts install it (tests/windows/wine-run.sh --camera-bus). Test
# only: nothing ships it. A native kernel-mode image that imports only
# ntoskrnl.exe; the i386 entry point carries its stdcall decoration.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(zelt_bus_entry _DriverEntry@8)
else()
  set(zelt_bus_entry DriverEntry)
endif()
set(zelt_bus_driver ${CMAKE_SOURCE_DIR}/tools/camera_emulator/bus/driver.c)
add_custom_command(
  OUTPUT ${ZELT_WIN_OUTPUT}/zelt-camera-bus.sys
  COMMAND ${CMAKE_C_COMPILER} -O2 -Wall -Wextra -ffreestanding -fno-stack-protector -mno-stack-arg-probe -nostdlib
          -shared -Wl,--subsystem,native -Wl,--entry,${zelt_bus_entry} -Wl,--no-insert-timestamp -I${CMAKE_SOURCE_DIR}
          -o ${ZELT_WIN_OUTPUT}/zelt-camera-bus.sys ${zelt_bus_driver} -lntoskrnl
  DEPENDS ${zelt_bus_driver} ${CMAKE_SOURCE_DIR}/tools/camera_emulator/bus/requests.h
  COMMENT "Building the camera bus driver zelt-camera-bus.sys"
  VERBATIM)
add_custom_target(zelt-camera-bus ALL DEPENDS ${ZELT_WIN_OUTPUT}/zelt-camera-bus.sys)
add_executable(zelt-bus-install ${CMAKE_SOURCE_DIR}/tools/camera_emulator/bus_install.cpp)
target_link_libraries(zelt-bus-install PRIVATE zcamera_emulator)
set_target_properties(zelt-bus-install PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELT_WIN_OUTPUT})
add_dependencies(zelt-bus-install zelt-camera-bus)
# The Wine world: zeltfw.exe with emulated cameras, real input, real boxes;
# with it the Windows helpers it plays through (starting programs, reading
# their windows and the screen, timing a program's start).
file(GLOB zwineworld_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/scenario/wine/*.cpp)
list(FILTER zwineworld_srcs EXCLUDE REGEX "/(camera_)?main\\.cpp$")
add_library(zwineworld STATIC ${zwineworld_srcs})
target_link_libraries(zwineworld PUBLIC zscript zcamera_emulator oleacc oleaut32 ole32 user32 gdi32 advapi32)
# The scenario scripts played in it, and the same world a line at a time for a
# person trying zeltfw.exe by hand.
add_executable(zelt-play ${CMAKE_SOURCE_DIR}/tools/scenario/wine/main.cpp)
add_executable(zelt-camera ${CMAKE_SOURCE_DIR}/tools/scenario/wine/camera_main.cpp)
foreach(player zelt-play zelt-camera)
  target_link_libraries(${player} PRIVATE zwineworld)
  set_target_properties(${player} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELT_WIN_OUTPUT})
  add_dependencies(${player} zelt-bus-install)
endforeach()

if(ZELT_TESTS)
  # Every program run under Wine (tests, GoogleTest discovery) gets a private
  # prefix under the build directory, made once, and no debug chatter. The x86
  # programs run under the emulated i386 Wine (tools/scripts/x86-wine.sh);
  # wine-run.sh picks the world by the program's machine type.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/windows/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
  set_target_properties(zeltfw-sim PROPERTIES CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
  # GoogleTest's targets come later, from tests/; names are resolved at generation.
  enable_testing()
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests/windows)
endif()
