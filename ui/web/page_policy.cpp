#include "page_policy.h"

namespace hexagon {

std::string contentSecurityPolicy(const PolicySources& sources) {
  // Only the page's own scripts run, each named by its hash: nothing put into the page later,
  // by an extension or a server, runs. WebAssembly must be compiled, and the least source that
  // allows it in every browser the page supports is 'unsafe-eval': Chrome before 97 and Safari
  // before 16 know no other ('wasm-unsafe-eval' came then). A browser that knows both honours
  // 'unsafe-eval' as well, so no browser refuses eval() here; no script but the page's own can
  // run to call it, and those call none: the program is linked with -sDYNAMIC_EXECUTION=0, with
  // which emscripten writes no eval() or new Function() into its script.
  std::string scripts = "script-src";
  for (const std::string& hash : sources.scriptHashes) {
    scripts += " 'sha256-" + hash + "'";
  }
  scripts += " 'unsafe-eval'";

  // Nothing by default: no connections, frames, plugins, fonts or media from anywhere.
  std::string policy =
      "default-src 'none'; " + scripts + "; style-src 'sha256-" + sources.styleHash + "'; ";
  // The page's icon is a data: address. The site's manifest names its icons in its folder.
  policy += sources.site ? "img-src 'self' data:; " : "img-src data:; ";
  if (sources.site) {
    // The manifest and the service worker come from the site's own origin; a policy cannot name
    // the site's folder, which depends on where the site is put. Safari before 15.5 checks a
    // service worker against child-src, which would also govern frames if frame-src did not
    // refuse every one.
    policy += "manifest-src 'self'; worker-src 'self'; child-src 'self'; frame-src 'none'; ";
  }
  // Neither falls back to default-src: no form is sent anywhere, and no <base> moves the page's
  // addresses elsewhere.
  return policy + "form-action 'none'; base-uri 'none'";
}

}  // namespace hexagon
