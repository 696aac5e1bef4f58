// varkon-cli query and quakestat asking the same stand-in game server.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "cli_run.h"
#include "game_server.h"
#include "quakestat.h"

namespace {

std::map<std::string, std::string> Fields(const std::string& out) {
  std::map<std::string, std::string> fields;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    std::size_t colon = line.find(": ");
    if (colon != std::string::npos && line.find('\t') == std::string::npos) fields[line.substr(0, colon)] = line.substr(colon + 2);
  }
  return fields;
}

struct Player {
  int score;
  int seconds;
};

// "name<TAB>score<TAB>HH:MM:SS" lines.
std::map<std::string, Player> CliPlayers(const std::string& out) {
  std::map<std::string, Player> players;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    std::size_t a = line.find('\t'), b = line.rfind('\t');
    if (a == std::string::npos || a == b) continue;
    int h = 0, m = 0, s = 0;
    std::sscanf(line.c_str() + b + 1, "%d:%d:%d", &h, &m, &s);
    players[line.substr(0, a)] = {std::atoi(line.c_str() + a + 1), h * 3600 + m * 60 + s};
  }
  return players;
}

TEST(CliQuery, AgreesWithQuakestat) {
  if (!QuakestatInstalled()) GTEST_SKIP() << "quakestat is not installed";
  devplatform::GameServerOptions o;
  o.name = "Varkon public #2";
  o.map = "de_aztec";
  o.maxPlayers = 20;
  o.playerList = {{"alpha", false, 10, 61.4f}, {"beta", false, -2, 3599.2f}, {"gamma", false, 0, 7.9f}};
  devplatform::GameServer server(o);
  ASSERT_TRUE(server.Start()) << server.error();

  CliResult ours = RunCli({"query", "127.0.0.1:" + std::to_string(server.port())});
  ASSERT_EQ(ours.status, 0);
  auto theirs = RunQuakestat("a2s", server.port());
  ASSERT_GE(theirs.size(), 4u);
  // Server line of -raw: A2S|address|name|map|max|players|...; player lines: name|score|seconds.
  const auto& head = theirs[0];
  ASSERT_GE(head.size(), 6u);
  auto fields = Fields(ours.out);
  EXPECT_EQ(fields["name"], head[2]);
  EXPECT_EQ(fields["map"], head[3]);
  EXPECT_EQ(fields["maxPlayers"], head[4]);
  EXPECT_EQ(fields["players"], head[5]);

  auto players = CliPlayers(ours.out);
  ASSERT_EQ(players.size(), theirs.size() - 1);
  for (std::size_t i = 1; i < theirs.size(); ++i) {
    const auto& row = theirs[i];
    ASSERT_GE(row.size(), 3u);
    ASSERT_TRUE(players.count(row[0])) << row[0];
    EXPECT_EQ(players[row[0]].score, std::atoi(row[1].c_str())) << row[0];
    // quakestat truncates the time, the client rounds it: within a second.
    EXPECT_LE(std::abs(players[row[0]].seconds - std::atoi(row[2].c_str())), 1) << row[0];
  }
}

TEST(CliQuery, SilentServerFailsAfterTwoSeconds) {
  devplatform::GameServerOptions o;
  o.silent = true;
  devplatform::GameServer server(o);
  ASSERT_TRUE(server.Start()) << server.error();
  EXPECT_EQ(RunCli({"query", "127.0.0.1:" + std::to_string(server.port())}).status, 1);
  EXPECT_EQ(RunCli({"query", "127.0.0.1"}).status, 2);
}

}  // namespace
