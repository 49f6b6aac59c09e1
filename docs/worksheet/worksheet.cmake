# Writes the worksheet's page for WeasyPrint at build time, once the QR code exists: the template
# with the program's identity filled in, and the QR code of the home address inside the page as a
# data: address. Inside, not beside it: WeasyPrint names each image in the PDF after its address,
# and a file's address holds the build folder's path, so the same commit built in two folders
# would give two different PDFs.
#   cmake -D TEMPLATE=... -D OUTPUT=... -D STYLESHEET=... -D QR_CODE=... -D PROJECT_VERSION=...
#         -D PROJECT_HOMEPAGE_URL=... -D HEXAGON_WEB_ADDRESS=... -D HEXAGON_REPOSITORY_URL=...
#         -D HEXAGON_PUBLISHER=... -D HEXAGON_NAME_BG=... -P worksheet.cmake
foreach(name TEMPLATE OUTPUT STYLESHEET QR_CODE PROJECT_VERSION PROJECT_HOMEPAGE_URL
        HEXAGON_WEB_ADDRESS HEXAGON_REPOSITORY_URL HEXAGON_PUBLISHER HEXAGON_NAME_BG)
  if("${${name}}" STREQUAL "")
    message(FATAL_ERROR "worksheet.cmake: ${name} is not given")
  endif()
endforeach()
execute_process(COMMAND base64 --wrap=0 ${QR_CODE} OUTPUT_VARIABLE QR_CODE_BASE64
  COMMAND_ERROR_IS_FATAL ANY)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
