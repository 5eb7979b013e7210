# SPDX-License-Identifier: GPL-3.0-or-later
# A program of the game built as a web page: Qt's own command adds what Qt's loader needs, and
# packaging/web/page.js sets up the files the program finds when it starts, with IndexedDB
# behind the home folder.
function(quivara_add_page target)
  qt_add_executable(${target} ${ARGN})
  set(page_js ${PROJECT_SOURCE_DIR}/packaging/web/page.js)
  target_link_options(${target} PRIVATE "SHELL:--pre-js ${page_js}" -lidbfs.js)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${page_js})
endfunction()
