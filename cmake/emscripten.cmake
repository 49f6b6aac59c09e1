# Builds for the browser with Debian's emscripten: C++ to WebAssembly. CTest runs each test
# program under the machine's node, as it runs the Windows ones under Wine.
#
# node's own fetch cannot load the .wasm beside a test program; without it, the loader reads
# the file itself. (Debian's default emulator passes an option that node 20 refuses.)
find_program(HEXAGON_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${HEXAGON_NODE};--no-experimental-fetch)

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# emscripten's JavaScript tools, which every optimised link runs, need acorn from Debian's
# node modules, where the machine's node does not look by itself.
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
