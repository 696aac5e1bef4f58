#include "output.h"

#include <windows.h>

namespace probe {

std::string to_utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], n,
                      nullptr, nullptr);
  return bytes;
}

std::wstring escaped(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'\\': out += L"\\\\"; break;
      case L'\t': out += L"\\t"; break;
      case L'\r': out += L"\\r"; break;
      case L'\n': out += L"\\n"; break;
      default: out += c;
    }
  }
  return out;
}

static void write_line(DWORD which, const std::wstring& line) {
  // Raw bytes, never the console code page: the reader is a script expecting UTF-8.
  std::string bytes = to_utf8(line);
  bytes += '\n';
  HANDLE h = GetStdHandle(which);
  DWORD done = 0;
  if (h && h != INVALID_HANDLE_VALUE)
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

void out_line(const std::wstring& line) { write_line(STD_OUTPUT_HANDLE, line); }
void err_line(const std::wstring& line) { write_line(STD_ERROR_HANDLE, line); }

}  // namespace probe
