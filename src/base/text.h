#pragma once
// The two value types every subsystem passes around.
#include <cstdint>
#include <string>
#include <vector>

// Text in code page 936 (GBK). All searches, splits and lengths work on these bytes.
using Text = std::string;
// A counted byte array, as received or as sent.
using Bytes = std::vector<std::uint8_t>;

// Received bytes taken as text: the text ends at the first zero byte.
inline Text TextFromBytes(const Bytes& bytes) {
  Text text;
  for (std::uint8_t b : bytes) {
    if (b == 0) break;
    text.push_back(static_cast<char>(b));
  }
  return text;
}

inline Bytes BytesFromText(const Text& text) { return Bytes(text.begin(), text.end()); }

// Every occurrence of `from` replaced in one left-to-right pass.
Text ReplaceAll(const Text& text, const Text& from, const Text& to);
// Lower-cases ASCII letters only; GBK double bytes are left alone.
Text AsciiLower(const Text& text);
bool Contains(const Text& text, const Text& part);
bool StartsWith(const Text& text, const Text& prefix);
