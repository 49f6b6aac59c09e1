#pragma once

// The page's own Content-Security-Policy, which it carries in a <meta> element: the browser then
// refuses whatever the page does not need, in the one file opened from a disk and on any web
// server alike. Written when the page is built, from the hashes of the exact texts of its
// scripts and its stylesheet. Standard C++ only.

#include <string>
#include <vector>

namespace hexagon {

struct PolicySources {
  std::vector<std::string> scriptHashes;  // SHA-256 of each script's text, in base64
  std::string styleHash;                  // SHA-256 of the stylesheet's text, in base64
  bool site = false;  // the web site's page, with its manifest, icons and service worker
};

std::string contentSecurityPolicy(const PolicySources& sources);

}  // namespace hexagon
