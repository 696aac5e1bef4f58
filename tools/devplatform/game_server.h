#pragma once
// Stand-in GoldSource game servers on loopback UDP: each answers the old and the current
// information query with the old 'm' reply, the player queries with a 'D' reply (through
// the challenge exchange or directly), and can be made to misbehave.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/text.h"

namespace devplatform {

struct GamePlayer {
  std::string name;  // UTF-8
  bool gbk = false;  // sent as GBK bytes, as old servers do, instead of UTF-8
  std::int32_t score = 0;
  float seconds = 0;  // connection time
};

struct GameServerOptions {
  std::string host = "127.0.0.1";
  int port = 0;                  // 0: any free port
  std::string reportedAddress;   // 1st string of the reply; empty: HOST:PORT
  std::string name = "Varkon stand-in server";  // UTF-8, like map, folder and game
  bool gbkName = false;          // server name sent as GBK bytes instead of UTF-8
  std::string map = "de_dust2";
  std::string folder = "cstrike";
  std::string game = "Counter-Strike";
  int players = -1;              // player count announced; -1: the size of the player list
  int maxPlayers = 32;
  int protocol = 47;
  char serverType = 'd';         // d dedicated, l listen, p HLTV
  char environment = 'l';        // l Linux, w Windows
  bool passworded = false;
  std::vector<GamePlayer> playerList;
  std::uint32_t challenge = 0x78563412;  // sent little-endian: 12 34 56 78
  bool playersNeedChallenge = true;      // false: 'U' with any challenge gets the list at once

  // Misbehaviour, each on its own.
  bool silent = false;           // answers nothing (queries are still recorded)
  int lateMs = 0;                // every answer leaves this much later
  bool truncated = false;        // 'm' ends after the 5th string; 'D' holds only the first player
  int oversizeTo = 0;            // replies padded with zero bytes to this size
  bool otherPort = false;        // answers come from another port of the same host
};

// A query as received.
struct GameQuery {
  std::string address;
  int port = 0;
  Bytes datagram;
};

// The replies themselves, misbehaviour included; `port` is the server's for the address string.
Bytes GameInfoReply(const GameServerOptions& options, int port);
Bytes GamePlayerReply(const GameServerOptions& options);
Bytes GameChallengeReply(const GameServerOptions& options);

class GameServer {
 public:
  explicit GameServer(GameServerOptions options);
  ~GameServer();  // stops
  GameServer(const GameServer&) = delete;
  GameServer& operator=(const GameServer&) = delete;

  // Answering on its own thread when it returns true; otherwise error() says why.
  bool Start();
  void Stop();
  int port() const;        // where it listens
  int replyPort() const;   // where its answers come from (another port with otherPort)
  const GameServerOptions& options() const;
  std::vector<GameQuery> queries() const;  // oldest first
  std::string error() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Description file: one [server] section per server, "key = value" lines, '#' comments.
// See GameServerFileHelp() for the keys. False with a one-line error naming the line.
bool ParseGameServerFile(const std::string& text, std::vector<GameServerOptions>* servers, std::string* error);
std::string GameServerFileHelp();
// The same for a file on disk; the error then names the file too.
bool LoadGameServerFile(const std::string& path, std::vector<GameServerOptions>* servers, std::string* error);

}  // namespace devplatform
