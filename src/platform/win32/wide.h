#pragma once
// GBK text to and from the wide strings the W functions take.
#include <string>

#include "base/text.h"

namespace platform::win32 {

std::wstring Wide(const Text& text);
Text Narrow(const wchar_t* text, std::size_t length);
inline Text Narrow(const std::wstring& text) { return Narrow(text.data(), text.size()); }

}  // namespace platform::win32
