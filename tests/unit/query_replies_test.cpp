// The reply parsers on hand-made datagrams: whole replies, every way of being cut short, and
// the byte values that are mapped.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/utf8_to_ansi.h"
#include "browser/query_packets.h"
#include "browser/query_replies.h"

namespace {

// Builds a datagram from pieces: raw bytes, and strings sent with their zero byte.
struct Wire {
  Bytes bytes;
  Wire& Head(std::uint8_t type) {
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF, type});
    return *this;
  }
  Wire& String(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
  }
  Wire& Raw(std::initializer_list<std::uint8_t> raw) {
    bytes.insert(bytes.end(), raw);
    return *this;
  }
  Wire& Int32(std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
    return *this;
  }
  Wire& Float(float value) {
    std::int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return Int32(bits);
  }
  Wire& Player(std::uint8_t index, const std::string& name, std::int32_t score, float seconds) {
    return Raw({index}).String(name).Int32(score).Float(seconds);
  }
};

// A reply as a HLDS 1.1.2.x server sends it, mod fields, secure flag and bot count included.
Bytes FullInfoReply() {
  return Wire()
      .Head('m')
      .String("192.168.1.20:27015")
      .String(u8"Varkon 中文服 #1")
      .String("de_dust2")
      .String("cstrike")
      .String("Counter-Strike")
      .Raw({12, 32, 47, 'd', 'w', 1})
      .Raw({1})
      .String("http://example.org").String("").Raw({0})
      .Raw({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3})
      .bytes;
}

TEST(QueryReplies, KindIsDecidedByTheFirstFiveBytesOnly) {
  struct Case {
    const char* what;
    Bytes datagram;
    bool info, challenge, player;
  } cases[] = {
      {"info", {0xFF, 0xFF, 0xFF, 0xFF, 'm'}, true, false, false},
      {"challenge", {0xFF, 0xFF, 0xFF, 0xFF, 'A', 1, 2, 3, 4}, false, true, false},
      {"player", {0xFF, 0xFF, 0xFF, 0xFF, 'D', 0}, false, false, true},
      {"current-protocol info", {0xFF, 0xFF, 0xFF, 0xFF, 'I', 48}, false, false, false},
      {"lower-case player", {0xFF, 0xFF, 0xFF, 0xFF, 'd'}, false, false, false},
      {"split-packet head", {0xFE, 0xFF, 0xFF, 0xFF, 'm'}, false, false, false},
      {"one head byte off", {0xFF, 0xFF, 0xFF, 0x7F, 'D'}, false, false, false},
      {"only four bytes", {0xFF, 0xFF, 0xFF, 0xFF}, false, false, false},
      {"empty", {}, false, false, false},
      {"our own query", query_packets::Details(), false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.info, IsInfoReply(c.datagram)) << c.what;
    EXPECT_EQ(c.challenge, IsChallengeReply(c.datagram)) << c.what;
    EXPECT_EQ(c.player, IsPlayerReply(c.datagram)) << c.what;
  }
}

TEST(QueryReplies, InfoReplyFieldsWithTheDescriptionBeforeTheFolder) {
  ServerInfo info = ParseInfoReply(FullInfoReply());
  EXPECT_EQ("192.168.1.20:27015", info.address);
  EXPECT_EQ("Varkon 中文服 #1", info.name);  // GBK here: the test is compiled like the client
  EXPECT_EQ("de_dust2", info.map);
  EXPECT_EQ("Counter-Strike", info.game);
  EXPECT_EQ("cstrike", info.folder);
  EXPECT_EQ(12, info.players);
  EXPECT_EQ(32, info.maxPlayers);
  EXPECT_EQ(47, info.protocol);
  EXPECT_EQ("dedicated", info.serverType);
  EXPECT_EQ("Windows", info.environment);
  EXPECT_TRUE(info.passworded);
}

