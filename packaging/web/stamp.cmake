# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the service worker of the page in DIST: every other file of the folder, and a version
# drawn from their contents, so that the same files give the same worker and any change a new one.
#   cmake -D DIST=<the page's folder> -P stamp.cmake
file(GLOB files RELATIVE ${DIST} ${DIST}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(contents)
set(quoted)
foreach(file IN LISTS files)
  file(SHA256 ${DIST}/${file} sum)
  string(APPEND contents "${file} ${sum}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 version)
list(JOIN quoted ", " files)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sw.js.in ${DIST}/sw.js @ONLY)
