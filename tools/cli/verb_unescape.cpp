// unescape TEXT: a string value of a reply decoded as the client decodes it.
#include <cstdio>

#include "json/unescape_text.h"
#include "terminal.h"
#include "verbs.h"

namespace cli {

int Unescape(const Args& args) {
  if (args.size() != 1) return Complain(kUsage, "unescape takes one TEXT");
  std::printf("%s\n", Shown(UnescapeText(args[0])).c_str());
  return kOk;
}

}  // namespace cli
