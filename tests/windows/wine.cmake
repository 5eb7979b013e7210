# SPDX-License-Identifier: GPL-3.0-or-later
# The test programs cross-built for Windows run under Wine, on the Windows platform plugin of the X
# server named by DISPLAY (./build.sh windows-test gives them a virtual one), in a throw-away Wine
# prefix made once for all of them. Included by tests/CMakeLists.txt before the tests are added.
# Building needs no Wine: without it the tests are there but fail, and the installer test is left out.
find_program(QUIVARA_WINE NAMES wine64 PATHS /usr/lib/wine)
find_program(QUIVARA_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine)
if(NOT QUIVARA_WINE OR NOT QUIVARA_WINESERVER)
  message(WARNING "Wine not found: the Windows tests will fail (./build.sh windows-test installs it)")
endif()
set(QUIVARA_RUN_WINE ${CMAKE_CURRENT_LIST_DIR}/runwine.sh)
# Every test program is started through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUIVARA_RUN_WINE} ${QUIVARA_WINE})

# A prefix of its own in the temporary directory, one per build tree.
string(SHA1 build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${build_hash}" 0 12 build_hash)
if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(temp_dir "$ENV{TMPDIR}")
else()
  set(temp_dir /tmp)
endif()
set(QUIVARA_WINE_PREFIX "${temp_dir}/quivara-wine-${build_hash}")
# No Mono or Gecko installers, no Wine chatter; Wine's own UI Automation, not the recording stand-in
# that the prefix's system folder holds (Wine would take a real DLL there over its own); Qt's
# variables reach a Windows program only with the WINE prefix, and QtTest prints to the console
# only when told to.
set(QUIVARA_TEST_ENVIRONMENT "WINEPREFIX=${QUIVARA_WINE_PREFIX};WINEDEBUG=-all"
    "WINEDLLOVERRIDES=mscoree,mshtml=\\;uiautomationcore=b"
    "WINEQT_FORCE_STDERR_LOGGING=1;WINEQT_LOGGING_RULES=qt.qpa.*=false")
set(QUIVARA_SCALE_VARIABLE WINEQT_SCALE_FACTOR)

set(prefix_script ${CMAKE_CURRENT_LIST_DIR}/wineprefix.cmake)
add_test(NAME wine_prefix_setup
  COMMAND ${CMAKE_COMMAND} -DACTION=setup -DPREFIX=${QUIVARA_WINE_PREFIX} -DWINESERVER=${QUIVARA_WINESERVER}
          -DRUN=${QUIVARA_RUN_WINE} -DWINE=${QUIVARA_WINE} -DPROGRAM=$<TARGET_FILE:tst_winsystem>
          -DSTAND_IN=$<TARGET_FILE:uiautomationcore> -P ${prefix_script})
add_test(NAME wine_prefix_cleanup
  COMMAND ${CMAKE_COMMAND} -DACTION=cleanup -DPREFIX=${QUIVARA_WINE_PREFIX} -DWINESERVER=${QUIVARA_WINESERVER}
          -P ${prefix_script})
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 180
                                                  ENVIRONMENT "${QUIVARA_TEST_ENVIRONMENT}")
set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60
                                                    ENVIRONMENT "${QUIVARA_TEST_ENVIRONMENT}")
