# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack for each generator: the zip holds one folder named after the package.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
