#pragma once
// The program's command line.
#include <string>
#include <vector>

#include "dev_platform.h"

namespace devplatform {

struct ProgramOptions {
  Options platform;
  std::string readyFile;  // "PORT FALLBACKPORT\n" written here once both servers listen
  std::vector<std::string> gameServerFiles;  // stand-in game servers, see GameServerFileHelp()
  std::string gameReadyFile;  // one "PORT\n" per game server, in file order, once all answer
  bool help = false;
};

// False with a one-line `error` for a bad command line. `args` excludes the program name.
bool ParseCommandLine(const std::vector<std::string>& args, ProgramOptions* out, std::string* error);
std::string UsageText();

// "primary", "fallback" or "both".
bool ParseWhich(const std::string& word, Which* which);

// The repository's fixtures/platform: looked for above the executable's folder, then above
// the current folder, then where the source tree was at build time. Empty when none exists.
std::string FindFixtures();

}  // namespace devplatform
