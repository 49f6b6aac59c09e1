# Who the program is, in the one place every file takes it from: its names in both languages, its
# version, the application id (the menu entry, metainfo, icons, running window, Windows manifest
# and installers), the publisher and its address, the home and the repository, and the upgrade
# code of the Windows Installer package.
#
# The top CMakeLists.txt includes this file before project(), which takes the version and the home
# from it, and writes identity.env into the build folder. A script with no build at hand writes
# the same file with
#   cmake -D IDENTITY_FILE=<file> -P cmake/identity.cmake
# identity.env holds one NAME='value' line each: the shell sources it, makensis reads it with
# !searchparse, make_msi.cmake and worksheet.cmake load it (hexagon_load_identity), the install
# check's program parses it.

set(HEXAGON_NAME "Torvelin Hexagon")
set(HEXAGON_NAME_BG "Торвелин в шестоъгълник")
set(HEXAGON_VERSION 1.0.0)
set(HEXAGON_APP_ID io.github.torvelin.TorvelinHexagon)
set(HEXAGON_PUBLISHER "The Torvelin Hexagon authors")
# Debian asks a package for its maintainer's address: the project's account has GitHub's no-reply
# one, and its issues are where to write.
set(HEXAGON_PUBLISHER_ADDRESS torvelin@users.noreply.github.com)
set(HEXAGON_HOME_URL https://torvelin.github.io/torvelin-hexagon/)
set(HEXAGON_REPOSITORY_URL https://github.com/torvelin/torvelin-hexagon)
# The name Windows Installer knows the program by in every version, so that a newer package
# replaces an older one and setup.exe finds the package's program. It never changes.
set(HEXAGON_MSI_UPGRADE_CODE BABC4E3D-D95F-4FE5-8115-11B27EFE637D)

# The home address as people type it, with no scheme and no closing slash: the head of every
# window's caption.
string(REGEX REPLACE "^https://(.*[^/])/?$" "\\1" HEXAGON_WEB_ADDRESS "${HEXAGON_HOME_URL}")

set(HEXAGON_IDENTITY_NAMES HEXAGON_NAME HEXAGON_NAME_BG HEXAGON_VERSION HEXAGON_APP_ID
  HEXAGON_PUBLISHER HEXAGON_PUBLISHER_ADDRESS HEXAGON_HOME_URL HEXAGON_WEB_ADDRESS
  HEXAGON_REPOSITORY_URL HEXAGON_MSI_UPGRADE_CODE)

# Sets the HEXAGON_* variables from identity.env in FILE, as a build or a test wrote it: the build
# scripts that CMake runs (cmake -P) take the identity so, and the tests can give them another.
function(hexagon_load_identity file)
  file(STRINGS ${file} lines REGEX "^HEXAGON_[A-Z_]+='[^']*'$" ENCODING UTF-8)
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([A-Z_]+)='(.*)'$" line "${line}")
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}" PARENT_SCOPE)
  endforeach()
endfunction()

# Writes identity.env to FILE, rewriting it only when a value changed.
function(hexagon_write_identity file)
  set(lines "# Who the program is, written by CMake from cmake/identity.cmake.\n")
  foreach(name IN LISTS HEXAGON_IDENTITY_NAMES)
    if("${${name}}" MATCHES "'")
      message(FATAL_ERROR "${name} may not hold a single quote")
    endif()
    string(APPEND lines "${name}='${${name}}'\n")
  endforeach()
  file(CONFIGURE OUTPUT ${file} CONTENT "${lines}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT IDENTITY_FILE)
    message(FATAL_ERROR "usage: cmake -D IDENTITY_FILE=<file> -P cmake/identity.cmake")
  endif()
  hexagon_write_identity(${IDENTITY_FILE})
endif()