TEST(QueryReplies, InfoReplyCutShortReadsMissingStringsEmptyAndMissingBytesZero) {
  struct Case {
    const char* what;
    Bytes datagram;
    const char *name, *map, *folder, *game;
    int players, maxPlayers, protocol;
    const char *serverType, *environment;
    bool passworded;
  } cases[] = {
      {"ends right after the fifth string",
       Wire().Head('m').String("1.2.3.4:27015").String("S").String("M").String("F").String("G").bytes,
       "S", "M", "F", "G", 0, 0, 0, "", "", false},
      {"fifth string without its zero byte",
       Wire().Head('m').String("a").String("S").String("M").String("F").Raw({'G', 'a', 'm'}).bytes,
       "S", "M", "F", "Gam", 0, 0, 0, "", "", false},
      {"ends after the protocol byte",
       Wire().Head('m').String("a").String("S").String("M").String("F").String("G").Raw({5, 20, 47}).bytes,
       "S", "M", "F", "G", 5, 20, 47, "", "", false},
      {"ends before the password byte",
       Wire().Head('m').String("a").String("S").String("M").String("F").String("G").Raw({5, 20, 47, 'p', 'l'}).bytes,
       "S", "M", "F", "G", 5, 20, 47, "HLTV", "Linux", false},
      {"name cut in the middle", Wire().Head('m').String("a").Raw({'V', 'a', 'r'}).bytes,
       "Var", "", "", "", 0, 0, 0, "", "", false},
      {"head only", Wire().Head('m').bytes, "", "", "", "", 0, 0, 0, "", "", false},
      {"shorter than a head", {0xFF, 0xFF}, "", "", "", "", 0, 0, 0, "", "", false},
      {"counts above 127 stay unsigned",
       Wire().Head('m').String("a").String("S").String("M").String("F").String("G").Raw({200, 255, 128, 'l', 'w', 0}).bytes,
       "S", "M", "F", "G", 200, 255, 128, "non-dedicated", "Windows", false},
  };
  for (const Case& c : cases) {
    ServerInfo info = ParseInfoReply(c.datagram);
    EXPECT_EQ(c.name, info.name) << c.what;
    EXPECT_EQ(c.map, info.map) << c.what;
    EXPECT_EQ(c.folder, info.folder) << c.what;
    EXPECT_EQ(c.game, info.game) << c.what;
    EXPECT_EQ(c.players, info.players) << c.what;
    EXPECT_EQ(c.maxPlayers, info.maxPlayers) << c.what;
    EXPECT_EQ(c.protocol, info.protocol) << c.what;
    EXPECT_EQ(c.serverType, info.serverType) << c.what;
    EXPECT_EQ(c.environment, info.environment) << c.what;
    EXPECT_EQ(c.passworded, info.passworded) << c.what;
  }
}

TEST(QueryReplies, ServerTypeEnvironmentAndPasswordBytes) {
  struct Case {
    std::uint8_t type, environment, password;
    const char *typeText, *environmentText;
    bool passworded;
  } cases[] = {
      {'d', 'l', 0, "dedicated", "Linux", false},
      {'l', 'w', 1, "non-dedicated", "Windows", true},
      {'p', 'w', 0xFF, "HLTV", "Windows", true},
      {'D', 'L', 2, "D", "L", true},  // exact comparison: capitals are not mapped
      {'W', 'W', 0, "W", "W", false},
      {'x', 'm', 0, "x", "m", false},  // 'm' is macOS in the current protocol; not mapped here
      {0, 0, 0, "", "", false},
      {0xB0, 0xA1, 0, "\xB0", "\xA1", false},  // any other byte stays itself, high ones too
  };
  for (const Case& c : cases) {
    Bytes reply = Wire().Head('m').String("a").String("S").String("M").String("F").String("G")
                      .Raw({1, 2, 3, c.type, c.environment, c.password}).bytes;
    ServerInfo info = ParseInfoReply(reply);
    EXPECT_EQ(c.typeText, info.serverType) << int(c.type);
    EXPECT_EQ(c.environmentText, info.environment) << int(c.environment);
    EXPECT_EQ(c.passworded, info.passworded) << int(c.password);
  }
}

