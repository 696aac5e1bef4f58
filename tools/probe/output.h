// Writing the probe's records: UTF-8 bytes, one record a line.
#pragma once

#include <string>

namespace probe {

std::string to_utf8(const std::wstring& text);

// A text inside a record, with backslash, TAB, CR and LF escaped so it stays on one line.
std::wstring escaped(const std::wstring& text);

void out_line(const std::wstring& line);
void err_line(const std::wstring& line);

}  // namespace probe
