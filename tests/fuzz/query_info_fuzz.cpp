// Any bytes as a server information reply.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "browser/query_replies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes datagram(data, data + size);
  IsInfoReply(datagram);
  ServerInfo info = ParseInfoReply(datagram);
  // Every field comes from the datagram: nothing may be longer than the bytes it came from.
  if (info.address.size() > size || info.players > 255 || info.maxPlayers > 255 || info.protocol > 255) std::abort();
  if (info.serverType.size() > 13 || info.environment.size() > 7) std::abort();
  return 0;
}
