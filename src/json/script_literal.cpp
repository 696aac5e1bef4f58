#include "json/script_literal.h"

namespace json {
namespace {

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The value of `count` hex digits at `at`, or -1 when there are not that many.
long HexRun(const std::u16string& text, std::size_t at, std::size_t count) {
  if (at > text.size() || text.size() - at < count) return -1;
  long value = 0;
  for (std::size_t j = 0; j < count; ++j) {
    int digit = HexValue(text[at + j]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

bool IsLineTerminator(char16_t c) { return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029'; }
bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

bool ResolveSingleQuotedLiteral(const std::u16string& body, std::u16string& out) {
  out.clear();
  out.reserve(body.size());
  const std::size_t n = body.size();
  for (std::size_t i = 0; i < n; ++i) {
    char16_t c = body[i];
    if (c == u'\'' || IsLineTerminator(c)) return false;
    if (c != u'\\') {
      out.push_back(c);
      continue;
    }
    if (++i == n) return false;  // it would escape the closing apostrophe
    c = body[i];
    switch (c) {
      case u'b': out.push_back(u'\b'); break;
      case u'f': out.push_back(u'\f'); break;
      case u'n': out.push_back(u'\n'); break;
      case u'r': out.push_back(u'\r'); break;
      case u't': out.push_back(u'\t'); break;
      case u'v': out.push_back(u'\v'); break;
      case u'x': {
        long value = HexRun(body, i + 1, 2);
        if (value < 0) return false;
        out.push_back(static_cast<char16_t>(value));
        i += 2;
        break;
      }
      case u'u': {
        long value = HexRun(body, i + 1, 4);
        if (value < 0) return false;
        out.push_back(static_cast<char16_t>(value));
        i += 4;
        break;
      }
      default:
        // Octal escapes are no part of the language itself: only a \0 standing alone is.
        if (c == u'0' && (i + 1 == n || !IsDecimalDigit(body[i + 1]))) {
          out.push_back(u'\0');
        } else if (IsDecimalDigit(c) || IsLineTerminator(c)) {
          return false;
        } else {
          out.push_back(c);  // ' " \ and every character without a meaning stand for themselves
        }
    }
  }
  return true;
}

std::u16string ScriptUnescape(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    char16_t c = text[k];
    if (c == u'%') {
      if (k + 1 < text.size() && text[k + 1] == u'u') {
        long unit = HexRun(text, k + 2, 4);
        if (unit >= 0) {
          out.push_back(static_cast<char16_t>(unit));
          k += 5;
          continue;
        }
      }
      long unit = HexRun(text, k + 1, 2);
      if (unit >= 0) {
        out.push_back(static_cast<char16_t>(unit));
        k += 2;
        continue;
      }
    }
    out.push_back(c);
  }
  return out;
}

}  // namespace json
