// The stand-in platform seen from outside: real loopback sockets, real files.
#include <gtest/gtest.h>
#include <httplib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "dev_platform.h"
#include "options.h"

namespace devplatform {
namespace {

Options AnyPorts() {
  Options options;
  options.port = 0;
  options.fallbackPort = 0;
  return options;
}

httplib::Result Get(int port, const std::string& path) {
  httplib::Client client("127.0.0.1", port);
  client.set_keep_alive(false);
  return client.Get(path.c_str());
}

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "devplatform_" + std::to_string(getpid()) + "_" + name;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(DevPlatformVersionFile, BothServersServeTheFixtureWithAddressesAndCrLf) {
  DevPlatform platform(AnyPorts());
  ASSERT_TRUE(platform.Start()) << platform.error();
  auto primary = Get(platform.port(), "/dlq/version.ini");
  auto fallback = Get(platform.fallbackPort(), "/dlq/version.ini");
  ASSERT_TRUE(primary && fallback);
  EXPECT_EQ(primary->status, 200);
  EXPECT_EQ(primary->body, fallback->body);
  const std::string& body = primary->body;
  EXPECT_EQ(body.rfind("ver=2.5.6.18\r\nHash=0\r\n", 0), 0u) << body;
  EXPECT_NE(body.find("\r\nDwlist=" + platform.baseUrl() + "/dlq/dwlist.txt\r\n"), std::string::npos) << body;
  EXPECT_NE(body.find("\r\nsignup=" + platform.fallbackUrl() + "/"), std::string::npos) << body;
  EXPECT_EQ(body.find("{{"), std::string::npos);
  EXPECT_EQ(body.substr(body.size() - 2), "\r\n");
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\n') {
      ASSERT_EQ(body[i - 1], '\r') << "bare LF at " << i;
    }
  }
}

TEST(DevPlatformVersionFile, EditsHashAndLineEnds) {
  std::string exe = TempPath("exe");
  { std::ofstream(exe, std::ios::binary) << "abc"; }
  Options options = AnyPorts();
  options.exe = exe;
  options.lfOnly = true;
  options.unset = {"Close", "Button8"};
  options.set = {{"MSG", u8"欢迎 {{FORUM}}/x"}, {"link", "L"}, {"Extra", ""}};
  DevPlatform platform(options);
  ASSERT_TRUE(platform.Start()) << platform.error();
  auto reply = Get(platform.port(), "/dlq/version.ini");
  ASSERT_TRUE(reply);
  const std::string& body = reply->body;
  EXPECT_NE(body.find("\nHash=900150983cd24fb0d6963f7d28e17f72\n"), std::string::npos) << body;
  EXPECT_NE(body.find("\nMSG=欢迎 " + platform.fallbackUrl() + "/x\n"), std::string::npos);  // GBK literal
  EXPECT_NE(body.find("\nlink=L\nDownload="), std::string::npos) << "replaced in place";
  EXPECT_EQ(body.substr(body.size() - 8), "\nExtra=\n") << "appended";
  EXPECT_EQ(body.find("Close="), std::string::npos);
  EXPECT_EQ(body.find("Button8="), std::string::npos);
  EXPECT_EQ(body.find('\r'), std::string::npos);
  std::remove(exe.c_str());
}

TEST(DevPlatformVersionFile, FailureSwitches) {
  Options options = AnyPorts();
  options.emptyFirst = 3;
  options.errorPage = Which::Fallback;
  DevPlatform platform(options);
  ASSERT_TRUE(platform.Start()) << platform.error();
  // The empty answers are counted over both servers together.
  const int order[] = {platform.port(), platform.fallbackPort(), platform.port()};
  for (int port : order) {
    auto reply = Get(port, "/dlq/version.ini");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
    EXPECT_EQ(reply->body, "");
  }
  auto error = Get(platform.fallbackPort(), "/dlq/version.ini");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->status, 200);
  EXPECT_NE(error->body.find("该页"), std::string::npos);
  auto good = Get(platform.port(), "/dlq/version.ini");
  ASSERT_TRUE(good);
  EXPECT_EQ(good->body.rfind("ver=", 0), 0u);
  // Other fixtures on the error-page server are unaffected.
  auto page = Get(platform.fallbackPort(), "/pages/msg.html");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
}

TEST(DevPlatformServers, DownServerRefusesAndTheOtherServes) {
  for (Which down : {Which::Primary, Which::Fallback, Which::Both}) {
    Options options = AnyPorts();
    options.down = down;
    DevPlatform platform(options);
    ASSERT_TRUE(platform.Start()) << platform.error();
    ASSERT_GT(platform.port(), 0);
    ASSERT_GT(platform.fallbackPort(), 0);
    auto primary = Get(platform.port(), "/dlq/version.ini");
    auto fallback = Get(platform.fallbackPort(), "/dlq/version.ini");
    EXPECT_EQ(static_cast<bool>(primary), !Covers(down, true));
    EXPECT_EQ(static_cast<bool>(fallback), !Covers(down, false));
  }
}

TEST(DevPlatformServers, PortInUseFailsToStart) {
  DevPlatform first(AnyPorts());
  ASSERT_TRUE(first.Start()) << first.error();
  Options options;
  options.port = 0;
  options.fallbackPort = first.fallbackPort();
  DevPlatform second(options);
  EXPECT_FALSE(second.Start());
  EXPECT_NE(second.error().find(std::to_string(first.fallbackPort())), std::string::npos) << second.error();
  second.Stop();
  EXPECT_TRUE(Get(first.fallbackPort(), "/api/ip.txt"));
}

