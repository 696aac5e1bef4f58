#include "browser/query_packets.h"

namespace query_packets {
namespace {

Bytes Make(std::initializer_list<std::uint8_t> head, const char* tail, std::size_t tailLength) {
  Bytes bytes(head);
  bytes.insert(bytes.end(), tail, tail + tailLength);
  return bytes;
}

}  // namespace

Bytes Details() { return Make({0xFF, 0xFF, 0xFF, 0xFF}, "details", 7); }
Bytes Players() { return Make({0xFF, 0xFF, 0xFF, 0xFF}, "players", 7); }
Bytes Info() { return Make({0xFF, 0xFF, 0xFF, 0xFF}, "TSource Engine Query", 21); }
Bytes PlayerChallenge() { return {0xFF, 0xFF, 0xFF, 0xFF, 0x55, 0xFF, 0xFF, 0xFF, 0xFF}; }
// "1", region FF (all), "0.0.0.0:0" NUL, "\gamedir\cstrike" NUL
Bytes MasterQuery() { return Make({0x31, 0xFF}, "0.0.0.0:0\0\\gamedir\\cstrike", 27); }

}  // namespace query_packets
