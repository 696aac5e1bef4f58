// The reply parsers against the stand-in game servers over real loopback UDP, through the
// client's own endpoint.
#include <gtest/gtest.h>

#include "browser/query_packets.h"
#include "browser/query_replies.h"
#include "browser/udp_endpoint.h"
#include "game_server.h"
#include "options.h"

namespace {

using devplatform::GamePlayer;
using devplatform::GameServer;
using devplatform::GameServerOptions;

GameServerOptions Sample() {
  GameServerOptions o;
  o.name = u8"Varkon 在线CS #1";
  o.map = "de_inferno";
  o.maxPlayers = 24;
  o.serverType = 'd';
  o.environment = 'w';
  o.playerList = {{u8"玩家一", false, 25, 754.3f},
                  {"[VK]Sniper", false, -3, 3599.96f},
                  {u8"老玩家", true, 7, 3599.94f}};
  return o;
}

struct Reply {
  bool ok = false;
  int received = 0;
  Bytes data;
  Text address;
  int port = 0;
};

struct Client {
  Client() { EXPECT_TRUE(endpoint.Open(0)); }
  Reply Ask(const GameServer& server, const Bytes& query, int bufferSize = 0, int timeout = 5000) {
    EXPECT_TRUE(endpoint.Send(query, "127.0.0.1", server.port()));
    return Next(bufferSize, timeout);
  }
  Reply Next(int bufferSize = 0, int timeout = 5000) {
    Reply r;
    int length = 0;
    r.ok = endpoint.Receive(r.received, r.data, length, bufferSize, r.address, r.port, timeout);
    return r;
  }
  UdpEndpoint endpoint;
};

struct Started {
  explicit Started(GameServerOptions options) : server(std::move(options)) {
    EXPECT_TRUE(server.Start()) << server.error();
  }
  GameServer server;
};

Bytes Append(Bytes bytes, std::initializer_list<std::uint8_t> more) {
  bytes.insert(bytes.end(), more);
  return bytes;
}

TEST(QueryGameServer, EveryFormOfTheInformationQueryGetsTheOldReply) {
  Started s(Sample());
  Client client;
  for (const Bytes& query : {query_packets::Details(), Append(query_packets::Details(), {0}),
                             Append(query_packets::Details(), {'\n'}), query_packets::Info()}) {
    Reply reply = client.Ask(s.server, query);
    ASSERT_TRUE(reply.ok && reply.received == 1);
    EXPECT_EQ(s.server.port(), reply.port);
    ASSERT_TRUE(IsInfoReply(reply.data));
    ServerInfo info = ParseInfoReply(reply.data);
    EXPECT_EQ("127.0.0.1:" + std::to_string(s.server.port()), info.address);
    EXPECT_EQ("Varkon 在线CS #1", info.name);
    EXPECT_EQ("de_inferno", info.map);
    EXPECT_EQ("Counter-Strike", info.game);
    EXPECT_EQ("cstrike", info.folder);
    EXPECT_EQ(3, info.players);
    EXPECT_EQ(24, info.maxPlayers);
    EXPECT_EQ(47, info.protocol);
    EXPECT_EQ("dedicated", info.serverType);
    EXPECT_EQ("Windows", info.environment);
    EXPECT_FALSE(info.passworded);
  }
}

void ExpectSamplePlayers(const PlayerRows& rows) {
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ("玩家一", rows[0].name);
  EXPECT_EQ(25, rows[0].score);
  EXPECT_EQ("00:12:34", rows[0].time);
  EXPECT_EQ("[VK]Sniper", rows[1].name);
  EXPECT_EQ(-3, rows[1].score);
  EXPECT_EQ("01:00:00", rows[1].time);
  // A GBK name is no UTF-8: it arrives, but not as itself.
  EXPECT_FALSE(rows[2].name.empty());
  EXPECT_NE("老玩家", rows[2].name);
  EXPECT_EQ(7, rows[2].score);
  EXPECT_EQ("00:59:59", rows[2].time);
}

TEST(QueryGameServer, ChallengeExchangeThenPlayerList) {
  Started s(Sample());
  Client client;
  Reply challenge = client.Ask(s.server, query_packets::PlayerChallenge());
  ASSERT_TRUE(challenge.ok && challenge.received == 1);
  ASSERT_TRUE(IsChallengeReply(challenge.data));
  Bytes request = BuildPlayerRequest(challenge.data);
  EXPECT_EQ((Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x55, 0x12, 0x34, 0x56, 0x78}), request);
  Reply players = client.Ask(s.server, request);
  ASSERT_TRUE(players.ok && players.received == 1);
  ASSERT_TRUE(IsPlayerReply(players.data));
  ExpectSamplePlayers(ParsePlayerReply(players.data));

