// digest FILE...: one "digest  name" line per file, as md5sum prints them.
#include "net/file_digest.h"
#include "platform/encoding.h"
#include "terminal.h"
#include "verbs.h"

namespace cli {

int Digest(const Args& args) {
  if (args.empty()) return Complain(kUsage, "digest needs at least one FILE");
  int status = kOk;
  for (const Text& path : args) {
    Text digest = FileDigestOfFile(path);
    if (digest.empty()) {
      status = Complain(kFailed, "cannot read " + platform::AnsiToUtf8(path));
      continue;
    }
    PrintLine(digest + "  " + path);
  }
  return status;
}

}  // namespace cli
