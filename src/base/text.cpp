#include "base/text.h"

Text ReplaceAll(const Text& text, const Text& from, const Text& to) {
  if (from.empty()) return text;
  Text out;
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = text.find(from, pos);
    if (hit == Text::npos) break;
    out.append(text, pos, hit - pos);
    out += to;
    pos = hit + from.size();
  }
  out.append(text, pos, Text::npos);
  return out;
}

Text AsciiLower(const Text& text) {
  Text out = text;
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c >= 0x81 && i + 1 < out.size()) {  // lead byte of a double-byte character: skip the pair
      ++i;
      continue;
    }
    if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool Contains(const Text& text, const Text& part) { return text.find(part) != Text::npos; }

bool StartsWith(const Text& text, const Text& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}
