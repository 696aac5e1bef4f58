// Any bytes as a player reply, and as a challenge reply.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "browser/query_replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes datagram(data, data + size);
  IsPlayerReply(datagram);
  IsChallengeReply(datagram);
  PlayerRows rows = ParsePlayerReply(datagram);
  // The count byte alone decides how many rows there are; every time reads HH:MM:SS.
  std::size_t count = size > 5 ? data[5] : 0;
  if (rows.size() != count) std::abort();
  for (const PlayerRow& row : rows) {
    if (row.time.size() != 8 || row.time[2] != ':' || row.time[5] != ':') std::abort();
  }
  if (BuildPlayerRequest(datagram).size() > 9) std::abort();
  return 0;
}
