#pragma once

// The whole page, written when the program is built: the form's controls as markup and one
// stylesheet, both from the layout table, the error message, and the program at the end: its
// WebAssembly as base64 and the script that loads it. The browser paints the form from the
// markup alone; the program then only finds the controls and attaches what they do. The page's
// own Content-Security-Policy comes first and allows exactly its scripts and its stylesheet.
// Standard C++ only: the hashes the policy names them by come from the caller.

#include <functional>
#include <string>
#include <string_view>

namespace hexagon {

struct PageParts {
  std::string icon;        // the icon's SVG, shown as the page's icon
  std::string siteHead;    // what the web site adds to the head (its manifest); empty otherwise
  std::string siteScript;  // the web site's script, which starts its service worker; or empty
  std::string script;      // the program's script, which loads its WebAssembly and starts it
  std::string wasmBase64;  // the program's WebAssembly as base64 (RFC 4648), as the build wrote it
};

// SHA-256 of a text's bytes, in base64: how the policy names a script or a stylesheet.
using Sha256Base64 = std::function<std::string(std::string_view)>;

std::string pageDocument(const PageParts& parts, const Sha256Base64& sha256);

}  // namespace hexagon
