// The stand-in login, profile and main-window services, asked over loopback and read back
// with the client's own JSON reader.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <string>
#include <vector>

#include "account_options.h"
#include "account_replies.h"
#include "dev_platform.h"
#include "form_body.h"
#include "json/json_reader.h"
#include "json/unescape_text.h"
#include "json_text.h"
#include "service_paths.h"
#include "user_table.h"

namespace devplatform {
namespace {

Options AnyPorts() {
  Options options;
  options.port = 0;
  options.fallbackPort = 0;
  return options;
}

httplib::Result Get(int port, const std::string& target) {
  httplib::Client client("127.0.0.1", port);
  client.set_keep_alive(false);
  return client.Get(target.c_str());
}

httplib::Result Post(int port, const std::string& path, const std::string& body,
                     const char* type = "application/x-www-form-urlencoded") {
  httplib::Client client("127.0.0.1", port);
  client.set_keep_alive(false);
  return client.Post(path.c_str(), body, type);
}

// The version file's value for `key`, as the client would read it from this platform.
std::string Served(const DevPlatform& platform, const std::string& key) {
  auto reply = Get(platform.port(), "/dlq/version.ini");
  return reply ? VersionValue(reply->body, key) : std::string();
}

TEST(DevPlatformLogin, RepliesForEachKindOfLogin) {
  DevPlatform platform(AnyPorts());
  ASSERT_TRUE(platform.Start()) << platform.error();
  std::string login = TargetOf(Served(platform, "login"));
  ASSERT_EQ(login, "/user/login.php");
  const char* percent =
      "{\"rcode\":\"10002\",\"name_eng\":\"percent\",\"psw\":\"cabc4ded213a7108f1868ee202778023\","
      "\"name_chs\":\"\\u767e\\u5206\\u53f7\\u6d4b\\u8bd5\\u5458\",\"items\":\"flower,awp_dragon\"}";
  struct Case {
    const char* body;
    const char* reply;
  };
  const Case cases[] = {
      {"p_username=demo&p_password=demo123&p_random=12345",
       "{\"rcode\":\"10001\",\"name_eng\":\"demo\",\"psw\":\"62cc2d8b4bf2d8728120d052163a77df\","
       "\"name_chs\":\"\\u6f14\\u793a\\u73a9\\u5bb6\","
       "\"items\":\"ak47_gold,awp_dragon,deagle_fire,no_such_item,m4a1_silver\"}"},
      {"p_username=demo&p_password=demo124&p_random=12345", "{\"rcode\":-131}"},
      {"p_username=demo&p_password=&p_random=12345", "{\"rcode\":-131}"},
      {"p_username=nobody&p_password=demo123&p_random=12345", "{\"rcode\":\"-106\"}"},
      {"p_username=Demo&p_password=demo123&p_random=12345", "{\"rcode\":\"-106\"}"},
      {"", "{\"rcode\":\"-106\"}"},
      {"p_username=netfail&p_password=netfail&p_random=99999", "{\"rcode\":\"-3377\"}"},
      {"p_username=netfail&p_password=x&p_random=99999", "{\"rcode\":\"-3377\"}"},
      // R&D=50%+1 encoded as the client does; hex digits in either case.
      {"p_username=percent&p_password=R%26D%3D50%25%2B1&p_random=10000", percent},
      {"p_random=10000&p_password=R%26D%3d50%25%2b1&p_username=percent", percent},
      // Sent without encoding, the "&" splits the field and the "+" is a space: refused.
      {"p_username=percent&p_password=R&D=50%+1&p_random=10000", "{\"rcode\":-131}"},
      {"p_username=percent&p_password=R%26D%3D50%25+1&p_random=10000", "{\"rcode\":-131}"},
  };
  for (const Case& c : cases) {
    auto reply = Post(platform.port(), login, c.body);
    ASSERT_TRUE(reply) << c.body;
    EXPECT_EQ(reply->status, 200);
    EXPECT_EQ(reply->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(reply->body, c.reply) << c.body;
  }
}

TEST(DevPlatformLogin, ReadBackAsTheClientReadsIt) {
  DevPlatform platform(AnyPorts());
  ASSERT_TRUE(platform.Start()) << platform.error();
  // Either server answers, and a body without a form content type is decoded all the same.
  auto good = Post(platform.fallbackPort(), "/user/login.php", "p_username=demo&p_password=demo123&p_random=5", "text/plain");
  ASSERT_TRUE(good);
  JsonReader json;
  ASSERT_TRUE(json.Parse(good->body));
  EXPECT_EQ(json.GetValue("rcode"), "10001");
  EXPECT_EQ(UnescapeText(json.GetValue("name_chs")), "演示玩家");  // GBK literal
  // The refusals compare as the same text whether the site wrote a string or a number.
  for (const char* user : {"nobody", "demo", "netfail"}) {
    auto refused = Post(platform.port(), "/user/login.php", std::string("p_username=") + user + "&p_password=no");
    ASSERT_TRUE(refused);
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(refused->body));
    std::string expected = std::string(user) == "nobody" ? kUserUnknown : std::string(user) == "demo" ? kWrongPassword : kNetworkAnomaly;
    EXPECT_EQ(reader.GetValue("rcode"), expected) << user;
  }
  // A GET with the fields in its query is answered too (handy with curl).
  auto get = Get(platform.port(), "/user/login.php?p_username=percent&p_password=R%26D%3D50%25%2B1");
  ASSERT_TRUE(get);
  EXPECT_NE(get->body.find("\"rcode\":\"10002\""), std::string::npos) << get->body;
}

TEST(DevPlatformLogin, FormFieldsAreRecordedDecoded) {
  DevPlatform platform(AnyPorts());
  ASSERT_TRUE(platform.Start()) << platform.error();
  ASSERT_TRUE(Post(platform.port(), "/user/login.php", "p_username=percent&p_password=R%26D%3D50%25%2B1+x&p_random=31337"));
  ASSERT_TRUE(Get(platform.port(), "/pages/props.txt?a=1"));
  std::vector<Request> seen = platform.requests();
  ASSERT_EQ(seen.size(), 2u);
  FormFields expected = {{"p_username", "percent"}, {"p_password", "R&D=50%+1 x"}, {"p_random", "31337"}};
  EXPECT_EQ(seen[0].form, expected);
  EXPECT_EQ(seen[0].body, "p_username=percent&p_password=R%26D%3D50%25%2B1+x&p_random=31337");
  EXPECT_TRUE(seen[1].form.empty()) << "only the login's fields are decoded";
}

TEST(DevPlatformProfile, KnownAndUnknownIds) {
  DevPlatform platform(AnyPorts());
  ASSERT_TRUE(platform.Start()) << platform.error();
  std::string rank = TargetOf(Served(platform, "rank"));
  ASSERT_EQ(rank, "/user/profile.php?uid=");

  auto demo = Get(platform.port(), rank + "10001");
  ASSERT_TRUE(demo);
  EXPECT_EQ(demo->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(demo->body.find("\"pScore\":\"\\u4e0a\\u58eb\""), std::string::npos) << demo->body;
  EXPECT_NE(demo->body.find("\"pOnline\":3725,"), std::string::npos) << demo->body;
  JsonReader json;
  ASSERT_TRUE(json.Parse(demo->body));
  std::vector<Text> names;
  ASSERT_EQ(json.GetKeys("", names, true), 18);
  for (int i = 0; i < 18; ++i) EXPECT_EQ(names[i], kProfileMembers[i]);
  EXPECT_EQ(json.GetValue("pCsid"), "demo");
  EXPECT_EQ(json.GetValue("pUpdate"), "2024-05-01 20:15:00");
  EXPECT_EQ(json.GetValue("pKill"), "1520");
  EXPECT_EQ(UnescapeText(json.GetValue("pScore")), "上士");          // GBK literal
  EXPECT_EQ(UnescapeText(json.GetValue("pCsidChs")), "演示玩家");    // GBK literal

  auto other = Get(platform.fallbackPort(), rank + "10002");
  ASSERT_TRUE(other);
  ASSERT_TRUE(json.Parse(other->body));
  EXPECT_EQ(json.GetValue("pOnline"), "90000");

  std::string empty = "{";
  for (int i = 0; i < 18; ++i) empty += std::string(i ? "," : "") + "\"" + kProfileMembers[i] + "\":\"\"";
  empty += "}";
  for (const char* id : {"", "99999", "demo", "10001x", "%31%30%30%30%32x"}) {
    auto unknown = Get(platform.port(), rank + id);
    ASSERT_TRUE(unknown) << id;
    EXPECT_EQ(unknown->status, 200) << id;
    EXPECT_EQ(unknown->body, empty) << id;
  }
}

TEST(DevPlatformServices, FollowTheVersionFileAddresses) {
  Options options = AnyPorts();
  options.set = {{"login", "{{FORUM}}/member/in.php?from=client"}, {"rank", "{{BASE}}/pages/rank.html"}};
  DevPlatform platform(options);
  ASSERT_TRUE(platform.Start()) << platform.error();
  auto moved = Post(platform.port(), "/member/in.php?from=client", "p_username=demo&p_password=demo123");
  ASSERT_TRUE(moved);
  EXPECT_NE(moved->body.find("\"rcode\":\"10001\""), std::string::npos) << moved->body;
  auto old = Post(platform.port(), "/user/login.php", "p_username=demo&p_password=demo123");
  ASSERT_TRUE(old);
  EXPECT_EQ(old->status, 404);
  // Without a query the id runs straight on from the page's name.
  auto profile = Get(platform.port(), "/pages/rank.html10002");
  ASSERT_TRUE(profile);
  EXPECT_NE(profile->body.find("\"pCsid\":\"percent\""), std::string::npos) << profile->body;
}

TEST(DevPlatformServices, EmptyRepliesAreCountedPerService) {
  Options options = AnyPorts();
  options.emptyLogins = 2;
  options.emptyProfiles = 1;
  DevPlatform platform(options);
  ASSERT_TRUE(platform.Start()) << platform.error();
  const std::string form = "p_username=demo&p_password=demo123&p_random=11111";
  // The first profile request comes between the logins: each service keeps its own count,
  // and the two servers share one.
  auto login1 = Post(platform.port(), "/user/login.php", form);
  auto profile1 = Get(platform.port(), "/user/profile.php?uid=10001");
  auto login2 = Post(platform.fallbackPort(), "/user/login.php", form);
  auto version = Get(platform.port(), "/dlq/version.ini");
  auto login3 = Post(platform.port(), "/user/login.php", form);
  auto profile2 = Get(platform.fallbackPort(), "/user/profile.php?uid=10001");
  for (auto* reply : {&login1, &profile1, &login2, &version, &login3, &profile2}) {
    ASSERT_TRUE(*reply);
    EXPECT_EQ((*reply)->status, 200);
  }
  EXPECT_EQ(login1->body, "");
  EXPECT_EQ(login2->body, "");
  EXPECT_EQ(profile1->body, "");
  EXPECT_NE(login3->body.find("\"rcode\":\"10001\""), std::string::npos);
  EXPECT_NE(profile2->body.find("\"pCsid\":\"demo\""), std::string::npos);
  EXPECT_EQ(version->body.rfind("ver=", 0), 0u);
  // The empty answers still record what was sent.
  EXPECT_EQ(FieldOf(platform.requests()[0].form, "p_random"), "11111");

  // A restart counts from the beginning again.
  platform.Stop();
  ASSERT_TRUE(platform.Start()) << platform.error();
  auto again = Post(platform.port(), "/user/login.php", form);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->body, "");
}

TEST(DevPlatformMainWindow, ItemNamesLocationMasterListAndTicker) {
  DevPlatform platform(AnyPorts());
  ASSERT_TRUE(platform.Start()) << platform.error();

  auto items = Get(platform.port(), TargetOf(Served(platform, "prop")));
  ASSERT_TRUE(items);
  EXPECT_EQ(items->status, 200);
  const std::string& names = items->body;
  EXPECT_EQ(names.rfind("ak47_gold=黄金AK47\r\n", 0), 0u) << names;  // GBK literal
  EXPECT_NE(names.find("\r\n deagle_fire = 烈焰沙漠之鹰\r\n"), std::string::npos) << names;
  EXPECT_EQ(names.substr(names.size() - 2), "\r\n");
  // Every item the demo account owns has a line, except the one it owns to show a gap.
  for (const char* item : {"ak47_gold", "awp_dragon", "m4a1_silver"}) {
    EXPECT_NE(("\r\n" + names).find(std::string("\r\n") + item + "="), std::string::npos) << item;
  }
  EXPECT_EQ(names.find("no_such_item"), std::string::npos);

  auto location = Get(platform.port(), TargetOf(Served(platform, "IPapi")));
  ASSERT_TRUE(location);
  JsonReader json;
  ASSERT_TRUE(json.Parse(location->body));
  EXPECT_EQ(json.GetValue("country"), "\\u4e2d\\u56fd");
  EXPECT_EQ(UnescapeText(json.GetValue("country")) + UnescapeText(json.GetValue("province")) +
                UnescapeText(json.GetValue("city")) + UnescapeText(json.GetValue("isp")) + " IP:" + json.GetValue("ip"),
            "中国广东深圳电信 IP:127.0.0.1");  // GBK literal

  auto master = Get(platform.port(), TargetOf(Served(platform, "Master")));
  ASSERT_TRUE(master);
  EXPECT_EQ(master->get_header_value("Content-Type"), "application/octet-stream");
  EXPECT_EQ(master->body.rfind("\"MasterServers\"\r\n{\r\n\t\"hl1\"\r\n", 0), 0u) << master->body;
  EXPECT_NE(master->body.find("\"addr\"\t\t\"127.0.0.1:27010\""), std::string::npos);

  // The ticker text is used exactly as sent: no line end to draw, nothing that reads as a
  // failed fetch, and pieces in colours 6, 1, 9 and 3 with one hidden behind a 0.
  auto ticker = Get(platform.port(), TargetOf(Served(platform, "MSG")));
  ASSERT_TRUE(ticker);
  const std::string& text = ticker->body;
  EXPECT_EQ(text.rfind("#6服务器今晚", 0), 0u) << text;  // GBK literal
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(text.find("404"), std::string::npos);
  EXPECT_EQ(text.find("该页"), std::string::npos);
  std::string colours;
  for (std::size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at + 1)) colours += text[at + 1];
  EXPECT_EQ(colours, "61903");
}

TEST(DevPlatformForms, Decoding) {
  struct Case {
    const char* body;
    FormFields fields;
  };
  const Case cases[] = {
      {"a=1&b=x+y&c=%41%2b%2B", {{"a", "1"}, {"b", "x y"}, {"c", "A++"}}},
      {"a=%zz&b=%4&c=%", {{"a", "%zz"}, {"b", "%4"}, {"c", "%"}}},
      {"flag&&=v&x==y", {{"flag", ""}, {"", "v"}, {"x", "=y"}}},
      {"n%61me=%C4%E3%BA%C3", {{"name", "\xC4\xE3\xBA\xC3"}}},  // GBK bytes pass through
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeForm(c.body), c.fields) << c.body;
  EXPECT_EQ(FieldOf({{"a", "1"}, {"a", "2"}}, "a"), "1");
  EXPECT_EQ(PercentDecode("a+b%2F", false), "a+b/");
}

TEST(DevPlatformForms, JsonStrings) {
  struct Case {
    std::string utf8, json;
  };
  const Case cases[] = {
      {"plain 1/2", "\"plain 1/2\""},
      {"\"\\\n\r\t\x01", "\"\\\"\\\\\\n\\r\\t\\u0001\""},
      {u8"演示", "\"\\u6f14\\u793a\""},
      {u8"\U0001F600", "\"\\ud83d\\ude00\""},
      {"\xC4\xE3!", "\"\\ufffd\\ufffd!\""},        // GBK, not UTF-8
      {"\xE6\xBC", "\"\\ufffd\\ufffd\""},           // cut short
      {"\xC0\xAF\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd\""},  // overlong, surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(JsonString(c.utf8), c.json) << c.utf8;
  for (const char* yes : {"0", "-131", "3725"}) EXPECT_TRUE(IsJsonInteger(yes)) << yes;
  for (const char* no : {"", "-", "007", "1.5", "12a", "1 "}) EXPECT_FALSE(IsJsonInteger(no)) << no;
}

TEST(DevPlatformUsers, TableFileAndItsMistakes) {
  UserTable users;
  std::string error;
  ASSERT_TRUE(users.Parse("# c\r\n\r\n[a]\r\npassword= p=q \r\nid=7\r\npOnline=60\r\n[b]\nrefuse=-3377\n", &error)) << error;
  ASSERT_EQ(users.accounts().size(), 2u);
  EXPECT_EQ(users.ByName("a")->password, " p=q ");
  EXPECT_EQ(users.ByName("a")->profile[4], "60");
  EXPECT_EQ(users.ById("7"), users.ByName("a"));
  EXPECT_EQ(users.ById(""), nullptr) << "b has no id";
  EXPECT_EQ(users.ByName("b")->refusal, "-3377");

  struct Bad {
    const char* text;
    const char* where;
  };
  const Bad bad[] = {
      {"password=x\n", "line 1"}, {"[a]\nid=1\nnick=x\n", "line 3"}, {"[a]\nid=1\njust text\n", "line 3"},
      {"[a]\nid=1\n[a]\nid=2\n", "line 3"}, {"[]\n", "line 1"}, {"[a]\npassword=x\n", "no id"},
  };
  for (const Bad& b : bad) {
    UserTable table;
    EXPECT_FALSE(table.Parse(b.text, &error)) << b.text;
    EXPECT_NE(error.find(b.where), std::string::npos) << error;
  }

  // The repository's table holds the account --help names, and a broken table stops Start.
  UserTable fixture;
  ASSERT_TRUE(fixture.Load(UsersFileOf(SourceFixtures()), &error)) << error;
  ASSERT_NE(fixture.ByName(kDemoUser), nullptr);
  EXPECT_EQ(fixture.ByName(kDemoUser)->password, kDemoPassword);
  EXPECT_EQ(DemoAccountLine(), "demo account: demo / demo123");
  std::string help = AccountOptionsHelp(UsersFileOf(SourceFixtures()));
  EXPECT_NE(help.find("\n" + DemoAccountLine() + "\n"), std::string::npos) << help;
  EXPECT_NE(help.find("  percent / R&D=50%+1  (id 10002)\n"), std::string::npos) << help;

  std::string folder = ::testing::TempDir() + "devplatform_users_" + std::to_string(getpid());
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  ASSERT_EQ(mkdir((folder + "/user").c_str(), 0700), 0);
  { std::ofstream(UsersFileOf(folder)) << "[a]\nid=1\nnick=x\n"; }
  Options options = AnyPorts();
  options.fixtures = folder;
  DevPlatform platform(options);
  EXPECT_FALSE(platform.Start());
  EXPECT_NE(platform.error().find("users.txt: line 3: unknown key nick"), std::string::npos) << platform.error();
  std::remove(UsersFileOf(folder).c_str());
  rmdir((folder + "/user").c_str());
  rmdir(folder.c_str());
}

TEST(DevPlatformUsers, CommandLineCounts) {
  std::vector<std::string> args = {"--port", "0", "--empty-logins", "3", "--lf-only", "--empty-profiles=2"};
  Options options;
  std::string error;
  ASSERT_TRUE(TakeAccountOptions(&args, &options, &error)) << error;
  EXPECT_EQ(options.emptyLogins, 3);
  EXPECT_EQ(options.emptyProfiles, 2);
  EXPECT_EQ(args, (std::vector<std::string>{"--port", "0", "--lf-only"}));
  for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
           {"--empty-logins"}, {"--empty-logins", "-1"}, {"--empty-profiles="}, {"--empty-profiles", "2x"}}) {
    Options unchanged;
    EXPECT_FALSE(TakeAccountOptions(&bad, &unchanged, &error)) << bad[0];
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

}  // namespace
}  // namespace devplatform
