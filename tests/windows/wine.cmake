# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows side of the System Information lookup: cross-compiled with mingw-w64 and tested under Wine,
# on a throw-away Wine prefix made once for all cases. Skipped only when the tools are missing.
# The sanitizer build leaves them out (its test run skips the label wine): no cross-build there.
if(QUIVARA_SANITIZE)
  return()
endif()
find_program(QUIVARA_MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix)
find_program(QUIVARA_WINE NAMES wine64 PATHS /usr/lib/wine)
find_program(QUIVARA_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine)
if(NOT QUIVARA_MINGW_CXX OR NOT QUIVARA_WINE OR NOT QUIVARA_WINESERVER)
  message(WARNING "Windows tests skipped: x86_64-w64-mingw32-g++-posix or wine64 not found "
                  "(Debian packages g++-mingw-w64-x86-64-posix and wine64; ./build.sh installs them).")
  return()
endif()

include(ExternalProject)
set(windows_dir ${CMAKE_CURRENT_BINARY_DIR}/windows)
ExternalProject_Add(quivara_windows
  SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}
  BINARY_DIR ${windows_dir}
  CMAKE_ARGS
    -DCMAKE_SYSTEM_NAME=Windows
    -DCMAKE_CXX_COMPILER=${QUIVARA_MINGW_CXX}
    -DCMAKE_BUILD_TYPE=Release
    -DQUIVARA_SOURCE_DIR=${PROJECT_SOURCE_DIR}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${windows_dir}/tst_winsystem.exe
)

# A prefix of its own in the temporary directory, one per build tree.
string(SHA1 build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${build_hash}" 0 12 build_hash)
if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(temp_dir "$ENV{TMPDIR}")
else()
  set(temp_dir /tmp)
endif()
set(wine_prefix "${temp_dir}/quivara-wine-${build_hash}")
# No display (nothing may wait for a user), no Mono or Gecko installers, no Wine chatter.
set(wine_env "WINEPREFIX=${wine_prefix};WINEDEBUG=-all;DISPLAY=;WAYLAND_DISPLAY=;WINEDLLOVERRIDES=mscoree,mshtml=")
set(prefix_script ${CMAKE_CURRENT_LIST_DIR}/wineprefix.cmake)
set(run_wine ${CMAKE_CURRENT_LIST_DIR}/runwine.sh)

add_test(NAME wine_prefix_setup
  COMMAND ${CMAKE_COMMAND} -DACTION=setup -DPREFIX=${wine_prefix} -DWINESERVER=${QUIVARA_WINESERVER}
          -DRUN=${run_wine} -DWINE=${QUIVARA_WINE} -DPROGRAM=${windows_dir}/tst_winsystem.exe -P ${prefix_script})
add_test(NAME wine_prefix_cleanup
  COMMAND ${CMAKE_COMMAND} -DACTION=cleanup -DPREFIX=${wine_prefix} -DWINESERVER=${QUIVARA_WINESERVER}
          -P ${prefix_script})
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${wine_env}" TIMEOUT 180
                                                  RESOURCE_LOCK quivara_wine LABELS wine)
set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${wine_env}" TIMEOUT 60
                                                    RESOURCE_LOCK quivara_wine LABELS wine)

# One program runs every case; the cases share the prefix's registry.
add_test(NAME wine_winsystem COMMAND ${run_wine} ${QUIVARA_WINE} ${windows_dir}/tst_winsystem.exe)
set_tests_properties(wine_winsystem PROPERTIES
  FIXTURES_REQUIRED wine RESOURCE_LOCK quivara_wine ENVIRONMENT "${wine_env}" TIMEOUT 180 LABELS wine)
