#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "page_markup.h"
#include "row_name.h"

namespace hexagon {
namespace {

struct Base64Case {
  const char* name;
  std::string bytes;
  std::string expected;
};

void PrintTo(const Base64Case& c, std::ostream* os) {
  *os << c.name;
}

class Base64Test : public ::testing::TestWithParam<Base64Case> {};

TEST_P(Base64Test, WritesTheStandardAlphabetPadded) {
  EXPECT_EQ(base64(GetParam().bytes), GetParam().expected);
}

// The first seven rows are RFC 4648's own examples.
INSTANTIATE_TEST_SUITE_P(
    Bytes, Base64Test,
    ::testing::Values(
        Base64Case{"nothing", "", ""}, Base64Case{"one byte", "f", "Zg=="},
        Base64Case{"two bytes", "fo", "Zm8="}, Base64Case{"three bytes", "foo", "Zm9v"},
        Base64Case{"four bytes", "foob", "Zm9vYg=="}, Base64Case{"five bytes", "fooba", "Zm9vYmE="},
        Base64Case{"six bytes", "foobar", "Zm9vYmFy"},
        Base64Case{"zero bytes", std::string(3, '\0'), "AAAA"},
        Base64Case{"high bytes reach the last two digits", "\xfb\xff\xbf", "+/+/"},
        Base64Case{"a byte of all ones", "\xff", "/w=="},
        Base64Case{"WebAssembly's magic number", std::string("\0asm", 4), "AGFzbQ=="}),
    testing::rowName<Base64Case>);

// A program whose script holds an end tag inside a string, and the first eight bytes of any
// WebAssembly module.
PageParts programParts() {
  PageParts parts;
  parts.icon = "<svg/>";
  parts.script = "var end = '</script>';";
  parts.wasm = std::string("\0asm\x01\0\0\0", 8);
  return parts;
}

struct ProgramElement {
  const char* name;
  std::string_view markup;
};

// The program's elements, in the order the page holds them after the form.
constexpr std::array<ProgramElement, 3> kProgramElements{{
    {"the WebAssembly as base64, kept as text",
     "<script type=\"text/plain\" id=\"ProgramWasm\">AGFzbQEAAAA=</script>\n"},
    {"the script kept as text, its end tag escaped",
     "<script type=\"text/plain\" id=\"Program\">var end = '<\\/script>';</script>\n"},
    {"the start once the form is painted",
     "<script>requestAnimationFrame(() => setTimeout(() => {\n"},
}};

TEST(ProgramElementsTest, FollowTheFormInTheirOrder) {
  const std::string page = pageDocument(programParts());
  std::size_t previous = page.find("</main>");
  ASSERT_NE(previous, std::string::npos);
  for (const ProgramElement& element : kProgramElements) {
    SCOPED_TRACE(element.name);
    const std::size_t at = page.find(element.markup, previous);
    ASSERT_NE(at, std::string::npos) << page.substr(previous);
    previous = at;
  }
  EXPECT_TRUE(page.ends_with("}));</script>\n</body>\n</html>\n")) << page.substr(previous);
}

}  // namespace
}  // namespace hexagon
