#pragma once

// The whole page, written when the program is built: the form's controls as markup and one
// stylesheet, both from the layout table, the error message, and the program at the end: its
// WebAssembly as base64 and the script that loads it. The browser paints the form from the
// markup alone; the program then only finds the controls and attaches what they do. Standard
// C++ only.

#include <string>

namespace hexagon {

struct PageParts {
  std::string icon;        // the icon's SVG, shown as the page's icon
  std::string siteHead;    // what the web site adds to the head (its manifest); empty otherwise
  std::string script;      // the program's script, which loads its WebAssembly and starts it
  std::string wasmBase64;  // the program's WebAssembly as base64 (RFC 4648), as the build wrote it
};

std::string pageDocument(const PageParts& parts);

}  // namespace hexagon
