#pragma once
// Server-supplied and web-supplied UTF-8 turned into the client's GBK text.
#include <algorithm>
#include <string>

#include "base/text.h"
#include "platform/encoding.h"

// Inline, so the base library itself keeps no reference to the platform library above it.
// The text ends at the first zero byte; everything before it is converted, however long.
// Invalid UTF-8 and characters GBK lacks come out as the platform conversion's replacement.
inline Text Utf8ToAnsi(const std::uint8_t* data, std::size_t size) {
  const std::uint8_t* end = std::find(data, data + size, std::uint8_t{0});
  return platform::Utf8ToAnsiText(std::string(data, end));
}

inline Text Utf8ToAnsi(const Bytes& utf8) { return Utf8ToAnsi(utf8.data(), utf8.size()); }

inline Text Utf8ToAnsi(const std::string& utf8) {
  return Utf8ToAnsi(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size());
}
