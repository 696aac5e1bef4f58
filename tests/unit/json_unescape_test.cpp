#include <gtest/gtest.h>

#include "json/unescape_text.h"

namespace {

TEST(UnescapeText, DecodesLikeTheScriptStatement) {
  struct Case {
    const char* what;
    Text value;
    Text expected;
  } cases[] = {
      {"unicode escapes", R"(\u0041\u4e2d)", "A中"},
      {"unicode escapes give GBK bytes", R"(\u4e2d)", "\xD6\xD0"},
      {"upper-case hex digits", R"(\u4E2D)", "中"},
      {"percent escape", "100%25", "100%"},
      {"percent-u escape", "%u4e2d%41", "中A"},
      {"other percent signs stay", "%,%4,%u12,%G1,%u12G4,%", "%,%4,%u12,%G1,%u12G4,%"},
      {"apostrophe survives", "it's 'x'", "it's 'x'"},
      {"escaped apostrophe", R"(it\'s)", "it's"},
      {"right single quotation mark becomes an apostrophe", "a’b", "a'b"},
      {"escaped right single quotation mark", R"(\u2019)", "'"},
      {"CR LF comes through", "a\r\nb\r\n", "a\r\nb\r\n"},
      {"line-break mark becomes CR LF", "a{$}b", "a\r\nb"},
      {"one leading CR is dropped", "\rab", "ab"},
      {"leading CR before CR LF", "\r\r\nab", "\r\nab"},
      {"single escapes", R"(\n\t\r\b\f\v)", "\n\t\r\b\f\v"},
      {"backslash-v is a vertical tab", R"(a\vb)", "a\x0B" "b"},
      {"quotes and backslashes", R"(\"\\\/)", "\"\\/"},
      {"backslash before an ordinary character", R"(\a\q\U0041\%41)", "aqU0041A"},
      {"escaped backslash still lets u become %u", R"(\\u0041)", "A"},
      {"hex escape", R"(\x41\x4a\x4A)", "AJJ"},
      {"hex escape then percent escape", R"(\x2541)", "A"},
      {"escape that spells the line-break mark", R"(\x7B$})", "\r\n"},
      {"backslash-0 alone is a NUL that ends the text", R"(ab\0cd)", "ab"},
      {"percent NUL ends the text too", "ab%00cd", "ab"},
      {"NUL in the value ends it", Text("ab\0\\x", 5), "ab"},
      {"character outside GBK", R"(\u0e01)", "?"},
      {"lone surrogate", "%uD800", "?"},
      {"GBK text unchanged", "中文，全角“引号”", "中文，全角“引号”"},
      // Its second byte is a backslash, but it is no backslash character.
      {"trail byte equal to a backslash", "乗u乗", "乗u乗"},
      {"trail byte equal to a backslash at the end", "x乗", "x乗"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(UnescapeText(c.value), c.expected) << c.what;
}

TEST(UnescapeText, ValuesNoScriptStringCanHoldGiveEmptyText) {
  struct Case {
    const char* what;
    Text value;
  } cases[] = {
      {"odd backslash at the end", R"(abc\)"},
      {"three backslashes at the end", R"(abc\\\)"},
      {"line feed", "a\nb"},
      {"carriage return inside", "a\rb"},
      {"second leading CR", "\r\rab"},
      {"backslash before a line feed", "a\\\nb"},
      {"hex escape without digits", R"(\xZZ)"},
      {"hex escape with one digit", R"(\x4)"},
      {"hex escape at the end", R"(ab\x)"},
      {"backslash-0 before a digit", R"(\01)"},
      {"backslash before 1 to 9", R"(\1)"},
      {"backslash before 9", R"(a\9)"},
  };
  for (const Case& c : cases) EXPECT_EQ(UnescapeText(c.value), "") << c.what;

  // An even run of backslashes at the end is fine, and a backslash before CR LF escapes "{".
  EXPECT_EQ(UnescapeText(R"(abc\\)"), "abc\\");
  EXPECT_EQ(UnescapeText("a\\\r\nb"), "a\r\nb");
}

}  // namespace
