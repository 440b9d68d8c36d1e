# SPDX-License-Identifier: MIT
# cmake -DPAGE=DIR -DVERSION=X.Y.Z -DTEMPLATE=FILE -P PageBuild.cmake
#
# Names the build of the page in DIR by the SHA-256 of its files (their names and contents): writes
# version.json ({"program", "build"}) and, from TEMPLATE, the service worker sw.js that keeps
# those files, so that a new build is a new worker.
file(GLOB_RECURSE files RELATIVE ${PAGE} ${PAGE}/*)
list(REMOVE_ITEM files sw.js version.json)
list(SORT files)
set(all "")
set(quoted "")
foreach(name IN LISTS files)
  file(SHA256 ${PAGE}/${name} hash)
  string(APPEND all "${name} ${hash}\n")
  list(APPEND quoted "'${name}'")
endforeach()
string(SHA256 build "${all}")
string(SUBSTRING ${build} 0 12 BUILD)
list(APPEND quoted "'version.json'")
list(JOIN quoted ", " FILES)
file(WRITE ${PAGE}/version.json "{\"program\": \"${VERSION}\", \"build\": \"${BUILD}\"}\n")
configure_file(${TEMPLATE} ${PAGE}/sw.js @ONLY)
