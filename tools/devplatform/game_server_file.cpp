// The description file of the stand-in game servers.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "game_server.h"

namespace devplatform {

namespace {

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool Number(const std::string& text, long low, long high, long* value) {
  if (text.empty() || text.size() > 10) return false;
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || n < low || n > high) return false;
  *value = n;
  return true;
}

bool Flag(const std::string& text, bool* value) {
  if (text == "1" || text == "yes" || text == "true") *value = true;
  else if (text == "0" || text == "no" || text == "false") *value = false;
  else return false;
  return true;
}

// Eight hex digits, the challenge bytes in the order they go on the wire.
bool Challenge(const std::string& text, std::uint32_t* value) {
  if (text.size() != 8 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  std::uint32_t out = 0;
  for (int i = 0; i < 4; ++i) {
    out |= static_cast<std::uint32_t>(std::strtoul(text.substr(2 * i, 2).c_str(), nullptr, 16)) << (8 * i);
  }
  *value = out;
  return true;
}

// SCORE SECONDS NAME; the name is the rest of the line and may hold spaces.
bool Player(const std::string& text, bool gbk, GamePlayer* player) {
  std::istringstream in(text);
  long score;
  std::string scoreText, secondsText;
  if (!(in >> scoreText >> secondsText) || !Number(scoreText, -2147483647L - 1, 2147483647L, &score)) return false;
  char* end = nullptr;
  float seconds = std::strtof(secondsText.c_str(), &end);
  if (*end != '\0') return false;
  std::string name;
  std::getline(in, name);
  player->name = Trim(name);
  player->gbk = gbk;
  player->score = static_cast<std::int32_t>(score);
  player->seconds = seconds;
  return true;
}

}  // namespace

bool ParseGameServerFile(const std::string& text, std::vector<GameServerOptions>* servers, std::string* error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  std::vector<GameServerOptions> out;
  while (std::getline(in, line)) {
    ++number;
    auto fail = [&](const std::string& what) {
      *error = "line " + std::to_string(number) + ": " + what;
      return false;
    };
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line == "[server]") {
      out.emplace_back();
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return fail("expected [server] or KEY = VALUE");
    if (out.empty()) return fail("KEY = VALUE before the first [server]");
    std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
    GameServerOptions& o = out.back();
    long n = 0;
    bool ok = true;
    if (key == "name") o.name = value;
    else if (key == "map") o.map = value;
    else if (key == "folder") o.folder = value;
    else if (key == "game") o.game = value;
    else if (key == "address") o.reportedAddress = value;
    else if (key == "host") o.host = value;
    else if (key == "gbk-name") ok = Flag(value, &o.gbkName);
    else if (key == "password") ok = Flag(value, &o.passworded);
    else if (key == "silent") ok = Flag(value, &o.silent);
    else if (key == "truncated") ok = Flag(value, &o.truncated);
    else if (key == "other-port") ok = Flag(value, &o.otherPort);
    else if (key == "direct-players") {
      bool direct = false;
      ok = Flag(value, &direct);
      o.playersNeedChallenge = !direct;
    } else if (key == "type" || key == "os") {
      ok = value.size() == 1;
      if (ok) (key == "type" ? o.serverType : o.environment) = value[0];
    } else if (key == "challenge") ok = Challenge(value, &o.challenge);
    else if (key == "port") ok = Number(value, 0, 65535, &n) && ((o.port = static_cast<int>(n)), true);
    else if (key == "players") ok = Number(value, -1, 255, &n) && ((o.players = static_cast<int>(n)), true);
    else if (key == "max") ok = Number(value, 0, 255, &n) && ((o.maxPlayers = static_cast<int>(n)), true);
    else if (key == "protocol") ok = Number(value, 0, 255, &n) && ((o.protocol = static_cast<int>(n)), true);
    else if (key == "late") ok = Number(value, 0, 600000, &n) && ((o.lateMs = static_cast<int>(n)), true);
    else if (key == "oversize") ok = Number(value, 0, 65507, &n) && ((o.oversizeTo = static_cast<int>(n)), true);
    else if (key == "player" || key == "gbk-player") {
      GamePlayer player;
      ok = Player(value, key == "gbk-player", &player);
      if (ok) o.playerList.push_back(player);
    } else {
      return fail("unknown key '" + key + "'");
    }
    if (!ok) return fail("bad value for " + key + ": '" + value + "'");
  }
  if (out.empty()) {
    *error = "no [server] section";
    return false;
  }
  *servers = out;
  return true;
}

bool LoadGameServerFile(const std::string& path, std::vector<GameServerOptions>* servers, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path;
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  if (ParseGameServerFile(all.str(), servers, error)) return true;
  *error = path + ": " + *error;
  return false;
}

std::string GameServerFileHelp() {
  return
      "Game-server file: one [server] section per server, KEY = VALUE lines (UTF-8), # comments.\n"
      "  port = N            UDP port on HOST (default 0: any free port; printed at start)\n"
      "  host = ADDR         IPv4 address to listen on (default 127.0.0.1)\n"
      "  name, map, folder, game = TEXT   the reply's strings (defaults: Varkon stand-in server,\n"
      "                      de_dust2, cstrike, Counter-Strike); sent as UTF-8\n"
      "  gbk-name = 0|1      send the server name as GBK bytes instead\n"
      "  address = TEXT      address string of the reply (default HOST:PORT)\n"
      "  players = N         player count announced (default: the number of player lines)\n"
      "  max = N             player limit (default 32);  protocol = N (default 47)\n"
      "  type = C            server type byte: d, l, p or any (default d)\n"
      "  os = C              environment byte: l, w or any (default l)\n"
      "  password = 0|1      password flag (default 0)\n"
      "  player = SCORE SECONDS NAME       a player, name sent as UTF-8 (repeatable)\n"
      "  gbk-player = SCORE SECONDS NAME   a player, name sent as GBK\n"
      "  challenge = HEX8    challenge bytes in wire order (default 12345678)\n"
      "  direct-players = 0|1  'U' is answered with the player list without a challenge\n"
      "  silent = 1          answer nothing;  late = MS  answer that much later\n"
      "  truncated = 1       info reply ends after its 5th string; player reply holds only\n"
      "                      the first player (the count stays)\n"
      "  oversize = BYTES    replies padded with zero bytes to this size\n"
      "  other-port = 1      answers leave from another port\n"
      "Answers: FF FF FF FF \"details\" (bare, NUL or LF ended) and \"TSource Engine Query\" with\n"
      "the old 'm' information reply; \"players\" with 'D'; 'U' FF FF FF FF and 'W' with the\n"
      "challenge 'A'; 'U' with the challenge with 'D'.\n";
}

}  // namespace devplatform
