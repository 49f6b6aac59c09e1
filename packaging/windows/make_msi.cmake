# Makes the Windows Installer package OUTPUT from torvelin-hexagon.wxs with Debian's wixl, the same
# bytes from the same inputs whoever builds it, wherever and whenever:
#   cmake -DOUTPUT=<.msi> -DWORK=<folder> -DIDENTITY=<identity.env> -DVERSION=1.0.0
#         -DPROGRAM=<.exe> -DLICENSE=<LICENSE.txt> -DICON=<.ico> -DEPOCH=<seconds> -DWIXL=<wixl>
#         -DMSIBUILD=<msibuild> -DFAKETIME=<faketime> [-DWXS=<.wxs>] -P make_msi.cmake
# - The program's names, application id, publisher, addresses and the upgrade code come from the
#   identity the build wrote; the version is given apart, so that the tests can make an older one.
# - The product code and the package code are name-based UUIDs (SHA-1, in the upgrade code's
#   namespace) of everything that defines the package: the version and the other definitions, the
#   three files, the WiX source, this file and wixl's version. So each version, and each package
#   that differs in anything, gets codes of its own, and the same inputs give the same codes.
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
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/identity.cmake)
hexagon_load_identity(${IDENTITY})
set(UPGRADE_CODE ${HEXAGON_MSI_UPGRADE_CODE})
# The WiX source beside this file, unless WXS names another (the tests' copies).
if(NOT WXS)
  set(WXS ${CMAKE_CURRENT_LIST_DIR}/torvelin-hexagon.wxs)
endif()
set(wxs ${WXS})

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

# Everything that defines the package: the definitions, the three files, the WiX source, this
# file (which adds tables of its own) and the wixl that builds it. Any difference in them is
# another package, with a product code and a package code of its own.
# The version just after this one, where the range of "the same version" ends (wixl knows no
# inclusive maximum): Windows Installer compares the first three parts of a version.
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "make_msi.cmake needs a version X.Y.Z, not ${VERSION}")
endif()
math(EXPR next_patch "${CMAKE_MATCH_3} + 1")
set(next_version ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${next_patch})
set(definitions Version=${VERSION} NextVersion=${next_version} UpgradeCode=${UPGRADE_CODE}
  Name=${HEXAGON_NAME} DisplayName=${HEXAGON_NAME_BG} Publisher=${HEXAGON_PUBLISHER}
  HomePage=${HEXAGON_HOME_URL} Repository=${HEXAGON_REPOSITORY_URL} AppId=${HEXAGON_APP_ID})
file(SHA256 ${wxs} wxs_hash)
file(SHA256 ${CMAKE_CURRENT_LIST_FILE} make_msi_hash)
execute_process(COMMAND ${WIXL} --version OUTPUT_VARIABLE wixl_version COMMAND_ERROR_IS_FATAL ANY)
set(package "${definitions};${hashes};${wxs_hash};${make_msi_hash};${wixl_version}")
string(UUID product_code NAMESPACE ${UPGRADE_CODE} NAME "product;${package}" TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${UPGRADE_CODE} NAME "package;${package}" TYPE SHA1 UPPER)
list(APPEND definitions ProductCode=${product_code})

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
# Outside Program Files (INSTALLDIR given on msiexec's command line), a new folder takes the
# rights of the folder above it, where every user may often write (a drive's root, say): a pupil
# could then replace the program. There the folder gets the rights Program Files gives instead:
# the administrators own it; they and SYSTEM have full control, users may read and run; nothing is
# inherited from above. wixl knows no element for it: the table is added to the package after.
file(WRITE ${WORK}/MsiLockPermissionsEx.idt
  "MsiLockPermissionsEx\tLockObject\tTable\tSDDLText\tCondition\r\n"
  "s72\ts72\ts32\tl0\tS255\r\n"
  "MsiLockPermissionsEx\tMsiLockPermissionsEx\r\n"
  "ProgramFolder\tINSTALLDIR\tCreateFolder\t"
  "O:BAG:SYD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)\t"
  "NOT (INSTALLDIR ~<< ProgramFiles64Folder)\r\n")
execute_process(
  COMMAND ${run} ${WIXL} --arch x64 --includedir ${WORK} --output package.msi ${wxs}
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${WORK})
execute_process(
  COMMAND ${run} ${MSIBUILD} package.msi -i _ForceCodepage.idt -i MsiLockPermissionsEx.idt
    -s "${HEXAGON_NAME} ${VERSION}" ${HEXAGON_PUBLISHER} "x64;1026" "{${package_code}}"
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${WORK})
file(COPY_FILE ${WORK}/package.msi ${OUTPUT})
