#pragma once
// The game-server query datagrams the client sends, byte for byte.
#include "base/text.h"

namespace query_packets {

Bytes Details();          // FF FF FF FF "details": old information query
Bytes Players();          // FF FF FF FF "players": old player list query
Bytes Info();             // FF FF FF FF "TSource Engine Query" NUL
Bytes PlayerChallenge();  // FF FF FF FF 'U' FF FF FF FF: asks for a challenge number
Bytes MasterQuery();      // master-server list request, held only

}  // namespace query_packets
