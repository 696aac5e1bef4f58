#include <windows.h>

#include <climits>

#include "platform/encoding.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

constexpr UINT kGbk = 936;

// wchar_t is 16 bits on Windows, so UTF-16 code units go across unchanged.
std::wstring Widen(const std::string& bytes, UINT codePage) {
  if (bytes.empty() || bytes.size() > INT_MAX) return std::wstring();
  int length = static_cast<int>(bytes.size());
  int needed = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return std::wstring();
  std::wstring out(static_cast<std::size_t>(needed), L'\0');
  int written = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, &out[0], needed);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

std::string Shrink(const wchar_t* text, std::size_t size, UINT codePage) {
  if (size == 0 || size > INT_MAX) return std::string();
  int length = static_cast<int>(size);
  // No best fit: a character GBK lacks becomes '?', never a look-alike letter.
  DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
  int needed = ::WideCharToMultiByte(codePage, flags, text, length, nullptr, 0, fallback, nullptr);
  if (needed <= 0) return std::string();
  std::string out(static_cast<std::size_t>(needed), '\0');
  int written = ::WideCharToMultiByte(codePage, flags, text, length, &out[0], needed, fallback, nullptr);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

std::u16string ToU16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring FromU16(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

namespace win32 {

std::wstring Wide(const Text& text) { return Widen(text, kGbk); }
Text Narrow(const wchar_t* text, std::size_t length) { return Shrink(text, length, kGbk); }

}  // namespace win32

std::u16string AnsiToWide(const Text& text) { return ToU16(Widen(text, kGbk)); }

Text WideToAnsi(const std::u16string& text) {
  std::wstring wide = FromU16(text);
  return Shrink(wide.data(), wide.size(), kGbk);
}

std::u16string Utf8ToWide(const std::string& utf8) { return ToU16(Widen(utf8, CP_UTF8)); }

std::string WideToUtf8(const std::u16string& text) {
  std::wstring wide = FromU16(text);
  return Shrink(wide.data(), wide.size(), CP_UTF8);
}

Text Utf8ToAnsiText(const std::string& utf8) {
  std::wstring wide = Widen(utf8, CP_UTF8);
  return Shrink(wide.data(), wide.size(), kGbk);
}

std::string AnsiToUtf8(const Text& text) {
  std::wstring wide = Widen(text, kGbk);
  return Shrink(wide.data(), wide.size(), CP_UTF8);
}

}  // namespace platform
