# Writes the service worker for the site folder SITE from TEMPLATE: its list of files, and a
# version that changes whenever any of them does, so that browsers take up a new version.
#   cmake -DSITE=<folder> -DTEMPLATE=<sw.js.in> -DVERSION=<project version> -P write_service_worker.cmake
file(GLOB names RELATIVE ${SITE} ${SITE}/*)
# Not the worker itself, nor IIS's web.config, which IIS never serves: asking for it would fail
# the worker's install there.
list(REMOVE_ITEM names sw.js web.config)
list(SORT names)
set(hashes "")
set(SITE_FILES "'./'")
foreach(name IN LISTS names)
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND hashes "${name} ${hash}\n")
  string(APPEND SITE_FILES ", '${name}'")
endforeach()
string(SHA256 all "${hashes}")
string(SUBSTRING ${all} 0 12 short)
set(SITE_VERSION "${VERSION}-${short}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
