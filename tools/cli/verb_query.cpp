// query ADDR:PORT: the information, player and challenge queries over UDP, answers parsed.
#include <cstdio>
#include <cstdlib>

#include "browser/query_packets.h"
#include "browser/query_replies.h"
#include "browser/udp_endpoint.h"
#include "platform/clock.h"
#include "platform/encoding.h"
#include "terminal.h"
#include "verbs.h"

namespace cli {
namespace {

constexpr std::uint32_t kPatienceMs = 2000;

bool SplitAddress(const Text& text, Text* address, int* port) {
  std::size_t colon = text.rfind(':');
  if (colon == Text::npos || colon == 0) return false;
  Text digits = text.substr(colon + 1);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != Text::npos) return false;
  *port = std::atoi(digits.c_str());
  *address = text.substr(0, colon);
  return *port > 0 && *port < 65536;
}

void PrintInfo(const ServerInfo& info) {
  const std::pair<const char*, Text> fields[] = {
      {"address", info.address},
      {"name", info.name},
      {"map", info.map},
      {"game", info.game},
      {"folder", info.folder},
      {"players", std::to_string(info.players)},
      {"maxPlayers", std::to_string(info.maxPlayers)},
      {"protocol", std::to_string(info.protocol)},
      {"serverType", info.serverType},
      {"environment", info.environment},
      {"passworded", info.passworded ? "true" : "false"},
  };
  for (const auto& field : fields) std::printf("%s: %s\n", field.first, Shown(field.second).c_str());
}

}  // namespace

int Query(const Args& args) {
  Text address;
  int port = 0;
  if (args.size() != 1 || !SplitAddress(args[0], &address, &port))
    return Complain(kUsage, "query takes ADDR:PORT");
  UdpEndpoint endpoint;
  if (!endpoint.Open(0)) return Complain(kFailed, "no UDP port to query from");
  if (!endpoint.Send(query_packets::Details(), address, port))
    return Complain(kFailed, "cannot send to " + platform::AnsiToUtf8(args[0]));
  endpoint.Send(query_packets::PlayerChallenge(), address, port);

  bool haveInfo = false, havePlayers = false;
  ServerInfo info;
  PlayerRows players;
  std::uint32_t start = platform::TickCount();
  for (;;) {
    std::uint32_t spent = platform::TickCount() - start;
    if ((haveInfo && havePlayers) || spent >= kPatienceMs) break;
    int received = 0, length = 0, from = 0;
    Bytes datagram;
    Text sender;
    if (!endpoint.Receive(received, datagram, length, 65536, sender, from, static_cast<int>(kPatienceMs - spent)) ||
        !received)
      continue;
    if (IsInfoReply(datagram) && !haveInfo) {
      info = ParseInfoReply(datagram);
      haveInfo = true;
    } else if (IsChallengeReply(datagram)) {
      endpoint.Send(BuildPlayerRequest(datagram), address, port);
    } else if (IsPlayerReply(datagram) && !havePlayers) {
      players = ParsePlayerReply(datagram);
      havePlayers = true;
    }
  }
  if (!haveInfo) return Complain(kFailed, "no answer from " + platform::AnsiToUtf8(args[0]) + " within 2 s");
  PrintInfo(info);
  for (const PlayerRow& row : players) {
    std::printf("%s\t%d\t%s\n", Shown(row.name).c_str(), static_cast<int>(row.score), Shown(row.time).c_str());
  }
  return kOk;
}

}  // namespace cli
