#pragma once
// Conversions between GBK text (code page 936) and UTF-16 / UTF-8 at the system's edges.
#include <string>

#include "base/text.h"

namespace platform {

// GBK to UTF-16. Bytes that are no valid GBK become U+003F.
std::u16string AnsiToWide(const Text& text);
// UTF-16 to GBK. A character without a GBK form becomes '?', the system's default character.
Text WideToAnsi(const std::u16string& text);

// The same through UTF-8, for terminals, logs and files written in UTF-8.
Text Utf8ToAnsiText(const std::string& utf8);
std::string AnsiToUtf8(const Text& text);

std::u16string Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::u16string& text);

}  // namespace platform
