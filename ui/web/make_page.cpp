// Writes the page when the program is built: the form from the layout table, the icon, and the
// program (its script and its WebAssembly), into one HTML file.
//   make_page ICON.svg SCRIPT.js PROGRAM.wasm.base64 OUTPUT.html [SITE-HEAD.html]
// The build runs it under node, reading and writing the build machine's files.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "page_markup.h"

namespace {

bool readFile(const char* path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return file.good() || file.eof();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 5 && argc != 6) {
    std::fputs(
        "usage: make_page ICON.svg SCRIPT.js PROGRAM.wasm.base64 OUTPUT.html [SITE-HEAD.html]\n",
        stderr);
    return 2;
  }
  hexagon::PageParts parts;
  if (!readFile(argv[1], parts.icon) || !readFile(argv[2], parts.script) ||
      !readFile(argv[3], parts.wasmBase64) || (argc == 6 && !readFile(argv[5], parts.siteHead))) {
    std::fputs("make_page: cannot read an input\n", stderr);
    return 1;
  }
  std::ofstream page(argv[4], std::ios::binary);
  page << hexagon::pageDocument(parts);
  page.close();
  if (!page) {
    std::fprintf(stderr, "make_page: cannot write %s\n", argv[4]);
    return 1;
  }
  return 0;
}
