# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack once it has staged a package's files, so that the package comes out the same whenever
# and wherever it is made: every staged file and folder gets the time SOURCE_DATE_EPOCH (the
# installer stores each file's time, the zip each entry's), not the time it was built or checked
# out; and the installer's uninstall lists are in name order, not in the order in which the file
# system happens to list the staged folder.
file(GLOB_RECURSE staged LIST_DIRECTORIES true RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
     "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT staged)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  list(TRANSFORM staged PREPEND "${CPACK_TEMPORARY_DIRECTORY}/" OUTPUT_VARIABLE paths)
  execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} --
                          "${CPACK_TEMPORARY_DIRECTORY}" ${paths}
                  COMMAND_ERROR_IS_FATAL ANY)
else()
  message(STATUS "SOURCE_DATE_EPOCH not set: the package keeps the staged files' own times")
endif()

if(CPACK_GENERATOR STREQUAL "NSIS")
  # What the template's uninstall section removes; CPack makes these two lists only when they are
  # not set yet. Files in name order, then folders, the deepest first.
  set(files "")
  set(folders "")
  foreach(path IN LISTS staged)
    string(REPLACE "/" "\\" name "${path}")
    if(IS_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}/${path}")
      string(PREPEND folders "  RMDir \"$INSTDIR\\${name}\"\n")
    else()
      string(APPEND files "  Delete \"$INSTDIR\\${name}\"\n")
    endif()
  endforeach()
  set(CPACK_NSIS_DELETE_FILES "${files}")
  set(CPACK_NSIS_DELETE_DIRECTORIES "${folders}")
endif()
