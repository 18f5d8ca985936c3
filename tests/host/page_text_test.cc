#include "page_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kavu32::kavu {
namespace {

using namespace std::string_view_literals;

TEST(PageText, DecodesEscapesAndBreaksLibraryTexts) {
  const struct {
    std::string_view Bytes;
    std::string_view Html;
  } cases[] = {
      {"Caf\xE9 \x80 5", "Caf\u00E9 \u20AC 5"},
      {"\x93q\x94 \x96 \x9F\xA0\xFF", "\u201Cq\u201D \u2013 \u0178\u00A0\u00FF"},
      // Undefined in the code page, and controls a page may not hold.
      {"\x81\x8D\x8F\x90\x9D", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"a\0b\x1F\x7F\tc"sv, "a\uFFFDb\uFFFD\uFFFD\tc"},
      {"<b>&amp;\"it's\"</b>", "&lt;b&gt;&amp;amp;&quot;it&#39;s&quot;&lt;/b&gt;"},
      {"one\ntwo\r\nthree\rfour", "one<br>\ntwo<br>\nthree<br>\nfour"},
      // Empty lines are left out, as the text report leaves them out.
      {"\n\nonly\n\n", "only"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HtmlLines(c.Bytes), c.Html) << c.Bytes;
  }
}

TEST(PageText, EncodesACommandLineNameForTheLibrary) {
  const struct {
    std::string_view Utf8;
    std::string_view Bytes;
  } cases[] = {
      {"Jos\u00E9 \u20AC\u0178", "Jos\xE9 \x80\x9F"},
      {"\u674E a\U0001F600", "? a?"},
      // Not UTF-8: already single bytes, kept as they are.
      {"Jos\xE9", "Jos\xE9"},
      {"\xC0\xA9", "\xC0\xA9"},          // overlong
      {"\xED\xA0\x80", "\xED\xA0\x80"},  // surrogate
      {"\xE2\x82", "\xE2\x82"},          // cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeWindows1252(c.Utf8), c.Bytes) << c.Utf8;
  }
  // Every character of the code page goes back to its own byte.
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    if (DecodeWindows1252(one) != "\uFFFD") {
      EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(one)), one) << byte;
    }
  }
}

}  // namespace
}  // namespace kavu32::kavu
