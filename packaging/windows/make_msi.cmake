# Makes the Windows Installer package OUTPUT from torvelin-hexagon.wxs with Debian's wixl, the same
# bytes from the same inputs whoever builds it, wherever and whenever:
#   cmake -DOUTPUT=<.msi> -DWORK=<folder> -DVERSION=1.0.0 -DPROGRAM=<.exe> -DLICENSE=<LICENSE.txt>
#         -DICON=<.ico> -DEPOCH=<seconds> -DUPGRADE_CODE=<guid> -DPUBLISHER=... -DHOME_PAGE=<url>
#         -DREPOSITORY=<url> -DAPP_ID=<id> -DWIXL=<wixl> -DMSIBUILD=<msibuild> -DFAKETIME=<faketime>
#         -P make_msi.cmake
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

foreach(name IN ITEMS OUTPUT WORK VERSION PROGRAM LICENSE ICON EPOCH UPGRADE_CODE PUBLISHER
                      HOME_PAGE REPOSITORY APP_ID WIXL MSIBUILD FAKETIME)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "make_msi.cmake needs -D${name}=...")
  endif()
endforeach()
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
  Publisher=${PUBLISHER} HomePage=${HOME_PAGE} Repository=${REPOSITORY} AppId=${APP_ID})
file(SHA256 ${wxs} wxs_hash)
execute_process(COMMAND ${WIXL} --version OUTPUT_VARIABLE wixl_version COMMAND_ERROR_IS_FATAL ANY)
string(UUID package_code NAMESPACE ${UPGRADE_CODE} TYPE SHA1 UPPER
  NAME "${definitions};${hashes};${wxs_hash};${wixl_version}")

set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
string(TIMESTAMP time "%Y-%m-%d %H:%M:%S" UTC)
set(run ${CMAKE_COMMAND} -E env TZ=UTC0 WINDOWS_LANGUAGE=bg ${FAKETIME} -f ${time})
set(defines)
foreach(definition IN LISTS definitions)
  list(APPEND defines --define ${definition})
endforeach()
file(WRITE ${WORK}/_ForceCodepage.idt "\r\n\r\n1251\t_ForceCodepage\r\n")
execute_process(
  COMMAND ${run} ${WIXL} --arch x64 ${defines} --output package.msi ${wxs}
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${WORK})
execute_process(
  COMMAND ${run} ${MSIBUILD} package.msi -i _ForceCodepage.idt
    -s "Torvelin Hexagon ${VERSION}" ${PUBLISHER} "x64;1026" "{${package_code}}"
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${WORK})
file(COPY_FILE ${WORK}/package.msi ${OUTPUT})
