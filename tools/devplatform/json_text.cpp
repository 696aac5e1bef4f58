#include "json_text.h"

#include <cstdio>

namespace devplatform {

namespace {

void AppendUnit(std::string* out, unsigned unit) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04x", unit);
  *out += text;
}

// The code point starting at `i` (moving `i` past it), or U+FFFD for a bad sequence.
unsigned NextCodePoint(const std::string& s, std::size_t* i) {
  unsigned char lead = static_cast<unsigned char>(s[*i]);
  int length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
  if (lead >= 0xF5) length = 0;
  if (length == 0 || *i + length > s.size()) {
    ++*i;
    return 0xFFFD;
  }
  unsigned code = lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(s[*i + k]);
    if ((next & 0xC0) != 0x80) {
      ++*i;
      return 0xFFFD;
    }
    code = (code << 6) | (next & 0x3F);
  }
  static const unsigned kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
    ++*i;
    return 0xFFFD;
  }
  *i += length;
  return code;
}

}  // namespace

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  std::size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      ++i;
      if (c == '"' || c == '\\') {
        out.push_back('\\');
        out.push_back(static_cast<char>(c));
      } else if (c == '\n') {
        out += "\\n";
      } else if (c == '\r') {
        out += "\\r";
      } else if (c == '\t') {
        out += "\\t";
      } else if (c < 0x20 || c == 0x7F) {
        AppendUnit(&out, c);
      } else {
        out.push_back(static_cast<char>(c));
      }
      continue;
    }
    unsigned code = NextCodePoint(utf8, &i);
    if (code >= 0x10000) {
      code -= 0x10000;
      AppendUnit(&out, 0xD800 + (code >> 10));
      AppendUnit(&out, 0xDC00 + (code & 0x3FF));
    } else {
      AppendUnit(&out, code);
    }
  }
  out.push_back('"');
  return out;
}

std::string JsonObject(const std::vector<JsonMember>& members) {
  std::string out = "{";
  for (const JsonMember& member : members) {
    if (out.size() > 1) out.push_back(',');
    out += JsonString(member.name) + ":" + (member.number ? member.value : JsonString(member.value));
  }
  out.push_back('}');
  return out;
}

bool IsJsonInteger(const std::string& text) {
  std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  if (start >= text.size() || text.size() - start > 15) return false;
  if (text[start] == '0' && text.size() - start > 1) return false;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

}  // namespace devplatform
