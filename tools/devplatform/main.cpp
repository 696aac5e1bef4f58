// devplatform: the stand-in platform as a program, for runs of the real client.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "account_options.h"
#include "dev_platform.h"
#include "game_server.h"
#include "options.h"
#include "user_table.h"

namespace {

bool WriteReadyFile(const std::string& path, int port, int fallbackPort) {
  // Written whole under another name and renamed, so a waiting script never reads half of it.
  std::string partial = path + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return false;
  bool good = std::fprintf(file, "%d %d\n", port, fallbackPort) > 0;
  good = std::fclose(file) == 0 && good;
  return good && std::rename(partial.c_str(), path.c_str()) == 0;
}

bool WriteGameReadyFile(const std::string& path, const std::vector<std::unique_ptr<devplatform::GameServer>>& servers) {
  std::string partial = path + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return false;
  bool good = true;
  for (const auto& server : servers) good = std::fprintf(file, "%d\n", server->port()) > 0 && good;
  good = std::fclose(file) == 0 && good;
  return good && std::rename(partial.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace devplatform;
  std::vector<std::string> args(argv + 1, argv + argc);
  ProgramOptions options;
  std::string error;
  if (!TakeAccountOptions(&args, &options.platform, &error) || !ParseCommandLine(args, &options, &error)) {
    std::fprintf(stderr, "devplatform: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::string fixtures = options.platform.fixtures.empty() ? FindFixtures() : options.platform.fixtures;
    std::string usersFile = fixtures.empty() ? std::string() : UsersFileOf(fixtures);
    std::fputs((UsageText() + "\n" + AccountOptionsHelp(usersFile)).c_str(), stdout);
    return 0;
  }
  if (options.platform.fixtures.empty()) {
    options.platform.fixtures = FindFixtures();
    if (options.platform.fixtures.empty()) {
      std::fprintf(stderr, "devplatform: no fixtures/platform found; give --fixtures DIR\n");
      return 2;
    }
  }

  // Checked here so a mistyped path counts as a bad argument rather than a failure to serve.
  if (!options.platform.exe.empty() && access(options.platform.exe.c_str(), R_OK) != 0) {
    std::fprintf(stderr, "devplatform: --exe: cannot read %s\n", options.platform.exe.c_str());
    return 2;
  }
  struct stat folder;
  if (stat(options.platform.fixtures.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
    std::fprintf(stderr, "devplatform: --fixtures: no folder at %s\n", options.platform.fixtures.c_str());
    return 2;
  }

  std::vector<GameServerOptions> gameServers;
  for (const std::string& path : options.gameServerFiles) {
    std::vector<GameServerOptions> fromFile;
    if (!LoadGameServerFile(path, &fromFile, &error)) {
      std::fprintf(stderr, "devplatform: --game-server: %s\n", error.c_str());
      return 2;
    }
    gameServers.insert(gameServers.end(), fromFile.begin(), fromFile.end());
  }

  // Blocked before the server threads exist, so only the sigwait below receives them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  DevPlatform platform(options.platform);
  if (!platform.Start()) {
    std::fprintf(stderr, "devplatform: %s\n", platform.error().c_str());
    return 1;
  }
  std::printf("devplatform: serving %s at %s (configuration server%s) and %s (forum site%s)\n",
              options.platform.fixtures.c_str(), platform.baseUrl().c_str(),
              Covers(options.platform.down, true) ? ", down" : "", platform.fallbackUrl().c_str(),
              Covers(options.platform.down, false) ? ", down" : "");
  std::fflush(stdout);
  if (!options.readyFile.empty() && !WriteReadyFile(options.readyFile, platform.port(), platform.fallbackPort())) {
    std::fprintf(stderr, "devplatform: cannot write %s\n", options.readyFile.c_str());
    return 1;
  }

  std::vector<std::unique_ptr<GameServer>> games;
  for (const GameServerOptions& game : gameServers) {
    games.push_back(std::make_unique<GameServer>(game));
    if (!games.back()->Start()) {
      std::fprintf(stderr, "devplatform: %s\n", games.back()->error().c_str());
      return 1;
    }
    std::printf("devplatform: game server \"%s\" on udp %s:%d\n", game.name.c_str(), game.host.c_str(),
                games.back()->port());
  }
  std::fflush(stdout);
  if (!options.gameReadyFile.empty() && !WriteGameReadyFile(options.gameReadyFile, games)) {
    std::fprintf(stderr, "devplatform: cannot write %s\n", options.gameReadyFile.c_str());
    return 1;
  }

  int received = 0;
  sigwait(&stopSignals, &received);
  games.clear();
  platform.Stop();
  return 0;
}
