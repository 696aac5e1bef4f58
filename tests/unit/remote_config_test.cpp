#include <gtest/gtest.h>

#include "app/remote_config.h"
#include "platform/http_get.h"
#include "stand_in.h"

namespace {

Bytes NoFetch(const Text&) { return Bytes(); }

RemoteConfigData Parse(const Text& text, const HttpFetch& fetch = NoFetch) {
  RemoteConfigData config;
  ParseRemoteConfig(text, config, fetch);
  return config;
}

TEST(RemoteConfigParse, LinesKeysAndValues) {
  struct Case {
    const char* what;
    Text file;
    Text RemoteConfigData::*field;
    Text expected;
  } cases[] = {
      {"plain value", "ver=2.5.6.18\r\nlogin=http://a/l", &RemoteConfigData::login, "http://a/l"},
      {"blank after = stays", "ver= 2.5.6.18\r\n", &RemoteConfigData::ver, " 2.5.6.18"},
      {"further = kept", "rank=http://a/r?id=\r\n", &RemoteConfigData::rank, "http://a/r?id="},
      {"empty value", "link=\r\n", &RemoteConfigData::link, ""},
      {"capital key unknown", "VER=1\r\nLogin=x\r\n", &RemoteConfigData::ver, ""},
      {"key not in first column", " ver=1\r\n", &RemoteConfigData::ver, ""},
      {"Provide2 does not fill Provide", "Provide2=p2\r\n", &RemoteConfigData::Provide, ""},
      {"Provide2 filled", "Provide2=p2\r\n", &RemoteConfigData::Provide2, "p2"},
      {"Provide does not fill Provide2", "Provide=p1\r\n", &RemoteConfigData::Provide2, ""},
      {"later line wins", "MSG=a\r\nMSG=b\r\n", &RemoteConfigData::MSG, "b"},
      {"empty lines match nothing", "\r\n\r\nClose=c\r\n\r\n", &RemoteConfigData::Close, "c"},
      {"LF-only file is one line", "ver=2.5.6.18\nlogin=x\n", &RemoteConfigData::ver, "2.5.6.18\nlogin=x\n"},
      {"LF-only: later keys lost", "ver=2.5.6.18\nlogin=x\n", &RemoteConfigData::login, ""},
      {"Button8 and Button1 apart", "Button1=one\r\nButton8=eight\r\n", &RemoteConfigData::Button8, "eight"},
      {"GBK value kept byte for byte", "Mianhome=http://a/首页?x=中文 空格\r\n", &RemoteConfigData::Mianhome,
       "http://a/首页?x=中文 空格"},
  };
  for (const Case& c : cases) {
    RemoteConfigData config = Parse(c.file);
    EXPECT_EQ(config.*c.field, c.expected) << c.what;
  }
}

TEST(RemoteConfigParse, EveryKeyFillsItsOwnField) {
  Text file;
  for (const auto& key : RemoteConfigKeys()) {
    if (key.field) file += Text(key.key) + "v_" + key.key + "\r\n";
  }
  RemoteConfigData config = Parse(file);
  for (const auto& key : RemoteConfigKeys()) {
    if (key.field) {
      EXPECT_EQ(config.*key.field, Text("v_") + key.key);
    }
  }
  EXPECT_EQ(RemoteConfigKeys().size(), 28u);
}

TEST(RemoteConfigParse, DownloadListFetchedAtItsLineWithEmptyLinesDropped) {
  std::vector<Text> asked;
  auto fetch = [&](const Text& url) {
    asked.push_back(url);
    return BytesFromText("a.bsp|1\r\n\r\n\r\nb.wad|2\r\n");
  };
  RemoteConfigData config = Parse("Dwlist=http://h/list.txt\r\nver=1", fetch);
  EXPECT_EQ(asked, std::vector<Text>{"http://h/list.txt"});
  EXPECT_EQ(config.Dwlist, (std::vector<Text>{"a.bsp|1", "b.wad|2"}));

  // A failed fetch leaves the list empty; a second line replaces the first list.
  EXPECT_TRUE(Parse("Dwlist=http://h/x\r\n").Dwlist.empty());
  int n = 0;
  auto counting = [&](const Text&) { return BytesFromText(++n == 1 ? "first" : "second"); };
  EXPECT_EQ(Parse("Dwlist=u\r\nDwlist=u\r\n", counting).Dwlist, std::vector<Text>{"second"});
}

TEST(RemoteConfigFetch, AcceptableText) {
  EXPECT_FALSE(IsAcceptableConfigText(""));
  EXPECT_FALSE(IsAcceptableConfigText("<html>该页无法显示</html>"));
  EXPECT_FALSE(IsAcceptableConfigText("ver=2.5.6.18\r\nMSG=该页\r\n"));  // even inside a value
  EXPECT_TRUE(IsAcceptableConfigText("ver=2.5.6.18\r\n"));
}

TEST(RemoteConfigFetch, FallbackWithinOneAttemptAndTenAttemptsAtMost) {
  std::vector<Text> asked;
  int pauses = 0;
  auto secondGood = [&](const Text& url) {
    asked.push_back(url);
    return url == "p" ? Bytes() : BytesFromText("ver=1");
  };
  Text text;
  ASSERT_TRUE(FetchRemoteConfigText("p", "f", secondGood, [&] { ++pauses; }, &text));
  EXPECT_EQ(text, "ver=1");
  EXPECT_EQ(asked, (std::vector<Text>{"p", "f"}));
  EXPECT_EQ(pauses, 0);  // no pause between the two sources

  asked.clear();
  auto never = [&](const Text& url) {
    asked.push_back(url);
    return BytesFromText("该页");
  };
  EXPECT_FALSE(FetchRemoteConfigText("p", "f", never, [&] { ++pauses; }, &text));
  EXPECT_EQ(asked.size(), 20u);
  EXPECT_EQ(pauses, 10);
}

// Against the stand-in platform over real sockets.
TEST(RemoteConfigFetch, StandInServesTheFileAndItsList) {
  devplatform::Options options;
  options.emptyFirst = 3;
  StandIn standIn(options, false);
  Text text;
  ASSERT_TRUE(FetchRemoteConfigText(app::Builtin().configUrl, app::Builtin().forumUrl, platform::HttpGet, [] {}, &text));
  // Empty from the primary, then the fallback, then the primary again: the fourth request wins.
  EXPECT_EQ(standIn.Count("/dlq/version.ini"), 4);
  RemoteConfigData config;
  ParseRemoteConfig(text, config, platform::HttpGet);
  EXPECT_EQ(config.ver, "2.5.6.18");
  EXPECT_EQ(config.Dwlist.size(), 2u);
  EXPECT_FALSE(config.Provide2.empty());
  EXPECT_EQ(standIn.Count("/dlq/dwlist.txt"), 1);
}

TEST(RemoteConfigFetch, StandInErrorPageOnPrimaryFallsBack) {
  devplatform::Options options;
  options.errorPage = devplatform::Which::Primary;
  options.set = {{"ver", "9.9"}};
  StandIn standIn(options, false);
  Text text;
  ASSERT_TRUE(FetchRemoteConfigText(app::Builtin().configUrl, app::Builtin().forumUrl, platform::HttpGet, [] {}, &text));
  RemoteConfigData config;
  ParseRemoteConfig(text, config, platform::HttpGet);
  EXPECT_EQ(config.ver, "9.9");
  EXPECT_EQ(standIn.platform.requests().front().port, standIn.platform.port());
}

}  // namespace
