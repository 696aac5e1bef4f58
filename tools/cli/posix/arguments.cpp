#include "platform/encoding.h"
#include "terminal.h"

namespace cli {

std::vector<Text> Arguments(int argc, char** argv) {
  std::vector<Text> args;
  for (int i = 1; i < argc; ++i) args.push_back(platform::Utf8ToAnsiText(argv[i]));
  return args;
}

}  // namespace cli
