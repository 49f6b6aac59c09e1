#include "page_markup.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "control_factory.h"
#include "error_message.h"
#include "form_texts.h"
#include "hexagon_layout.h"
#include "page_policy.h"

namespace hexagon {
namespace {

constexpr int kCssPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

constexpr int formPixels(int twips) {
  return twips / kTwipsPerPixel;
}

const ControlRow& labelRow() {
  return *std::find_if(kHexagonLayout.begin(), kHexagonLayout.end(),
                       [](const ControlRow& row) { return row.kind == ControlKind::kLabel; });
}

// The form's font in CSS pixels, at 1:1 (12 points: 16 pixels).
constexpr int kFontPixels = kFormProperties.fontPointSize * kCssPixelsPerInch / kPointsPerInch;

// One line of text: 18 pixels at 16, as Chromium and WebKit space this font's lines by themselves.
// Left to the browser ("normal"), Firefox spaces them by 19, which made its message 3 pixels
// taller and its report box show other lines than the other engines.
constexpr char kLineHeight[] = "1.125";

// The family asked for first, then its metric twins (Liberation Serif on Linux, Tinos on
// ChromeOS), then any serif face.
std::string fontFamilies() {
  return std::string("\"") + kFormProperties.fontFamily + "\",\"Liberation Serif\",Tinos,serif";
}

// A data: address for the SVG: everything but plain ASCII letters and marks percent-encoded.
std::string svgDataAddress(std::string_view svg) {
  constexpr std::string_view kPlain =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.~!$'()*+,;=:@/?";
  std::string address = "data:image/svg+xml,";
  for (const char c : svg) {
    if (kPlain.find(c) != std::string_view::npos) {
      address += c;
    } else {
      std::array<char, 4> escaped{};
      std::snprintf(escaped.data(), escaped.size(), "%%%02X", static_cast<unsigned char>(c));
      address += escaped.data();
    }
  }
  return address;
}

// The controls in the order of the keyboard focus, which is the order of the markup: the page's
// focus order is its document order. The label, which takes no focus, heads the form.
std::string formMarkup() {
  std::array<const ControlRow*, kHexagonLayout.size()> rows{};
  std::transform(kHexagonLayout.begin(), kHexagonLayout.end(), rows.begin(),
                 [](const ControlRow& row) { return &row; });
  std::stable_sort(rows.begin(), rows.end(), [](const ControlRow* a, const ControlRow* b) {
    return a->tabIndex < b->tabIndex;
  });
  std::string markup = "<main id=\"HexagonForm\">\n";
  for (const ControlRow* row : rows) {
    markup += controlMarkup(*row) + "\n";
  }
  return markup + "</main>\n";
}

// The error message: a modal dialog titled with the program's name; its one button closes it,
// as do Return, Space and Escape, and the browser gives the focus back where it was. Its text is
// the program's own until the program has started and put in the error's: if it never starts,
// that is what the message says.
std::string errorMessageMarkup() {
  return std::string("<dialog id=\"") + kErrorMessageId +
         "\" role=\"alertdialog\" aria-labelledby=\"" + kErrorMessageTitleId +
         "\" aria-describedby=\"" + kErrorMessageTextId + "\">\n<form method=\"dialog\"><h2 id=\"" +
         kErrorMessageTitleId + "\">" + escapeMarkup(kProgramName) + "</h2><p id=\"" +
         kErrorMessageTextId + "\">" + escapeMarkup(kCannotStartMessage) +
         "</p><button autofocus>" + escapeMarkup(kErrorMessageButton) +
         "</button></form>\n</dialog>\n";
}

// The program comes last: its WebAssembly as base64 and its script, both as text the browser
// keeps without running it, then a few lines that start it once the browser has painted the
// form (run at once, the program's decoding and compiling would hold back the first paint).
// There the browser decodes the WebAssembly itself, with no decoding loop in JavaScript, and
// compiles it while it reads the script, which is handed that module instead of fetching one:
// a page opened from a disk may fetch nothing. The script then runs as an element of its own,
// which the policy allows by the hash of that text. A WebAssembly that cannot be compiled or
// instantiated (a browser without it or with it turned off, a server's policy that forbids it:
// Chromium and Firefox refuse such a module when compiling it, WebKit when instantiating it)
// opens the form's message, which holds the words for it from the start; without <dialog> they
// go into the report box.
constexpr std::string_view kStartScript = R"(requestAnimationFrame(() => setTimeout(() => {
const compiled = new Promise((compile) => {
  const text = document.getElementById('ProgramWasm').text;
  const bytes = Uint8Array.fromBase64 ? Uint8Array.fromBase64(text)
    : Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
  compile(WebAssembly.compile(bytes));
});
const asked = new Promise((ask) => {
  window.Module = { instantiateWasm: (imports, done) => { ask({ imports, done }); return {}; } };
});
const cannotStart = () => {
  const message = document.querySelector('dialog');
  if (typeof message.showModal === 'function') message.showModal();
  else document.querySelector('textarea').value = message.querySelector('p').textContent;
};
Promise.all([compiled, asked]).then(([module, { imports, done }]) =>
  WebAssembly.instantiate(module, imports).then(done, cannotStart), cannotStart);
const program = document.createElement('script');
program.text = document.getElementById('Program').text;
document.body.append(program);
}));)";

