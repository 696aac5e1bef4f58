// The stand-in game server seen by a third-party client: Debian's quakestat (qstat), when it
// is installed. -a2s asks with "TSource Engine Query" and the challenge exchange; -hls with
// "details" and "players".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

#include "game_server.h"
#include "quakestat.h"

namespace {

using devplatform::GameServer;
using devplatform::GameServerOptions;

GameServerOptions Sample() {
  GameServerOptions o;
  o.name = u8"Varkon 在线CS #1";  // UTF-8 on the wire; quakestat -utf8 shows it as it is
  o.map = "de_inferno";
  o.maxPlayers = 24;
  o.playerList = {{"[VK]Sniper", false, 25, 754.3f}, {"Newbie", false, -3, 61.0f}, {"Camper", false, 40, 3599.0f}};
  return o;
}

class Quakestat : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (!QuakestatInstalled()) GTEST_SKIP() << "quakestat is not installed";
  }
};

TEST_P(Quakestat, SeesTheNameMapCountsAndPlayers) {
  GameServer server(Sample());
  ASSERT_TRUE(server.Start()) << server.error();
  auto lines = RunQuakestat(GetParam(), server.port());
  ASSERT_GE(lines.size(), 1u);
  // TYPE|ADDRESS|NAME|MAP|MAX|PLAYERS|PING|RETRIES
  const auto& head = lines[0];
  ASSERT_GE(head.size(), 6u) << head[0];
  EXPECT_EQ("127.0.0.1:" + std::to_string(server.port()), head[1]);
  EXPECT_EQ(u8"Varkon 在线CS #1", head[2]);
  EXPECT_EQ("de_inferno", head[3]);
  EXPECT_EQ("24", head[4]);
  EXPECT_EQ("3", head[5]);
  if (std::string(GetParam()) == "hls") return;  // its old-protocol mode shows no player lines
  // NAME|SCORE|SECONDS, newest first.
  std::multiset<std::string> players;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    ASSERT_GE(lines[i].size(), 2u);
    players.insert(lines[i][0] + "|" + lines[i][1]);
  }
  EXPECT_EQ((std::multiset<std::string>{"[VK]Sniper|25", "Newbie|-3", "Camper|40"}), players);
  // It came by the challenge: 'U' FF FF FF FF, then 'U' with the challenge.
  bool challenged = false;
  for (const auto& query : server.queries()) {
    challenged |= query.datagram == Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x55, 0x12, 0x34, 0x56, 0x78};
  }
  EXPECT_TRUE(challenged);
}

INSTANTIATE_TEST_SUITE_P(GameServer, Quakestat, ::testing::Values("a2s", "hla2s", "hls"));

}  // namespace
