# Shared by the commands in scripts/: installs missing Debian packages and keeps one build layout.
# Source it; it defines functions only.

# Packages every build needs: the compiler, CMake and Ninja, the window toolkit with its Bulgarian
# translations, the window's font (metric-compatible with Times New Roman, with Cyrillic), the
# renderer of the menu icon's sizes from its SVG (librsvg2-bin), and the test and benchmark
# libraries.
HEXAGON_BUILD_PACKAGES=(
  g++ cmake ninja-build
  qt6-base-dev qt6-translations-l10n fonts-liberation2 librsvg2-bin
  libgtest-dev libbenchmark-dev
)

# Packages for the robustness checks: clang with its sanitizer and libFuzzer runtimes (the fuzz
# preset, scripts/fuzz), and clang-tidy, whose run-clang-tidy runs it over the compile database
# with python3 (scripts/lint).
HEXAGON_CHECK_PACKAGES=(clang libclang-rt-dev clang-tidy python3)

# What making the Debian package needs besides a build: dpkg-shlibdeps, which finds the package's
# library dependencies (dpkg-dev), and the file-type check CPack runs before it (file).
HEXAGON_DEB_PACKAGES=(dpkg-dev file)

# What the tests of the installed program need: the validators of its menu entry
# (desktop-file-utils), of its metainfo (appstream) and of the Debian package (lintian), and a
# private X display with the tools that find its window there (xvfb, xdotool, x11-utils).
HEXAGON_INSTALL_TEST_PACKAGES=(desktop-file-utils appstream lintian xvfb xdotool x11-utils)

# What the Linux program for 64-bit ARM needs (the arm64 preset): the aarch64 cross compiler and
# the arm64 builds of Qt and GoogleTest, which dpkg's multiarch installs beside the amd64 ones
# (install_arm64_packages adds the architecture first), and qemu's user emulation, which runs its
# tests.
HEXAGON_ARM64_PACKAGES=(crossbuild-essential-arm64 qt6-base-dev:arm64 libgtest-dev:arm64
  qemu-user-static)

# What the Debian packages' install check needs (tests/install/linux): mmdebstrap makes the fresh
# Debian systems (arch-test tells it which architectures the machine can run), qemu's user
# emulation runs the arm64 ones (binfmt-support registers it with the kernel); on a private X
# display (xvfb, whose xvfb-run needs xauth) under a window manager (openbox, which xprop from
# x11-utils sees ready), xdotool types and xclip reads the report from the clipboard.
HEXAGON_LINUX_INSTALL_PACKAGES=(mmdebstrap arch-test qemu-user-static binfmt-support xvfb xauth
  x11-utils xdotool xclip openbox)

# What the Windows program needs: the MinGW-w64 cross compiler (POSIX threads), Wine to run the
# tests and the program on Linux, and GoogleTest's sources to build the tests for Windows; for its
# zip and installer: zip (and unzip for their tests), NSIS and icotool (icoutils), which packs the
# installer's icon. The program's own .ico is rendered from the SVG (rsvg-convert from
# librsvg2-bin, ImageMagick for its 256-colour size) and packed by icotool too. For the Windows
# Installer package: wixl, which builds it from its WiX source, msitools (msibuild, which writes
# its package code, and msiinfo, which reads it back for the release notes), and faketime, under
# which wixl writes the commit's time instead of its clock's.
HEXAGON_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 googletest nsis zip unzip icoutils
  librsvg2-bin imagemagick wixl msitools faketime)

