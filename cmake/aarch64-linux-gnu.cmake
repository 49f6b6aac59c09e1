# Cross-builds the Linux program for 64-bit ARM (Raspberry Pi OS, ARM laptops) on a Debian amd64
# machine, from Debian's own packages: the aarch64 cross compiler (crossbuild-essential-arm64)
# and the arm64 build of Qt (qt6-base-dev:arm64), which multiarch installs beside the amd64 one.
# Qt's host tools (moc, rcc, uic) are the amd64 ones. CTest runs each test program under qemu's
# user emulation, which finds the arm64 loader and libraries where multiarch put them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Programs that run during the build (rsvg-convert, gzip, Qt's tools) come from the host.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(QT_HOST_PATH /usr)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