TEST(QueryReplies, OnlyTheReportedAddressEscapesTheUtf8Conversion) {
  // C4 E3 BA C3 is GBK for 你好 and no valid UTF-8; the address keeps it, the name does not.
  Bytes reply = Wire().Head('m').String("\xC4\xE3\xBA\xC3").String("\xC4\xE3\xBA\xC3").String(u8"地图")
                    .String(u8"文件夹").String(u8"描述").bytes;
  ServerInfo info = ParseInfoReply(reply);
  EXPECT_EQ("\xC4\xE3\xBA\xC3", info.address);
  EXPECT_EQ(Utf8ToAnsi(std::string("\xC4\xE3\xBA\xC3")), info.name);
  EXPECT_EQ(std::string::npos, info.name.find("\xC4\xE3"));
  EXPECT_EQ("地图", info.map);
  EXPECT_EQ("文件夹", info.folder);
  EXPECT_EQ("描述", info.game);
}

TEST(QueryReplies, PlayerRequestCarriesTheChallengeBytesUnchanged) {
  struct Case {
    Bytes reply, request;
  } cases[] = {
      {{0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0x12, 0x34, 0x56, 0x78}, {0xFF, 0xFF, 0xFF, 0xFF, 0x55, 0x12, 0x34, 0x56, 0x78}},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0x00, 0xFF, 0x00, 0x80, 0x99, 0x98},
       {0xFF, 0xFF, 0xFF, 0xFF, 0x55, 0x00, 0xFF, 0x00, 0x80}},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0x41, 0x12, 0x34}, {0xFF, 0xFF, 0xFF, 0xFF, 0x55, 0x12, 0x34}},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0x41}, {0xFF, 0xFF, 0xFF, 0xFF, 0x55}},
      {{}, {0xFF, 0xFF, 0xFF, 0xFF, 0x55}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.request, BuildPlayerRequest(c.reply));
}

TEST(QueryReplies, PlayerReplyRowsInReplyOrder) {
  Bytes reply = Wire().Head('D').Raw({3})
                    .Player(0, u8"玩家一", 25, 754.3f)
                    .Player(7, "[VK]Sniper", -3, 3661.0f)
                    .Player(0xFF, "", 0, 0.0f)
                    .bytes;
  PlayerRows rows = ParsePlayerReply(reply);
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ("玩家一", rows[0].name);
  EXPECT_EQ(25, rows[0].score);
  EXPECT_EQ("00:12:34", rows[0].time);
  EXPECT_EQ("[VK]Sniper", rows[1].name);
  EXPECT_EQ(-3, rows[1].score);
  EXPECT_EQ("01:01:01", rows[1].time);
  EXPECT_EQ("", rows[2].name);
  EXPECT_EQ(0, rows[2].score);
  EXPECT_EQ("00:00:00", rows[2].time);
}

TEST(QueryReplies, PlayerReplyCountRulesOverWhatIsPresent) {
  Bytes onePlayer = Wire().Head('D').Raw({3}).Player(0, "Solo", 9, 125.0f).bytes;
  Bytes cutInScore = Wire().Head('D').Raw({2}).Player(0, "First", 4, 10.0f).Raw({1}).String("Second").Raw({7, 0}).bytes;
  Bytes countZero = Wire().Head('D').Raw({0}).Player(0, "Hidden", 9, 125.0f).bytes;
  struct Case {
    const char* what;
    Bytes datagram;
    std::vector<std::tuple<std::string, int, std::string>> rows;
  } cases[] = {
      {"count 3, one player present", onePlayer,
       {{"Solo", 9, "00:02:05"}, {"", 0, "00:00:00"}, {"", 0, "00:00:00"}}},
      {"second player cut inside the score", cutInScore, {{"First", 4, "00:00:10"}, {"Second", 7, "00:00:00"}}},
      {"count 0 with a player present", countZero, {}},
      {"head only", Wire().Head('D').bytes, {}},
      {"count byte only", Wire().Head('D').Raw({2}).bytes, {{"", 0, "00:00:00"}, {"", 0, "00:00:00"}}},
  };
  for (const Case& c : cases) {
    PlayerRows rows = ParsePlayerReply(c.datagram);
    ASSERT_EQ(c.rows.size(), rows.size()) << c.what;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(std::get<0>(c.rows[i]), rows[i].name) << c.what << " row " << i;
      EXPECT_EQ(std::get<1>(c.rows[i]), rows[i].score) << c.what << " row " << i;
      EXPECT_EQ(std::get<2>(c.rows[i]), rows[i].time) << c.what << " row " << i;
    }
  }
}