// The HTML parser ends a script element at "</script" in any case, and after "<!--" a later
// "<script" keeps it from ending there. In the scripts the page carries, either can stand only in
// a string, a regular expression, a template or a comment, where "\x3C" means the same "<" (in a
// comment it changes nothing).
std::string escapedScript(std::string_view script) {
  std::string folded(script);  // its ASCII letters in lower case, as the parser compares them
  std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  std::string escaped;
  for (std::size_t at = 0; at < script.size(); ++at) {
    const std::string_view rest = std::string_view(folded).substr(at);
    if (rest.starts_with("</script") || rest.starts_with("<!--")) {
      escaped += "\\x3C";
    } else {
      escaped += script[at];
    }
  }
  return escaped;
}

std::string programElements(std::string_view start, std::string_view script,
                            std::string_view wasmBase64) {
  return "<script type=\"text/plain\" id=\"ProgramWasm\">" + std::string(wasmBase64) +
         "</script>\n<script type=\"text/plain\" id=\"Program\">" + std::string(script) +
         "</script>\n<script>" + std::string(start) + "</script>\n";
}

// The stylesheet: the form at 1:1 on a wide screen and scaled as one picture to the width of a
// narrower one; every control's place and colour; the font; the error message.
std::string pageStyle() {
  const std::string font =
      "calc(" + std::to_string(kFontPixels) + "*var(--u))/" + kLineHeight + " " + fontFamilies();
  const std::string raised = "#fff #808080 #808080 #fff";
  const std::string sunken = "#808080 #fff #fff #808080";
  std::string style =
      "html{background:" + cssColour(kFormProperties.background) +
      "}\n"
      "body{margin:0}\n"
      "#HexagonForm{--u:1px;position:relative;width:" +
      formLength(kFormProperties.clientWidth) +
      ";height:" + formLength(kFormProperties.clientHeight) +
      ";margin:16px auto;background:" + cssColour(kFormProperties.background) + ";font:" + font +
      "}\n"
      // Narrower than the form, the form becomes as wide as the screen, every length with it.
      "@media (max-width:" +
      std::to_string(formPixels(kFormProperties.clientWidth) - 1) +
      "px){#HexagonForm{--u:calc(100vw/" + std::to_string(formPixels(kFormProperties.clientWidth)) +
      ");margin:0}}\n"
      // The edge's width and style only: its colours are each kind's, below.
      "#HexagonForm>*{position:absolute;box-sizing:border-box;margin:0;padding:0 "
      "calc(2*var(--u));border-style:solid;border-width:calc(2*var(--u));font:inherit;"
      "color:#000}\n"
      "#HexagonForm>h1{border:0}\n"
      "input,textarea{border-color:" +
      sunken +
      ";background:#fff}\n"
      "textarea{resize:none;overflow-y:scroll;white-space:pre-wrap}\n"
      // A focused box's edge turns blue, inside its own place (the browsers' own rings differ
      // and reach over the next control), and selected text is white on the same blue in every
      // browser (WebKitGTK's own selection is pale).
      "input:focus-visible,textarea:focus-visible{outline:calc(2*var(--u)) solid #0078d7;"
      "outline-offset:calc(-2*var(--u))}\n"
      "input::selection,textarea::selection{background:#0078d7;color:#fff}\n"
      "button{border-color:" +
      raised +
      ";touch-action:manipulation}\n"
      "button:active{border-color:" +
      sunken +
      ";padding:calc(1*var(--u)) 0 0 calc(1*var(--u))}\n"
      "button:focus-visible{outline:1px dotted #000;outline-offset:calc(-4*var(--u))}\n";
  for (const ControlRow& row : kHexagonLayout) {
    style += controlStyle(row) + "\n";
  }
  // The message is never scaled: its unit stays one pixel, which places its button's focus
  // rectangle inside the button as on the form's.
  style += "dialog{--u:1px;padding:0;min-width:15em;border:2px solid;border-color:" + raised +
           ";background:" + cssColour(kFormProperties.background) +
           ";color:#000;font:" + std::to_string(kFontPixels) + "px/" + kLineHeight + " " +
           fontFamilies() +
           "}\n"
           "dialog::backdrop{background:rgba(0,0,0,.25)}\n"
           // A browser without <dialog>, where the message comes in alert(), would otherwise
           // show the closed one on the page.
           "dialog:not([open]){display:none}\n"
           "dialog form{display:flex;flex-direction:column;align-items:center}\n"
           "dialog h2{align-self:stretch;margin:0;padding:2px 8px;font:inherit;background:" +
           cssColour(labelRow().background) +
           "}\n"
           // A long text wraps at about the form's width rather than the window's.
           "dialog p{max-width:24em;margin:16px}\n"
           "dialog button{min-width:5.5em;margin:0 0 12px;padding:2px 8px;border:2px solid;"
           "border-color:" +
           raised + ";background:#f0f0f0;color:#000;font:inherit}\n";
  return style;
}

}  // namespace

