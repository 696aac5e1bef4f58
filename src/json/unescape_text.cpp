#include "json/unescape_text.h"

#include <algorithm>
#include <string>

#include "json/script_literal.h"
#include "platform/encoding.h"

namespace {

std::u16string ReplaceUnits(const std::u16string& text, const std::u16string& from, const std::u16string& to) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = text.find(from, pos);
    if (hit == std::u16string::npos) break;
    out.append(text, pos, hit - pos);
    out += to;
    pos = hit + from.size();
  }
  out.append(text, pos, std::u16string::npos);
  return out;
}

// U+2019, the right single quotation mark: apostrophes hide behind it while the value is read
// as a single-quoted string, and every one, hidden or written, comes back as an apostrophe.
const std::u16string kHiddenApostrophe(1, u'\u2019');
const std::u16string kLineBreakMark = u"{$}";

}  // namespace

// The replacements work on characters, not bytes, so a GBK trail byte that happens to equal a
// backslash or a brace is never taken for one.
Text UnescapeText(const Text& value) {
  std::u16string text = platform::AnsiToWide(value.substr(0, value.find('\0')));
  text = ReplaceUnits(text, u"\r\n", kLineBreakMark);
  if (!text.empty() && text[0] == u'\r') text.erase(0, 1);
  text = ReplaceUnits(text, u"\\u", u"%u");
  text = ReplaceUnits(text, u"'", kHiddenApostrophe);

  std::u16string resolved;
  if (!json::ResolveSingleQuotedLiteral(text, resolved)) return Text();
  std::u16string result = json::ScriptUnescape(resolved);
  result.erase(std::min(result.find(u'\0'), result.size()));

  result = ReplaceUnits(result, kHiddenApostrophe, u"'");
  result = ReplaceUnits(result, kLineBreakMark, u"\r\n");
  return platform::WideToAnsi(result);
}
