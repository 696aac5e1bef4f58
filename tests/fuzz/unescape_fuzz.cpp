// Any bytes as a string value to decode.
#include <cstddef>
#include <cstdint>

#include "json/unescape_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Text value(reinterpret_cast<const char*>(data), size);
  Text text = UnescapeText(value);
  // A decoded NUL ends the text.
  if (text.find('\0') != Text::npos) __builtin_trap();
  return 0;
}