std::string pageDocument(const PageParts& parts, const Sha256Base64& sha256) {
  // The policy names each script and the stylesheet by the hash of its exact text, so the texts
  // are made first.
  const std::string style = "\n" + pageStyle();
  const std::string start = escapedScript(kStartScript);
  const std::string program = escapedScript(parts.script);
  PolicySources sources{{sha256(start), sha256(program)}, sha256(style), !parts.siteHead.empty()};
  std::string siteHead = parts.siteHead;
  if (!parts.siteScript.empty()) {
    const std::string siteScript = escapedScript(parts.siteScript);
    sources.scriptHashes.push_back(sha256(siteScript));
    siteHead += "<script>" + siteScript + "</script>\n";
  }
  return "<!DOCTYPE html>\n<html lang=\"bg\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
         escapeMarkup(contentSecurityPolicy(sources)) +
         "\">\n<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         escapeMarkup(windowCaption()) + "</title>\n<link rel=\"icon\" type=\"image/svg+xml\"" +
         " href=\"" + svgDataAddress(parts.icon) + "\">\n" + siteHead + "<style>" + style +
         "</style>\n</head>\n<body>\n" + formMarkup() + errorMessageMarkup() +
         programElements(start, program, parts.wasmBase64) + "</body>\n</html>\n";
}

}  // namespace hexagon
