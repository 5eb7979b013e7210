# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a fresh Wine prefix for the Windows tests, or takes it away again.
#   cmake -DACTION=setup|cleanup -DPREFIX=dir -DWINESERVER=wineserver [-DRUN=runwine.sh -DWINE=wine64 -DPROGRAM=exe
#         -DSTAND_IN=dll]
#         -P wineprefix.cmake
# Ends the server that answers for the prefix directory as it is now, if any, and waits for it.
function(end_wineserver)
  execute_process(COMMAND "${WINESERVER}" -k OUTPUT_QUIET ERROR_QUIET)
  execute_process(COMMAND "${WINESERVER}" -w OUTPUT_QUIET ERROR_QUIET)
endfunction()

if(ACTION STREQUAL "setup")
  # Wine finds a prefix's server by the directory's device and inode. A server left running for an
  # earlier prefix here, or for a removed one whose inode the new directory reuses, would answer for
  # the new prefix from a directory that is gone (kernel32.dll not found within a split second).
  end_wineserver()
  file(REMOVE_RECURSE "${PREFIX}")
  file(MAKE_DIRECTORY "${PREFIX}")
  end_wineserver()
  # One server for every case, kept 30 s after its last client: later starts take a fraction of a second.
  execute_process(COMMAND sh -c "exec \"$0\" -p30 </dev/null >/dev/null 2>&1" "${WINESERVER}")
  # The first start fills the prefix (several seconds); with --list the program does nothing more.
  execute_process(COMMAND "${RUN}" "${WINE}" "${PROGRAM}" --list RESULT_VARIABLE result OUTPUT_VARIABLE cases)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Wine could not run ${PROGRAM} in ${PREFIX}: ${result}\n${cases}")
  endif()
  # Beside Wine's own UI Automation, which only the runs that ask for the native one pass by.
  file(COPY_FILE "${STAND_IN}" "${PREFIX}/drive_c/windows/system32/uiautomationcore.dll")
  message(STATUS "Wine prefix ready in ${PREFIX}:\n${cases}")
elseif(ACTION STREQUAL "cleanup")
  execute_process(COMMAND "${WINESERVER}" -k)
  file(REMOVE_RECURSE "${PREFIX}")
else()
  message(FATAL_ERROR "ACTION must be setup or cleanup")
endif()
