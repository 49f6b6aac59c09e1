# Makes the Windows Installer package OUTPUT from torvelin-hexagon.wxs with Debian's wixl, the same
# bytes from the same inputs whoever builds it, wherever and whenever:
#   cmake -DOUTPUT=<.msi> -DWORK=<folder> -DIDENTITY=<identity.env> -DVERSION=1.0.0
#         -DPROGRAM=<.exe> -DLICENSE=<LICENSE.txt> -DICON=<.ico> -DEPOCH=<seconds> -DWIXL=<wixl>
#         -DMSIBUILD=<msibuild> -DFAKETIME=<faketime> -P make_msi.cmake
# - The program's names, application id, publisher, addresses and the upgrade code come from the
#   identity the build wrote; the version is given apart, so that the tests can make an older one.
# - The product code and the package code are name-based UUIDs (SHA-1, in the upgrade code's
#   namespace) of what the package holds: the product code of the version and the three files, so
#   that each version and each different program gets its own; the package code of all that and
#   of the WiX source, the definitions and wixl's version, so that it changes with any byte.
# - wixl writes its clock's time into the summary and a random package code: it runs under
#   faketime at EPOCH, and msibuild then writes the package code (and the summary's template,
#   64-bit and Bulgarian).
# - The cabinet keeps each file's date: the files are copied into WORK and dated EPOCH, in UTC.
# - wixl and msibuild write the database's texts in the code page of the language that
#   WINDOWS_LANGUAGE names (their default drops every Cyrillic letter); _ForceCodepage then
#   records 1251 in the database, so that every Windows reads them as Cyrillic.
cmake_minimum_required(VERSION 3.25)

foreach(name IN ITEMS OUTPUT WORK IDENTITY VERSION PROGRAM LICENSE ICON EPOCH WIXL MSIBUILD FAKETIME)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "make_msi.cmake needs -D${name}=...")
  endif()
endforeach()
file(STRINGS ${IDENTITY} identity REGEX "^HEXAGON_[A-Z_]+='[^']*'$" ENCODING UTF-8)
foreach(line IN LISTS identity)
  string(REGEX MATCH "^([A-Z_]+)='(.*)'$" line "${line}")
  set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
set(UPGRADE_CODE ${HEXAGON_MSI_UPGRADE_CODE})
set(wxs ${CMAKE_CURRENT_LIST_DIR}/torvelin-hexagon.wxs)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(hashes)
foreach(pair IN ITEMS "PROGRAM;torvelin-hexagon.exe" "LICENSE;LICENSE.txt"
                      "ICON;torvelin-hexagon.ico")
  list(GET pair 0 source)
  list(GET pair 1 name)
  file(COPY_FILE ${${source}} ${WORK}/${name})
  file(SHA256 ${WORK}/${name} hash)
  list(APPEND hashes ${hash})
endforeach()
execute_process(COMMAND touch -d @${EPOCH} torvelin-hexagon.exe LICENSE.txt torvelin-hexagon.ico
  WORKING_DIRECTORY ${WORK} COMMAND_ERROR_IS_FATAL ANY)

string(UUID product_code NAMESPACE ${UPGRADE_CODE} NAME "${VERSION};${hashes}" TYPE SHA1 UPPER)
set(definitions Version=${VERSION} ProductCode=${product_code} UpgradeCode=${UPGRADE_CODE}
  Name=${HEXAGON_NAME} DisplayName=${HEXAGON_NAME_BG} Publisher=${HEXAGON_PUBLISHER}
  HomePage=${HEXAGON_HOME_URL} Repository=${HEXAGON_REPOSITORY_URL} AppId=${HEXAGON_APP_ID})
file(SHA256 ${wxs} wxs_hash)
execute_process(COMMAND ${WIXL} --version OUTPUT_VARIABLE wixl_version COMMAND_ERROR_IS_FATAL ANY)
string(UUID package_code NAMESPACE ${UPGRADE_CODE} TYPE SHA1 UPPER
  NAME "${definitions};${hashes};${wxs_hash};${wixl_version}")

set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
string(TIMESTAMP time "%Y-%m-%d %H:%M:%S" UTC)
set(run ${CMAKE_COMMAND} -E env TZ=UTC0 WINDOWS_LANGUAGE=bg ${FAKETIME} -f ${time})
# The definitions go to the source in a file of their own, definitions.wxi, read as UTF-8: wixl
# cannot take Cyrillic on its command line.
set(include "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n")
foreach(definition IN LISTS definitions)
  string(REGEX MATCH "^([A-Za-z]+)=(.*)$" definition "${definition}")
  string(APPEND include "  <?define ${CMAKE_MATCH_1} = \"${CMAKE_MATCH_2}\"?>\n")
endforeach()
string(APPEND include "</Include>\n")
file(WRITE ${WORK}/definitions.wxi "${include}")
file(WRITE ${WORK}/_ForceCodepage.idt "\r\n\r\n1251\t_ForceCodepage\r\n")
execute_process(
  COMMAND ${run} ${WIXL} --arch x64 --includedir ${WORK} --output package.msi ${wxs}
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${WORK})
execute_process(
  COMMAND ${run} ${MSIBUILD} package.msi -i _ForceCodepage.idt
    -s "${HEXAGON_NAME} ${VERSION}" ${HEXAGON_PUBLISHER} "x64;1026" "{${package_code}}"
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${WORK})
file(COPY_FILE ${WORK}/package.msi ${OUTPUT})
