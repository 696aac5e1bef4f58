// The resumable download through WinINet against scripted HTTP peers, into real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "net/download.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "unit/http_canned_replies.h"
#include "unit/http_canned_server.h"

namespace fs = std::filesystem;

namespace {

struct Report {
  std::int32_t total, downloaded, elapsed, thisRun;
};

class DownloadWinInet : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("varkon-download-") + info->name());
    Clear();
    fs::create_directories(folder_);
  }
  void TearDown() override { Clear(); }
  void Clear() {
    std::error_code ignored;
    if (!fs::exists(folder_, ignored)) return;
    for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored))
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder_, ignored);
  }
  Text In(const Text& name) const {
    std::wstring wide = folder_.wstring();
    return platform::WideToAnsi(std::u16string(wide.begin(), wide.end())) + "\\" + name;
  }
  std::string Read(const Text& name) const {
    Bytes bytes = platform::ReadWholeFile(In(name));
    return std::string(bytes.begin(), bytes.end());
  }
  void Put(const Text& name, const std::string& content) {
    ASSERT_TRUE(platform::WriteWholeFile(In(name), BytesFromText(content)));
  }
  bool ReadOnly(const Text& name) const {
    DWORD attributes = ::GetFileAttributesW(fs::path(folder_ / name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  }
  DownloadProgress Recording() {
    reports_.clear();
    return [this](std::int32_t t, std::int32_t d, std::int32_t e, std::int32_t r) { reports_.push_back({t, d, e, r}); };
  }
  void ExpectConsistent(std::int32_t total, std::int32_t offset, std::size_t body) {
    std::int32_t previous = offset;
    for (const Report& r : reports_) {
      EXPECT_EQ(total, r.total);
      EXPECT_GT(r.downloaded, previous);
      EXPECT_LE(r.downloaded - previous, 10240);
      EXPECT_EQ(r.downloaded - offset, r.thisRun);
      EXPECT_GT(r.elapsed, 0);
      previous = r.downloaded;
    }
    ASSERT_FALSE(reports_.empty());
    EXPECT_EQ(offset + static_cast<std::int32_t>(body), reports_.back().downloaded);
  }

  fs::path folder_;
  std::vector<Report> reports_;
};

TEST_F(DownloadWinInet, WritesTheWholeBodyIntoANewFolderChainAndProtectsIt) {
  const std::string body = Content(100 * 1024 + 7);
  CannedServer server({{Reply("200 OK", body)}});
  EXPECT_EQ(0, Download(server.url("/files/de_dust.bsp"), In("res\\maps\\de_dust.bsp"), Recording()));
  EXPECT_EQ(body, Read("res\\maps\\de_dust.bsp"));
  EXPECT_TRUE(ReadOnly("res/maps/de_dust.bsp"));
  ExpectConsistent(static_cast<std::int32_t>(body.size()), 0, body.size());
  std::string request = server.request(0);
  EXPECT_EQ(0u, request.find("GET /files/de_dust.bsp HTTP/1.1\r\n"));
  EXPECT_NE(std::string::npos,
            request.find("Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)"));
}

TEST_F(DownloadWinInet, BodiesOfEveryShapeArriveWhole) {
  const std::string body = Content(25000);
  const std::string whole = Reply("200 OK", body);
  struct Case {
    const char* name;
    CannedServer::Reply reply;
    std::string expected;
    std::int32_t total;
  } cases[] = {
      {"in short pieces", {whole.substr(0, 200), whole.substr(200, 3000), whole.substr(3200)}, body, 25000},
      {"without length", {Reply("200 OK", body, false)}, body, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CannedServer server({c.reply});
    EXPECT_EQ(0, Download(server.url("/f"), In("f.bin"), Recording(), std::nullopt, 0));
    EXPECT_EQ(c.expected, Read("f.bin"));
    ExpectConsistent(c.total, 0, c.expected.size());
  }
}

TEST_F(DownloadWinInet, AnEmptyBodyMakesAnEmptyFileWithoutProgress) {
  CannedServer server({{Reply("200 OK", "")}});
  Put("old.txt", "previous content");
  EXPECT_EQ(0, Download(server.url("/empty"), In("old.txt"), Recording()));
  EXPECT_EQ("", Read("old.txt"));
  EXPECT_TRUE(reports_.empty());
}

TEST_F(DownloadWinInet, AnErrorPageLeavesTheTargetAsItWas) {
  CannedServer server({{Reply("404 Not Found", "<html>not here</html>")}});
  Put("kept.bin", "partial");
  EXPECT_EQ(-1, Download(server.url("/x"), In("kept.bin"), Recording(), 7));
  EXPECT_EQ(-1, Download(server.url("/x"), In("sub\\new.bin"), Recording()));
  EXPECT_EQ("partial", Read("kept.bin"));
  EXPECT_FALSE(platform::FileExists(In("sub\\new.bin")));
  EXPECT_TRUE(reports_.empty());
}

TEST_F(DownloadWinInet, ResumeAppendsWhatA206SendsAndRestartsOnA200) {
  const std::string whole = Content(30000);
  CannedServer server({{"HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 10000-29999/30000\r\nContent-Length: "
                        "20000\r\n\r\n" +
                        whole.substr(10000)},
                       {Reply("200 OK", whole)}});
  Put("part.bin", whole.substr(0, 10000));
  EXPECT_EQ(0, Download(server.url("/part.bin"), In("part.bin"), Recording(), 10000, 0));
  EXPECT_EQ(whole, Read("part.bin"));
  // WinINet puts its blank after the colon.
  std::string request = AsciiLower(server.request(0));
  request.erase(std::remove(request.begin(), request.end(), ' '), request.end());
  EXPECT_NE(std::string::npos, request.find("\r\nrange:bytes=10000-\r\n")) << server.request(0);
  ExpectConsistent(20000, 10000, 20000);

  Put("part.bin", whole.substr(0, 10000));
  EXPECT_EQ(0, Download(server.url("/part.bin"), In("part.bin"), Recording(), 10000, 0));
  EXPECT_EQ(whole, Read("part.bin"));
  ExpectConsistent(30000, 0, whole.size());
}

TEST_F(DownloadWinInet, ProtectionOneOverwritesAReadOnlyTargetAndProtectsItAgain) {
  Put("locked.cfg", "old");
  ASSERT_TRUE(::SetFileAttributesW((folder_ / "locked.cfg").c_str(), FILE_ATTRIBUTE_READONLY));
  CannedServer server({{Reply("200 OK", "new content")}});
  EXPECT_EQ(0, Download(server.url("/c"), In("locked.cfg"), nullptr));
  EXPECT_EQ("new content", Read("locked.cfg"));
  EXPECT_TRUE(ReadOnly("locked.cfg"));
}

TEST_F(DownloadWinInet, ProtectionZeroFailsOnAReadOnlyTarget) {
  Put("locked.cfg", "old");
  ASSERT_TRUE(::SetFileAttributesW((folder_ / "locked.cfg").c_str(), FILE_ATTRIBUTE_READONLY));
  // Wine run by the superuser lets anyone write a read-only file.
  HANDLE probe = ::CreateFileW((folder_ / "locked.cfg").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    ::CloseHandle(probe);
    GTEST_SKIP() << "read-only files are writable here";
  }
  CannedServer server({{Reply("200 OK", "other")}});
  EXPECT_EQ(-1, Download(server.url("/c"), In("locked.cfg"), nullptr, std::nullopt, 0));
  EXPECT_EQ("old", Read("locked.cfg"));
}

TEST_F(DownloadWinInet, ARedirectLoopFailsAfterTenFollows) {
  CannedServer server({{"HTTP/1.1 302 Found\r\nLocation: {{BASE}}/loop\r\nContent-Length: 0\r\n\r\n"}});
  EXPECT_EQ(-1, Download(server.url("/loop"), In("f.txt"), nullptr));
  EXPECT_EQ(11u, server.requests().size());
  EXPECT_FALSE(platform::FileExists(In("f.txt")));
}

TEST_F(DownloadWinInet, NoServerMeansFailure) {
  std::string url;
  {
    CannedServer gone({});
    url = gone.url("/x");
  }
  EXPECT_EQ(-1, Download(url, In("x"), nullptr));
  EXPECT_FALSE(platform::FileExists(In("x")));
}

}  // namespace