# What the page for browsers needs: emscripten (C++ to WebAssembly; it brings node modules of
# its own), the icon renderers and zip for the web site, qrencode for the QR code of the home
# address, and for the tests the three browser engines from Debian: Chromium, Firefox ESR, and
# WebKitGTK's WebDriver with its MiniBrowser, which needs an X display (xvfb); then unzip, the
# window font that every engine draws Times New Roman with, and zbarimg (zbar-tools), which reads
# the QR code back. The pupils' worksheet is made by WeasyPrint (weasyprint), in the same
# Liberation fonts, and its test reads the PDF back with poppler-utils (pdfinfo, pdftotext,
# pdftoppm). node comes with the machine; install_node_packages adds Debian's when there is none.
HEXAGON_WEB_PACKAGES=(emscripten chromium firefox-esr webkit2gtk-driver xvfb librsvg2-bin
  imagemagick zip unzip fonts-liberation2 qrencode zbar-tools weasyprint poppler-utils)

# What the reproducibility check (tests/reproducible) needs besides the three kinds of build: git for its clones,
# the Bulgarian locale's generator (locales) and diffoscope, which shows what differs inside two
# files. Its small flavour opens the .deb, its tar files and the zips by itself (libarchive) and
# with zipinfo (unzip); it shows the Linux program's sections with the compiler's binutils, PNG
# chunks with sng, and the rest (the Windows programs, whose reader comes with Mono, and the
# installer's compressed data) as a hex dump with xxd.
HEXAGON_REPRODUCIBLE_PACKAGES=(git locales diffoscope-minimal unzip sng xxd)

# Sets the HEXAGON_* variables of the program's identity (its names, version, application id,
# publisher, addresses and the Windows Installer package's upgrade code) from identity.env, which
# CMake writes from cmake/identity.cmake, the one place that holds them.
load_identity() {
  local file
  file=$(mktemp)
  cmake -D IDENTITY_FILE="$file" -P "$(dirname "${BASH_SOURCE[0]}")/../../cmake/identity.cmake"
  # shellcheck source=/dev/null
  . "$file"
  rm -f "$file"
}

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    sudo "$@"
  fi
}

# Installs those of the named Debian packages that are not installed yet; does nothing (and
# needs no network) when all are there.
install_missing_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Installs the arm64 packages among the named ones, after adding arm64 to dpkg's architectures.
install_arm64_packages() {
  dpkg --print-foreign-architectures | grep -qx arm64 || as_root dpkg --add-architecture arm64
  install_missing_packages "$@"
}

# Lets the kernel run programs of the Debian architecture ARCH (arm64) through qemu's user
# emulation, even inside another system's root. The kernel's binfmt_misc file system, where the
# emulator is registered, is not mounted on every machine (nor in containers).
enable_emulation() {
  local cpu
  cpu=$(dpkg-architecture -a "$1" -qDEB_HOST_GNU_CPU 2>/dev/null)
  [ -e /proc/sys/fs/binfmt_misc/status ] ||
    as_root mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  as_root update-binfmts --enable "qemu-$cpu" 2>/dev/null || true
  grep -qx enabled "/proc/sys/fs/binfmt_misc/qemu-$cpu" 2>/dev/null ||
    { echo "Programs for $1 cannot run here: no qemu-$cpu in binfmt_misc" >&2; return 1; }
}

# Makes the Bulgarian UTF-8 locale available, so the tests can check that numbers are read
# the same way under a locale whose decimal separator is a comma.
ensure_bulgarian_locale() {
  locale -a 2>/dev/null | grep -qi '^bg_BG\.utf-\?8$' && return 0
  install_missing_packages locales
  as_root localedef -i bg_BG -f UTF-8 bg_BG.UTF-8
}

# Makes node and npm available (Debian's, when the machine has no node of its own), then installs
# the project's node packages exactly as package-lock.json pins them, unless they are there
# already. No browser or driver is ever downloaded: playwright-core, puppeteer-core and
# selenium-webdriver drive Debian's own browsers, and none of them has an install script.
install_node_packages() {
  command -v node >/dev/null 2>&1 || install_missing_packages nodejs npm
  if [ ! -f node_modules/.package-lock.json ] ||
     [ package-lock.json -nt node_modules/.package-lock.json ] ||
     [ package.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
  fi
}