TEST(QueryReplies, AFullCountOfMissingPlayersRunsPastThePadding) {
  // 255 empty rows need far more zero bytes than a fixed padding would hold.
  PlayerRows rows = ParsePlayerReply(Wire().Head('D').Raw({255, 0}).String("x").bytes);
  ASSERT_EQ(255u, rows.size());
  EXPECT_EQ("x", rows[0].name);
  EXPECT_EQ("", rows[254].name);
  EXPECT_EQ("00:00:00", rows[254].time);
}

TEST(QueryReplies, DurationRoundedToATenthThenCut) {
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float seconds;
    const char* time;
  } cases[] = {
      {3599.94f, "00:59:59"}, {3599.96f, "01:00:00"}, {59.94f, "00:00:59"}, {59.95f, "00:01:00"},
      {0.04f, "00:00:00"},    {0.96f, "00:00:01"},    {-0.96f, "23:59:59"}, {-10.0f, "23:59:50"},
      {90061.0f, "01:01:01"}, {86400.0f, "00:00:00"}, {1e30f, "03:44:00"},  // huge: its time of day
      {std::nanf(""), "00:00:00"}, {inf, "00:00:00"}, {-inf, "00:00:00"},
  };
  for (const Case& c : cases) {
    Bytes reply = Wire().Head('D').Raw({1}).Player(0, "p", 0, c.seconds).bytes;
    EXPECT_EQ(c.time, ParsePlayerReply(reply).at(0).time) << c.seconds;
  }
}

TEST(QueryReplies, PlayTimeWrapsEveryDay) {
  struct Case {
    int seconds;
    const char* text;
  } cases[] = {
      {0, "00:00:00"},         {9, "00:00:09"},         {61, "00:01:01"},       {3600, "01:00:00"},
      {86399, "23:59:59"},     {86400, "00:00:00"},     {90061, "01:01:01"},    {-10, "23:59:50"},
      {-86400, "00:00:00"},    {-86401, "23:59:59"},    {INT_MAX, "03:14:07"},  {INT_MIN, "20:45:52"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, FormatPlayTime(c.seconds)) << c.seconds;
}

TEST(Utf8ToAnsi, StopsAtTheFirstZeroByteAndConvertsEverythingBefore) {
  EXPECT_EQ("中文", Utf8ToAnsi(std::string(u8"中文\0tail", 11)));
  EXPECT_EQ("", Utf8ToAnsi(Bytes{0, 'a'}));
  EXPECT_EQ("", Utf8ToAnsi(Bytes{}));
  // A character GBK lacks takes the default character; invalid UTF-8 its replacement.
  EXPECT_EQ("a?b", Utf8ToAnsi(std::string(u8"a\u00C6b")));
  EXPECT_EQ("a?b", Utf8ToAnsi(std::string("a\xFF" "b")));
  std::string longName;
  for (int i = 0; i < 20000; ++i) longName += u8"服";
  Text converted = Utf8ToAnsi(longName);
  ASSERT_EQ(40000u, converted.size());
  EXPECT_EQ("服", converted.substr(39998));
}

}  // namespace
