# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack after it has made a package: the zip gets its entries in name order, each with the time
# SOURCE_DATE_EPOCH, no owner and a plain mode (644, or 755 when executable), by Debian's
# strip-nondeterminism. CPack adds the files in the order the file system lists the staged folder,
# which differs from one file system to another, and records the builder's user and group ids.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.zip$")
    find_program(QUIVARA_STRIP_NONDETERMINISM strip-nondeterminism REQUIRED)
    # Zip entries carry local times: UTC, whatever the builder's time zone.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${QUIVARA_STRIP_NONDETERMINISM} --type zip
                            --timestamp $ENV{SOURCE_DATE_EPOCH} ${package}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
