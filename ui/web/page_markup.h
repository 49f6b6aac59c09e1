#pragma once

// The whole page, written when the program is built: the form's controls as markup and one
// stylesheet, both from the layout table, the error message, and the program's script at the
// end. The browser paints the form from the markup alone; the script then only finds the
// controls and attaches what they do. Standard C++ only.

#include <string>

namespace hexagon {

struct PageParts {
  std::string icon;      // the icon's SVG, shown as the page's icon
  std::string siteHead;  // what the web site adds to the head (its manifest); empty otherwise
  std::string script;    // the program, its WebAssembly inside
};

std::string pageDocument(const PageParts& parts);

}  // namespace hexagon
