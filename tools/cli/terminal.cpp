#include "terminal.h"

#include <cstdio>

#include "platform/encoding.h"

namespace cli {

std::string Shown(const Text& value) {
  Text escaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(value[i]);
    if (c >= 0x81 && i + 1 < value.size()) {
      escaped += value.substr(i, 2);  // a double-byte character; its trail byte may be 0x5C
      ++i;
      continue;
    }
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      case '\n': escaped += "\\n"; break;
      default: escaped.push_back(static_cast<char>(c));
    }
  }
  return platform::AnsiToUtf8(escaped);
}

void PrintLine(const Text& line) {
  std::string utf8 = platform::AnsiToUtf8(line);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
}

void PrintRaw(const Bytes& bytes) {
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int Complain(int code, const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "varkon-cli: %s\n", message.c_str());
  return code;
}

}  // namespace cli
