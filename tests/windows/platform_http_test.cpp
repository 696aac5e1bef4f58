// HttpGet against a real HTTP server on loopback. VARKON_TEST_HTTP gives its base URL
// (e.g. http://127.0.0.1:8888/); VARKON_TEST_HTTP_ROOT, when set, the folder it serves, as a
// path this program can write (e.g. Z:\tmp\www), for the tests that put files there.
// A plain `python3 -m http.server 8888 --bind 127.0.0.1 --directory /tmp/www` will do.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/http_get.h"

namespace {

Text Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? Text(value) : Text();
}

class HttpGetTest : public testing::Test {
 protected:
  void SetUp() override {
    base_ = Environment("VARKON_TEST_HTTP");
    if (base_.empty()) GTEST_SKIP() << "VARKON_TEST_HTTP is not set";
    if (base_.back() != '/') base_ += '/';
    root_ = Environment("VARKON_TEST_HTTP_ROOT");
    if (!root_.empty() && root_.back() != '\\') root_ += '\\';
  }
  void TearDown() override {
    for (const Text& path : created_) platform::DeleteFileAt(path);
    std::error_code ignored;
    for (const std::filesystem::path& folder : folders_) std::filesystem::remove(folder, ignored);
  }
  // Puts a file where the server serves it; false when there is no such folder to use.
  bool Serve(const Text& name, const Bytes& content) {
    if (root_.empty()) return false;
    created_.push_back(root_ + name);
    return platform::WriteWholeFile(root_ + name, content);
  }

  Text base_;
  Text root_;
  std::vector<Text> created_;
  std::vector<std::filesystem::path> folders_;
};

TEST_F(HttpGetTest, TheBodyArrivesWhole) {
  Bytes content(300 * 1024 + 11);
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
  for (const Bytes& body : {Bytes{'o', 'k'}, content, Bytes{}}) {
    SCOPED_TRACE(body.size());
    if (!Serve("varkon-http-test.bin", body)) GTEST_SKIP() << "VARKON_TEST_HTTP_ROOT is not set";
    EXPECT_EQ(body, platform::HttpGet(base_ + "varkon-http-test.bin"));
  }
}

// Every fetch goes to the server: a changed file is seen at once.
TEST_F(HttpGetTest, NothingComesFromACache) {
  if (!Serve("varkon-http-fresh.txt", BytesFromText("first"))) GTEST_SKIP() << "VARKON_TEST_HTTP_ROOT is not set";
  ASSERT_EQ(BytesFromText("first"), platform::HttpGet(base_ + "varkon-http-fresh.txt"));
  ASSERT_TRUE(Serve("varkon-http-fresh.txt", BytesFromText("second, longer")));
  EXPECT_EQ(BytesFromText("second, longer"), platform::HttpGet(base_ + "varkon-http-fresh.txt"));
}

// A folder named without its slash is answered with a redirect to the slashed name.
TEST_F(HttpGetTest, RedirectsAreFollowed) {
  if (root_.empty()) GTEST_SKIP() << "VARKON_TEST_HTTP_ROOT is not set";
  Bytes page = BytesFromText("<p>moved here</p>");
  std::u16string folder = platform::AnsiToWide(root_ + "varkon-http-moved");
  std::filesystem::path path(std::wstring(folder.begin(), folder.end()));
  std::filesystem::create_directory(path);
  folders_.push_back(path);
  ASSERT_TRUE(Serve("varkon-http-moved\\index.html", page));
  EXPECT_EQ(page, platform::HttpGet(base_ + "varkon-http-moved"));
}

TEST_F(HttpGetTest, AMissingPageGivesNothing) {
  EXPECT_TRUE(platform::HttpGet(base_ + "varkon-no-such-page-4f1c.ini").empty());
}

}  // namespace

// Needs no server: nothing listens on these.
TEST(HttpGet, FailuresGiveNothing) {
  const Text urls[] = {"http://127.0.0.1:1/dlq/version.ini", "", "not a url", "ftp://127.0.0.1:1/x"};
  for (const Text& url : urls) {
    EXPECT_TRUE(platform::HttpGet(url).empty()) << url;
  }
}