  // A wrong challenge is met with the right one again.
  Reply again = client.Ask(s.server, {0xFF, 0xFF, 0xFF, 0xFF, 0x55, 1, 2, 3, 4});
  EXPECT_EQ(challenge.data, again.data);
}

TEST(QueryGameServer, OldPlayersQueryAndDirectAnswersNeedNoChallenge) {
  GameServerOptions direct = Sample();
  direct.playersNeedChallenge = false;
  Started s(direct);
  Client client;
  for (const Bytes& query : {query_packets::Players(), query_packets::PlayerChallenge()}) {
    Reply reply = client.Ask(s.server, query);
    ASSERT_TRUE(reply.ok && reply.received == 1);
    ASSERT_TRUE(IsPlayerReply(reply.data));
    ExpectSamplePlayers(ParsePlayerReply(reply.data));
  }
}

TEST(QueryGameServer, TruncatedRepliesParseToZerosAndEmptyRows) {
  GameServerOptions o = Sample();
  o.truncated = true;
  Started s(o);
  Client client;
  ServerInfo info = ParseInfoReply(client.Ask(s.server, query_packets::Details()).data);
  EXPECT_EQ("Varkon 在线CS #1", info.name);
  EXPECT_EQ("Counter-Strike", info.game);
  EXPECT_EQ(0, info.players);
  EXPECT_EQ(0, info.maxPlayers);
  EXPECT_EQ("", info.serverType);
  EXPECT_EQ("", info.environment);
  PlayerRows rows = ParsePlayerReply(client.Ask(s.server, query_packets::Players()).data);
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ("玩家一", rows[0].name);
  for (int i : {1, 2}) {
    EXPECT_EQ("", rows[i].name);
    EXPECT_EQ(0, rows[i].score);
    EXPECT_EQ("00:00:00", rows[i].time);
  }
}

TEST(QueryGameServer, OversizedReplyOverflowsTheDefaultBufferButParsesWhenItFits) {
  GameServerOptions o = Sample();
  o.oversizeTo = 12000;
  Started s(o);
  Client client;
  Reply tooBig = client.Ask(s.server, query_packets::Details());
  EXPECT_FALSE(tooBig.ok);
  Reply fits = client.Ask(s.server, query_packets::Details(), 16384);
  ASSERT_TRUE(fits.ok && fits.received == 1);
  EXPECT_EQ(12000u, fits.data.size());
  EXPECT_EQ("de_inferno", ParseInfoReply(fits.data).map);
  Reply players = client.Ask(s.server, query_packets::Players(), 16384);
  ExpectSamplePlayers(ParsePlayerReply(players.data));
}

TEST(QueryGameServer, AnswersFromAnotherPort) {
  GameServerOptions o = Sample();
  o.otherPort = true;
  Started s(o);
  Client client;
  Reply reply = client.Ask(s.server, query_packets::Details());
  ASSERT_TRUE(reply.ok && reply.received == 1);
  EXPECT_EQ("127.0.0.1", reply.address);
  EXPECT_NE(s.server.port(), reply.port);
  EXPECT_EQ(s.server.replyPort(), reply.port);
  EXPECT_TRUE(IsInfoReply(reply.data));
}

TEST(QueryGameServer, SilentAndLateServersLetOthersAnswerFirst) {
  GameServerOptions silentOptions = Sample(), lateOptions = Sample(), promptOptions = Sample();
  silentOptions.silent = true;
  lateOptions.lateMs = 300;
  lateOptions.name = "late";
  promptOptions.name = "prompt";
  Started silent(silentOptions), late(lateOptions), prompt(promptOptions);
  Client client;
  for (const GameServer* server : {&silent.server, &late.server, &prompt.server}) {
    ASSERT_TRUE(client.endpoint.Send(query_packets::Details(), "127.0.0.1", server->port()));
  }
  Reply first = client.Next(), second = client.Next();
  EXPECT_EQ(prompt.server.port(), first.port);
  EXPECT_EQ("prompt", ParseInfoReply(first.data).name);
  EXPECT_EQ(late.server.port(), second.port);
  EXPECT_EQ("late", ParseInfoReply(second.data).name);
  Reply none = client.Next(0, 500);
  EXPECT_TRUE(none.ok);
  EXPECT_EQ(0, none.received);
  // The silent one heard the query and kept quiet.
  EXPECT_EQ(1u, silent.server.queries().size());
}

