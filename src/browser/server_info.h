#pragma once
// What a game server tells about itself and its players, as the server browser shows it.
#include <cstdint>
#include <vector>

#include "base/text.h"

// One information reply. The description comes before the folder here, unlike on the wire.
struct ServerInfo {
  Text address;      // the address the server reports for itself, bytes as received
  Text name;
  Text map;
  Text game;         // game description, e.g. Counter-Strike
  Text folder;       // game folder, e.g. cstrike
  int players = 0;
  int maxPlayers = 0;
  int protocol = 0;
  Text serverType;   // "dedicated", "non-dedicated", "HLTV" or the byte itself
  Text environment;  // "Windows", "Linux" or the byte itself
  bool passworded = false;
};

// One player of a player reply.
struct PlayerRow {
  Text name;
  std::int32_t score = 0;
  Text time;  // connection time as HH:MM:SS
};

using PlayerRows = std::vector<PlayerRow>;
