#include "browser/query_replies.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/utf8_to_ansi.h"

namespace {

bool HasHead(const Bytes& datagram, std::uint8_t type) {
  return datagram.size() >= 5 && datagram[0] == 0xFF && datagram[1] == 0xFF && datagram[2] == 0xFF &&
         datagram[3] == 0xFF && datagram[4] == type;
}

// Reads a datagram from a start offset as if endless zero bytes followed it, so a missing
// string is empty and a missing number is 0. The position may run past the end; it only grows
// by bounded steps, so it cannot wrap.
class PaddedReader {
 public:
  PaddedReader(const Bytes& bytes, std::size_t start) : bytes_(bytes), at_(start) {}

  std::uint8_t Byte() { return ByteAt(at_++); }

  // The bytes up to the next zero byte (or the real end); moves past that zero byte.
  Bytes String() {
    Bytes out;
    while (at_ < bytes_.size() && bytes_[at_] != 0) out.push_back(bytes_[at_++]);
    ++at_;
    return out;
  }

  std::uint32_t Uint32() {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= std::uint32_t{Byte()} << shift;
    return value;
  }

 private:
  std::uint8_t ByteAt(std::size_t at) const { return at < bytes_.size() ? bytes_[at] : 0; }

  const Bytes& bytes_;
  std::size_t at_;
};

// A one-byte field as text: a zero byte is no text at all.
Text ByteText(std::uint8_t byte) { return byte == 0 ? Text() : Text(1, static_cast<char>(byte)); }

Text ServerTypeText(std::uint8_t byte) {
  switch (byte) {
    case 'd': return "dedicated";
    case 'l': return "non-dedicated";
    case 'p': return "HLTV";
    default: return ByteText(byte);
  }
}

Text EnvironmentText(std::uint8_t byte) {
  switch (byte) {
    case 'w': return "Windows";
    case 'l': return "Linux";
    default: return ByteText(byte);
  }
}

// Seconds rounded to a tenth (halves away from zero), then cut to whole seconds. Values no
// clock can show (NaN, infinities) count as 0; huge ones keep their time of day.
int PlayedSeconds(float duration) {
  double tenths = std::round(static_cast<double>(duration) * 10.0);
  if (!std::isfinite(tenths)) return 0;
  double whole = std::fmod(std::trunc(tenths / 10.0), 86400.0);
  return static_cast<int>(whole);
}

}  // namespace

bool IsInfoReply(const Bytes& datagram) { return HasHead(datagram, 0x6D); }
bool IsChallengeReply(const Bytes& datagram) { return HasHead(datagram, 0x41); }
bool IsPlayerReply(const Bytes& datagram) { return HasHead(datagram, 0x44); }

ServerInfo ParseInfoReply(const Bytes& datagram) {
  ServerInfo info;
  PaddedReader reader(datagram, 5);
  info.address = TextFromBytes(reader.String());
  info.name = Utf8ToAnsi(reader.String());
  info.map = Utf8ToAnsi(reader.String());
  info.folder = Utf8ToAnsi(reader.String());
  info.game = Utf8ToAnsi(reader.String());
  info.players = reader.Byte();
  info.maxPlayers = reader.Byte();
  info.protocol = reader.Byte();
  info.serverType = ServerTypeText(reader.Byte());
  info.environment = EnvironmentText(reader.Byte());
  info.passworded = reader.Byte() != 0;
  return info;
}

Bytes BuildPlayerRequest(const Bytes& challengeReply) {
  Bytes request{0xFF, 0xFF, 0xFF, 0xFF, 0x55};
  for (std::size_t at = 5; at < 9 && at < challengeReply.size(); ++at) request.push_back(challengeReply[at]);
  return request;
}

PlayerRows ParsePlayerReply(const Bytes& datagram) {
  int count = datagram.size() > 5 ? datagram[5] : 0;
  // Offset 6, the first player's index byte, is skipped; each later index byte is read away
  // after the player before it. None of them is looked at.
  PaddedReader reader(datagram, 7);
  PlayerRows rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int n = 0; n < count; ++n) {
    PlayerRow row;
    row.name = Utf8ToAnsi(reader.String());
    row.score = static_cast<std::int32_t>(reader.Uint32());
    std::uint32_t bits = reader.Uint32();
    float duration;
    std::memcpy(&duration, &bits, sizeof duration);
    row.time = FormatPlayTime(PlayedSeconds(duration));
    reader.Byte();
    rows.push_back(row);
  }
  return rows;
}

Text FormatPlayTime(int seconds) {
  int ofDay = seconds % 86400;
  if (ofDay < 0) ofDay += 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", ofDay / 3600, ofDay / 60 % 60, ofDay % 60);
  return text;
}
