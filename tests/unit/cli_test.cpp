#include <gtest/gtest.h>

#include <fstream>

#include "cli_run.h"
#include "stand_in.h"
#include "temp_dir.h"

namespace {

TEST(Cli, DigestPrintsLikeMd5sum) {
  TempDir dir;
  std::ofstream(dir.File("abc.txt")) << "abc";
  CliResult r = RunCli({"digest", dir.File("abc.txt")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "900150983cd24fb0d6963f7d28e17f72  " + dir.File("abc.txt") + "\n");
  EXPECT_EQ(RunCli({"digest", dir.File("missing")}).status, 1);
  EXPECT_EQ(RunCli({"digest"}).status, 2);
  EXPECT_EQ(RunCli({"no-such-verb"}).status, 2);
}

TEST(Cli, ConfigListsEveryKeyThenTheDownloadList) {
  StandIn standIn({}, false);
  TempDir dir;
  std::ofstream(dir.File("version.ini"), std::ios::binary)
      << "ver=2.5.6.18\r\nMSG=\xC4\xE3\xBA\xC3\ta\\b\r\nDwlist=" << standIn.platform.baseUrl() << "/dlq/dwlist.txt\r\n";
  CliResult r = RunCli({"config", dir.File("version.ini")});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 18), "ver=2.5.6.18\nHash=");
  EXPECT_NE(r.out.find(u8"\nMSG=你好\\ta\\\\b\n"), std::string::npos) << r.out;  // GBK shown as UTF-8, escaped
  EXPECT_NE(r.out.find("\nlogin=\n"), std::string::npos);  // empty fields are listed too
  EXPECT_NE(r.out.find("\nDwlist[0]="), std::string::npos);
  EXPECT_NE(r.out.find("\nDwlist[1]="), std::string::npos);
  EXPECT_EQ(r.out.find("Dwlist[2]"), std::string::npos);
  EXPECT_EQ(RunCli({"config", dir.File("none.ini")}).status, 1);
}

}  // namespace

namespace {

TEST(Cli, JsonListsItemsOrOneValue) {
  TempDir dir;
  std::ofstream(dir.File("r.json")) << "{\"rcode\":-131,\"name\":\"a\\tb\",\"list\":[1,{\"x\":true}]}";
  CliResult all = RunCli({"json", dir.File("r.json")});
  ASSERT_EQ(all.status, 0);
  EXPECT_EQ(all.out,
            "rcode\t4\t-131\nname\t3\ta\\\\tb\nlist\t2\t[1,{\"x\":true}]\nlist[0]\t4\t1\n"
            "list[1]\t1\t{\"x\":true}\nlist[1].x\t5\ttrue\n");
  EXPECT_EQ(RunCli({"json", dir.File("r.json"), "list[1].x"}).out, "true\n");
  std::ofstream(dir.File("bad.json")) << "not json";
  CliResult bad = RunCli({"json", dir.File("bad.json")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "");
}

TEST(Cli, UnescapeTakesAndPrintsUtf8) {
  EXPECT_EQ(RunCli({"unescape", "\\u0041\\u4e2d 100%25"}).out, u8"A中 100%\n");
  EXPECT_EQ(RunCli({"unescape", u8"玩家\\n"}).out, u8"玩家\\n\n");
  EXPECT_EQ(RunCli({"unescape"}).status, 2);
}

}  // namespace

namespace {

TEST(Cli, HttpPrintsStatusHeadersAndBody) {
  StandIn standIn({}, false);
  CliResult r = RunCli({"http", standIn.platform.baseUrl() + "/dlq/dwlist.txt"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 16), "HTTP/1.1 200 OK\n");
  EXPECT_NE(r.out.find("\ncookies: \nlocation: "), std::string::npos);
  std::size_t blank = r.out.find("\n\n");
  ASSERT_NE(blank, std::string::npos);
  EXPECT_NE(r.out.find("\ncontent-length: " + std::to_string(r.out.size() - blank - 2) + "\n"), std::string::npos);
  EXPECT_EQ(RunCli({"http", "http://127.0.0.1:1/"}).status, 1);
  EXPECT_EQ(RunCli({"http", "http://x/", "--get"}).status, 2);
}

TEST(Cli, DownloadWritesTheFileOrFails) {
  StandIn standIn({}, false);
  TempDir dir;
  CliResult r = RunCli({"download", standIn.platform.baseUrl() + "/dlq/dwlist.txt", dir.File("sub/list.txt")});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("sub/list.txt")));
  EXPECT_EQ(RunCli({"download", standIn.platform.baseUrl() + "/missing", dir.File("x")}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x")));
}

}  // namespace
