cmake_minimum_required(VERSION 3.25)

# Fails unless every DLL the program imports is one that Windows itself ships, from Windows 7 on:
# a DLL of the compiler's runtime (libstdc++, libgcc, winpthread) would have to be installed
# beside the program. Run as: cmake -DOBJDUMP=... -DPROGRAM=... -P check_imports.cmake
set(windows_dlls
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
  oleacc.dll oleaut32.dll shell32.dll user32.dll uxtheme.dll version.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
  OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${status}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "${PROGRAM} imports no DLL at all: not a program objdump could read")
endif()
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  message(STATUS "imports ${dll}")
  if(NOT dll IN_LIST windows_dlls)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not part of Windows")
  endif()
endforeach()
