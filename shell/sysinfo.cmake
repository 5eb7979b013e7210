# SPDX-License-Identifier: GPL-3.0-or-later
# The System Information lookup: plain C++ without Qt, so it also cross-compiles for Windows.
add_library(quivara_sysinfo STATIC
  ${CMAKE_CURRENT_LIST_DIR}/system.h
  ${CMAKE_CURRENT_LIST_DIR}/sysinfo.h ${CMAKE_CURRENT_LIST_DIR}/sysinfo.cpp
)
target_include_directories(quivara_sysinfo PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_features(quivara_sysinfo PUBLIC cxx_std_20)
set_target_properties(quivara_sysinfo PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
if(WIN32)
  target_sources(quivara_sysinfo PRIVATE ${CMAKE_CURRENT_LIST_DIR}/winsystem.h ${CMAKE_CURRENT_LIST_DIR}/winsystem.cpp)
  target_link_libraries(quivara_sysinfo PUBLIC advapi32 user32)
else()
  target_sources(quivara_sysinfo PRIVATE ${CMAKE_CURRENT_LIST_DIR}/nosystem.cpp)
endif()
