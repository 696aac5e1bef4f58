#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

#include "platform/encoding.h"
#include "terminal.h"

namespace cli {

// The narrow argv is in the ANSI code page, which cannot carry every character: take the wide
// command line. Output is UTF-8 bytes, so the standard streams must not translate line ends.
std::vector<Text> Arguments(int, char**) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<Text> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide && i < count; ++i) {
    const wchar_t* w = wide[i];
    args.push_back(platform::WideToAnsi(std::u16string(reinterpret_cast<const char16_t*>(w),
                                                       reinterpret_cast<const char16_t*>(w) + wcslen(w))));
  }
  if (wide) LocalFree(wide);
  return args;
}

}  // namespace cli
