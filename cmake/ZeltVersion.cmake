# The program's version, read from the four numbers in res/version_info.h,
# into ZELT_VERSION ("3.0.0.0"). Included by CMakeLists.txt; run as a script
# (cmake -P cmake/ZeltVersion.cmake) it prints the version, for the release.
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/../res/version_info.h" zelt_version_lines
     REGEX "^#define ZELT_VER_(MAJOR|MINOR|PATCH|BUILD) [0-9]+$")
set(ZELT_VERSION "")
foreach(part MAJOR MINOR PATCH BUILD)
  set(zelt_version_number "")
  foreach(line IN LISTS zelt_version_lines)
    if(line MATCHES "^#define ZELT_VER_${part} ([0-9]+)$")
      set(zelt_version_number ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(zelt_version_number STREQUAL "")
    message(FATAL_ERROR "res/version_info.h: no ZELT_VER_${part} number")
  endif()
  list(APPEND ZELT_VERSION ${zelt_version_number})
endforeach()
list(JOIN ZELT_VERSION "." ZELT_VERSION)

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  # message() writes to standard error; the release script reads standard output.
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${ZELT_VERSION}")
endif()
