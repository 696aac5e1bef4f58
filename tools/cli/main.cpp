// varkon-cli: the client's own routines from a terminal, for operators and tests.
#include <cstdio>
#include <cstring>

#include "terminal.h"
#include "verbs.h"

namespace {

const char kUsage[] =
    "usage: varkon-cli VERB ARGUMENTS\n"
    "  digest FILE...          MD5 of each file, as md5sum prints it\n"
    "  config FILE             a version file as the client reads it, download list fetched\n"
    "  json FILE [PATH]        every item as path, kind and value; or the value at PATH\n"
    "  query ADDR:PORT         a game server's information and players, over UDP\n"
    "  unescape TEXT           a reply's string value decoded as the client decodes it\n"
    "  http URL [--post BODY]  one request: status line, cookies, location, length, body\n"
    "  download URL FILE       the resumable download, with a progress line on stderr\n"
    "Arguments are taken in UTF-8 and printed values are UTF-8; inside a value \\\\, \\t, \\r\n"
    "and \\n stand for a backslash, TAB, CR and LF. Exit status: 0 success, 1 failure, 2 bad\n"
    "arguments.\n";

struct Verb {
  const char* name;
  int (*run)(const cli::Args&);
};

const Verb kVerbs[] = {
    {"digest", cli::Digest},
    {"config", cli::Config},
    {"json", cli::Json},
    {"query", cli::Query},
    {"unescape", cli::Unescape},
    {"http", cli::Http},
    {"download", cli::DownloadTo},
};

}  // namespace

int main(int argc, char** argv) {
  cli::Args args = cli::Arguments(argc, argv);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    std::fputs(kUsage, args.empty() ? stderr : stdout);
    return args.empty() ? cli::kUsage : cli::kOk;
  }
  for (const Verb& verb : kVerbs) {
    if (args[0] == verb.name) return verb.run(cli::Args(args.begin() + 1, args.end()));
  }
  std::fputs(kUsage, stderr);
  return cli::Complain(cli::kUsage, "unknown verb " + args[0]);
}
