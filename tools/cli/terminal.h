#pragma once
// The terminal side of varkon-cli: arguments come in UTF-8, values go out in UTF-8, and inside
// a printed value a backslash, TAB, CR and LF are written \\, \t, \r and \n.
#include <string>
#include <vector>

#include "base/text.h"

namespace cli {

// The command-line arguments after the program name, as GBK text.
std::vector<Text> Arguments(int argc, char** argv);

// A value escaped so that it stays on one line, converted to UTF-8.
std::string Shown(const Text& value);
// Writes a line of GBK text (converted to UTF-8) to standard output.
void PrintLine(const Text& line);
// Writes raw bytes to standard output.
void PrintRaw(const Bytes& bytes);
// A one-line message on standard error; answers `code` for the caller to return.
int Complain(int code, const std::string& message);

enum Exit { kOk = 0, kFailed = 1, kUsage = 2 };

}  // namespace cli
