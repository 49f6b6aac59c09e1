# Writes the worksheet's page for WeasyPrint at build time, once the QR code exists: the template
# with the program's identity filled in, and the QR code of the home address inside the page as a
# data: address. Inside, not beside it: WeasyPrint names each image in the PDF after its address,
# and a file's address holds the build folder's path, so the same commit built in two folders
# would give two different PDFs.
#   cmake -D TEMPLATE=... -D OUTPUT=... -D STYLESHEET=... -D QR_CODE=... -D IDENTITY=<identity.env>
#         -P worksheet.cmake
foreach(name TEMPLATE OUTPUT STYLESHEET QR_CODE IDENTITY)
  if("${${name}}" STREQUAL "")
    message(FATAL_ERROR "worksheet.cmake: ${name} is not given")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/identity.cmake)
hexagon_load_identity(${IDENTITY})
execute_process(COMMAND base64 --wrap=0 ${QR_CODE} OUTPUT_VARIABLE QR_CODE_BASE64
  COMMAND_ERROR_IS_FATAL ANY)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
