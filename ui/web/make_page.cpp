// Writes the page when the program is built: the form from the layout table, the icon, and the
// program (its script and its WebAssembly), into one HTML file with its own policy. The web
// site's page also has the site's head elements and its script.
//   make_page ICON.svg SCRIPT.js PROGRAM.wasm.base64 OUTPUT.html [SITE-HEAD.html SITE-SCRIPT.js]
// The build runs it under node, reading and writing the build machine's files.

#include <emscripten/emscripten.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "page_markup.h"

// SHA-256 in base64 (44 characters), by node's own crypto module.
// clang-format off
EM_JS(void, sha256Base64Into, (const char* bytes, int size, char* digest), {
  const hash = require('crypto').createHash('sha256').update(HEAPU8.subarray(bytes, bytes + size));
  stringToUTF8(hash.digest('base64'), digest, 45);
});
// clang-format on

namespace {

bool readFile(const char* path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return file.good() || file.eof();
}

std::string sha256Base64(std::string_view text) {
  std::array<char, 45> digest{};
  sha256Base64Into(text.data(), static_cast<int>(text.size()), digest.data());
  return digest.data();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 5 && argc != 7) {
    std::fputs(
        "usage: make_page ICON.svg SCRIPT.js PROGRAM.wasm.base64 OUTPUT.html "
        "[SITE-HEAD.html SITE-SCRIPT.js]\n",
        stderr);
    return 2;
  }
  hexagon::PageParts parts;
  if (!readFile(argv[1], parts.icon) || !readFile(argv[2], parts.script) ||
      !readFile(argv[3], parts.wasmBase64) ||
      (argc == 7 && (!readFile(argv[5], parts.siteHead) || !readFile(argv[6], parts.siteScript)))) {
    std::fputs("make_page: cannot read an input\n", stderr);
    return 1;
  }
  std::ofstream page(argv[4], std::ios::binary);
  page << hexagon::pageDocument(parts, sha256Base64);
  page.close();
  if (!page) {
    std::fprintf(stderr, "make_page: cannot write %s\n", argv[4]);
    return 1;
  }
  return 0;
}