TEST(DevPlatformFiles, ConversionTypesAndMissingFiles) {
  DevPlatform platform(AnyPorts());
  ASSERT_TRUE(platform.Start()) << platform.error();
  auto text = Get(platform.port(), "/steam/provide.txt");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->body, "认证服务 1\r\n");  // GBK literal: converted from the UTF-8 file
  auto list = Get(platform.port(), "/dlq/dwlist.txt");
  ASSERT_TRUE(list);
  EXPECT_NE(list->body.find("\r\n\r\n\r\n"), std::string::npos);
  EXPECT_EQ(list->body.substr(list->body.size() - 2), "\r\n");
  auto home = Get(platform.fallbackPort(), "/forum/index.php?from=client&lang=zh");
  ASSERT_TRUE(home);
  EXPECT_EQ(home->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(home->body.find(u8"<title>瓦肯社区论坛"), std::string::npos);
  EXPECT_NE(home->body.find(platform.fallbackUrl() + "/forum/member.php"), std::string::npos);
  for (const char* missing : {"/nothing.html", "/dlq/", "/%2e%2e/fixtures/platform/dlq/version.ini", "/dlq/../dlq/version.ini"}) {
    auto reply = Get(platform.port(), missing);
    ASSERT_TRUE(reply) << missing;
    EXPECT_EQ(reply->status, 404) << missing;
  }
}

TEST(DevPlatformRequests, RecordedInOrderAndLogged) {
  std::string log = TempPath("log");
  std::remove(log.c_str());
  Options options = AnyPorts();
  options.logFile = log;
  DevPlatform platform(options);
  ASSERT_TRUE(platform.Start()) << platform.error();
  ASSERT_TRUE(Get(platform.port(), "/dlq/version.ini"));
  {
    httplib::Client client("127.0.0.1", platform.fallbackPort());
    ASSERT_TRUE(client.Post("/forum/member.php?mod=register&x=%20", "name=a b", "application/x-www-form-urlencoded"));
  }
  ASSERT_TRUE(Get(platform.port(), "/none"));
  std::vector<Request> seen = platform.requests();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].port, platform.port());
  EXPECT_EQ(seen[0].method, "GET");
  EXPECT_EQ(seen[0].path, "/dlq/version.ini");
  EXPECT_EQ(seen[0].query, "");
  EXPECT_EQ(seen[1].port, platform.fallbackPort());
  EXPECT_EQ(seen[1].method, "POST");
  EXPECT_EQ(seen[1].path, "/forum/member.php");
  EXPECT_EQ(seen[1].query, "mod=register&x=%20");
  EXPECT_EQ(seen[1].body, "name=a b");
  EXPECT_EQ(seen[2].path, "/none");

  std::string lines = ReadAll(log);
  std::istringstream in(lines);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(in, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 3u) << lines;
  EXPECT_NE(all[0].find(" " + std::to_string(platform.port()) + " GET /dlq/version.ini 200 "), std::string::npos) << all[0];
  EXPECT_NE(all[1].find(" POST /forum/member.php?mod=register&x=%20 200 "), std::string::npos) << all[1];
  EXPECT_NE(all[1].find(" body=name=a%20b"), std::string::npos) << all[1];
  EXPECT_NE(all[2].find(" GET /none 404 "), std::string::npos) << all[2];
  platform.Stop();
  std::remove(log.c_str());
}

TEST(DevPlatformCommandLine, GoodArguments) {
  ProgramOptions parsed;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"--port", "0", "--fallback-port=9", "--down", "fallback", "--error-page", "both",
                                "--empty-first", "3", "--lf-only", "--set", "a=b=c", "--set", "MSG=", "--unset", "Close",
                                "--log", "l", "--ready-file", "r", "--exe", "e", "--fixtures", "f", "--host", "::1"},
                               &parsed, &error))
      << error;
  const Options& o = parsed.platform;
  EXPECT_EQ(o.port, 0);
  EXPECT_EQ(o.fallbackPort, 9);
  EXPECT_EQ(o.down, Which::Fallback);
  EXPECT_EQ(o.errorPage, Which::Both);
  EXPECT_EQ(o.emptyFirst, 3);
  EXPECT_TRUE(o.lfOnly);
  ASSERT_EQ(o.set.size(), 2u);
  EXPECT_EQ(o.set[0], std::make_pair(std::string("a"), std::string("b=c")));
  EXPECT_EQ(o.set[1], std::make_pair(std::string("MSG"), std::string()));
  EXPECT_EQ(o.unset, std::vector<std::string>{"Close"});
  EXPECT_EQ(o.logFile, "l");
  EXPECT_EQ(parsed.readyFile, "r");
  EXPECT_EQ(o.exe, "e");
  EXPECT_EQ(o.fixtures, "f");
  EXPECT_EQ(o.host, "::1");
}

TEST(DevPlatformCommandLine, BadArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"}, {"--port"}, {"--port", "65536"}, {"--port", "-1"}, {"--port", "8x"},
      {"--down", "middle"}, {"--error-page", ""}, {"--empty-first", "-2"}, {"--set", "novalue"},
      {"--set", "=v"}, {"--unset", "a=b"}, {"--lf-only=1"}, {"--port", "7", "--fallback-port", "7"},
      {"--log", ""}, {"positional"},
  };
  for (const auto& args : cases) {
    ProgramOptions parsed;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(args, &parsed, &error)) << args[0];
    EXPECT_FALSE(error.empty()) << args[0];
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace devplatform
