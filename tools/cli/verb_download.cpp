// download URL FILE: the client's resumable download routine, with a progress line.
#include <cstdio>

#include "net/download.h"
#include "platform/encoding.h"
#include "terminal.h"
#include "verbs.h"

namespace cli {

int DownloadTo(const Args& args) {
  if (args.size() != 2) return Complain(kUsage, "download takes URL and FILE");
  std::int32_t last = 0;
  auto progress = [&](std::int32_t size, std::int32_t done, std::int32_t elapsed, std::int32_t) {
    last = done;
    std::fprintf(stderr, "\r%d of %d bytes, %d ms", done, size, elapsed);
  };
  std::int32_t result = Download(args[0], args[1], progress);
  if (last > 0) std::fputc('\n', stderr);
  if (result != 0) return Complain(kFailed, "download of " + platform::AnsiToUtf8(args[0]) + " failed");
  std::printf("%d bytes written to %s\n", last, Shown(args[1]).c_str());
  return kOk;
}

}  // namespace cli