TEST(QueryGameServer, UnknownQueriesAreRecordedAndIgnored) {
  Started s(Sample());
  Client client;
  Bytes rules{0xFF, 0xFF, 0xFF, 0xFF, 'V', 0xFF, 0xFF, 0xFF, 0xFF};
  Bytes detailsAndMore = Append(query_packets::Details(), {'x', 'y'});
  ASSERT_TRUE(client.endpoint.Send(rules, "127.0.0.1", s.server.port()));
  ASSERT_TRUE(client.endpoint.Send(detailsAndMore, "127.0.0.1", s.server.port()));
  // The query that follows is answered first: nothing came back for the two before it.
  Reply reply = client.Ask(s.server, query_packets::Players());
  EXPECT_TRUE(IsPlayerReply(reply.data));
  auto queries = s.server.queries();
  ASSERT_EQ(3u, queries.size());
  EXPECT_EQ(rules, queries[0].datagram);
  EXPECT_EQ(detailsAndMore, queries[1].datagram);
  EXPECT_EQ(client.endpoint.LocalPort(), queries[2].port);
}

TEST(QueryGameServer, DescriptionFile) {
  std::vector<GameServerOptions> servers;
  std::string error;
  ASSERT_TRUE(devplatform::ParseGameServerFile(
      "# two servers\n[server]\nport = 27020\nname = A, b\nmax=16\nos = w\npassword = 1\n"
      "player = 5 61.5 Some One\ngbk-player = -2 1 玩家\nchallenge = 0A0B0C0D\ndirect-players = yes\n"
      "\n[server]\r\nsilent = 1\r\nlate = 250\r\ntruncated = 1\r\noversize = 9000\r\nother-port = 1\r\n",
      &servers, &error))
      << error;
  ASSERT_EQ(2u, servers.size());
  const GameServerOptions& a = servers[0];
  EXPECT_EQ(27020, a.port);
  EXPECT_EQ("A, b", a.name);
  EXPECT_EQ(16, a.maxPlayers);
  EXPECT_EQ('w', a.environment);
  EXPECT_TRUE(a.passworded);
  ASSERT_EQ(2u, a.playerList.size());
  EXPECT_EQ("Some One", a.playerList[0].name);
  EXPECT_EQ(61.5f, a.playerList[0].seconds);
  EXPECT_EQ(-2, a.playerList[1].score);
  EXPECT_TRUE(a.playerList[1].gbk);
  EXPECT_EQ(0x0D0C0B0Au, a.challenge);
  EXPECT_FALSE(a.playersNeedChallenge);
  const GameServerOptions& b = servers[1];
  EXPECT_TRUE(b.silent && b.truncated && b.otherPort);
  EXPECT_EQ(250, b.lateMs);
  EXPECT_EQ(9000, b.oversizeTo);

  struct Bad {
    const char* text;
    const char* error;
  } bad[] = {
      {"name = x\n", "line 1: KEY = VALUE before the first [server]"},
      {"[server]\nport = 70000\n", "line 2: bad value for port: '70000'"},
      {"[server]\ncolour = red\n", "line 2: unknown key 'colour'"},
      {"[server]\nplayer = many 5 x\n", "line 2: bad value for player: 'many 5 x'"},
      {"[server]\ntype = dd\n", "line 2: bad value for type: 'dd'"},
      {"[server]\nchallenge = 1234\n", "line 2: bad value for challenge: '1234'"},
      {"[server]\njust words\n", "line 2: expected [server] or KEY = VALUE"},
      {"# nothing\n", "no [server] section"},
  };
  for (const Bad& c : bad) {
    EXPECT_FALSE(devplatform::ParseGameServerFile(c.text, &servers, &error)) << c.text;
    EXPECT_EQ(c.error, error) << c.text;
  }
}

TEST(QueryGameServer, CommandLineNamesTheFilesAndLeavesThePlatformAlone) {
  devplatform::ProgramOptions options;
  std::string error;
  ASSERT_TRUE(devplatform::ParseCommandLine(
      {"--game-server", "a.txt", "--game-server=b.txt", "--game-ready-file", "ports", "--port", "0"}, &options, &error))
      << error;
  EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), options.gameServerFiles);
  EXPECT_EQ("ports", options.gameReadyFile);
  EXPECT_EQ(0, options.platform.port);
  EXPECT_EQ(8889, options.platform.fallbackPort);
  EXPECT_FALSE(devplatform::ParseCommandLine({"--game-server"}, &options, &error));
  EXPECT_EQ("--game-server needs a value", error);
}

}  // namespace
