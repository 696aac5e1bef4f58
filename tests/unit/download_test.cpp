// The resumable download against scripted HTTP peers on loopback, into real temporary files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <fstream>

#include "net/download.h"
#include "platform/files.h"
#include "unit/http_canned_replies.h"
#include "unit/http_canned_server.h"
#include "unit/temp_dir.h"

namespace {

struct Report {
  std::int32_t total, downloaded, elapsed, thisRun;
};

struct Recorder {
  std::vector<Report> reports;
  DownloadProgress callback() {
    return [this](std::int32_t t, std::int32_t d, std::int32_t e, std::int32_t r) { reports.push_back({t, d, e, r}); };
  }
};

std::string FileText(const std::string& path) {
  Bytes bytes = platform::ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

void Put(const std::string& path, const std::string& content) {
  ASSERT_TRUE(platform::WriteWholeFile(path, BytesFromText(content)));
}

bool IsReadOnly(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

// The checks every successful run must pass: pieces of at most 10240 bytes, counts that add up.
void ExpectConsistent(const std::vector<Report>& reports, std::int32_t total, std::int32_t offset, std::size_t body) {
  std::int32_t previous = offset;
  for (const Report& r : reports) {
    EXPECT_EQ(total, r.total);
    EXPECT_GT(r.downloaded, previous);
    EXPECT_LE(r.downloaded - previous, 10240);
    EXPECT_EQ(r.downloaded - offset, r.thisRun);
    EXPECT_GT(r.elapsed, 0);
    previous = r.downloaded;
  }
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(offset + static_cast<std::int32_t>(body), reports.back().downloaded);
}

TEST(Download, WritesTheWholeBodyIntoANewFolderChainAndProtectsIt) {
  const std::string body = Content(100 * 1024 + 7);
  CannedServer server({{Reply("200 OK", body)}});
  TempDir dir;
  const std::string target = dir.path.string() + "\\res\\maps\\de_dust.bsp";
  Recorder progress;
  EXPECT_EQ(0, Download(server.url("/files/de_dust.bsp"), target, progress.callback()));
  const std::string native = dir.File("res/maps/de_dust.bsp");
  EXPECT_EQ(body, FileText(native));
  EXPECT_TRUE(IsReadOnly(native));
  ExpectConsistent(progress.reports, static_cast<std::int32_t>(body.size()), 0, body.size());

  std::string request = server.request(0);
  EXPECT_EQ(0u, request.find("GET /files/de_dust.bsp HTTP/1.1\r\n"));
  EXPECT_NE(std::string::npos,
            request.find("\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nAccept-Encoding: gzip, deflate\r\nUser-Agent: "
                         "Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)\r\n"));
  EXPECT_EQ(std::string::npos, request.find("Range"));
}

TEST(Download, BodiesOfEveryShapeArriveWhole) {
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
      {"chunked",
       {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "3\r\nabc\r\n", "2\r\nde\r\n0\r\n\r\n"},
       "abcde", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CannedServer server({c.reply});
    TempDir dir;
    Recorder progress;
    EXPECT_EQ(0, Download(server.url("/f"), dir.File("f.bin"), progress.callback(), std::nullopt, 0));
    EXPECT_EQ(c.expected, FileText(dir.File("f.bin")));
    EXPECT_FALSE(IsReadOnly(dir.File("f.bin")));
    ExpectConsistent(progress.reports, c.total, 0, c.expected.size());
  }
}

TEST(Download, AnEmptyBodyMakesAnEmptyFileWithoutProgress) {
  CannedServer server({{Reply("200 OK", "")}});
  TempDir dir;
  Put(dir.File("old.txt"), "previous content");
  Recorder progress;
  EXPECT_EQ(0, Download(server.url("/empty"), dir.File("old.txt"), progress.callback()));
  EXPECT_EQ("", FileText(dir.File("old.txt")));
  EXPECT_TRUE(progress.reports.empty());
}

TEST(Download, AnErrorPageLeavesTheTargetAsItWas) {
  const std::string statuses[] = {"404 Not Found", "500 Internal Server Error", "302 Found"};
  for (const std::string& status : statuses) {
    SCOPED_TRACE(status);
    CannedServer server({{Reply(status, "<html>not here</html>")}});
    TempDir dir;
    Put(dir.File("kept.bin"), "partial");
    Recorder progress;
    EXPECT_EQ(-1, Download(server.url("/x"), dir.File("kept.bin"), progress.callback(), 7));
    EXPECT_EQ(-1, Download(server.url("/x"), dir.File("sub\\new.bin"), progress.callback()));
    EXPECT_EQ("partial", FileText(dir.File("kept.bin")));
    EXPECT_FALSE(platform::FileExists(dir.File("sub/new.bin")));
    EXPECT_TRUE(progress.reports.empty());
  }
}

TEST(Download, ResumeAppendsWhatA206Sends) {
  const std::string whole = Content(30000);
  CannedServer server({{"HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 10000-29999/30000\r\nContent-Length: "
                        "20000\r\n\r\n" +
                        whole.substr(10000)}});
  TempDir dir;
  Put(dir.File("part.bin"), whole.substr(0, 10000));
  Recorder progress;
  EXPECT_EQ(0, Download(server.url("/part.bin"), dir.File("part.bin"), progress.callback(), 10000));
  EXPECT_EQ(whole, FileText(dir.File("part.bin")));
  EXPECT_NE(std::string::npos, server.request(0).find("\r\nRange:bytes=10000-\r\n"));
  ExpectConsistent(progress.reports, 20000, 10000, 20000);
}

TEST(Download, AServerIgnoringTheRangeHasItsFileWrittenFromTheStart) {
  const std::string whole = Content(30000);
  CannedServer server({{Reply("200 OK", whole)}});
  TempDir dir;
  Put(dir.File("part.bin"), whole.substr(0, 10000));
  Recorder progress;
  EXPECT_EQ(0, Download(server.url("/part.bin"), dir.File("part.bin"), progress.callback(), 10000));
  EXPECT_EQ(whole, FileText(dir.File("part.bin")));
  ExpectConsistent(progress.reports, 30000, 0, whole.size());
}

TEST(Download, ResumeCreatesAMissingFile) {
  CannedServer server({{"HTTP/1.1 206 Partial Content\r\nContent-Length: 3\r\n\r\nxyz"}});
  TempDir dir;
  EXPECT_EQ(0, Download(server.url("/p"), dir.File("gone.bin"), nullptr, 5));
  EXPECT_EQ("xyz", FileText(dir.File("gone.bin")));
}

TEST(Download, ProtectionOneOverwritesAReadOnlyTargetAndProtectsItAgain) {
  TempDir dir;
  const std::string target = dir.File("locked.cfg");
  Put(target, "old");
  ASSERT_EQ(0, ::chmod(target.c_str(), 0444));
  CannedServer server({{Reply("200 OK", "new content")}});
  EXPECT_EQ(0, Download(server.url("/c"), target, nullptr));
  EXPECT_EQ("new content", FileText(target));
  EXPECT_TRUE(IsReadOnly(target));
}

TEST(Download, ProtectionZeroFailsOnAReadOnlyTarget) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes read-only files";
  TempDir dir;
  const std::string target = dir.File("locked.cfg");
  Put(target, "old");
  ASSERT_EQ(0, ::chmod(target.c_str(), 0444));
  CannedServer server({{Reply("200 OK", "other")}});
  EXPECT_EQ(-1, Download(server.url("/c"), target, nullptr, std::nullopt, 0));
  EXPECT_EQ("old", FileText(target));
}

TEST(Download, RedirectsAreFollowedToTheFile) {
  CannedServer server({{"HTTP/1.1 302 Found\r\nLocation: /real/file.txt\r\nContent-Length: 0\r\n\r\n"},
                       {Reply("200 OK", "the file")}});
  TempDir dir;
  EXPECT_EQ(0, Download(server.url("/alias"), dir.File("f.txt"), nullptr));
  EXPECT_EQ("the file", FileText(dir.File("f.txt")));
  EXPECT_EQ("GET /real/file.txt HTTP/1.1", server.requestLines().at(1));
}

TEST(Download, ARedirectLoopFailsAfterTenFollows) {
  CannedServer server({{"HTTP/1.1 301 Moved Permanently\r\nLocation: {{BASE}}/loop\r\nContent-Length: 0\r\n\r\n"}});
  TempDir dir;
  EXPECT_EQ(-1, Download(server.url("/loop"), dir.File("f.txt"), nullptr));
  EXPECT_EQ(11u, server.requests().size());
  EXPECT_FALSE(platform::FileExists(dir.File("f.txt")));
}

TEST(Download, ABrokenTransferKeepsThePartUnprotected) {
  CannedServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + std::string(40, 'p')}});
  TempDir dir;
  EXPECT_EQ(-1, Download(server.url("/big"), dir.File("big.bin"), nullptr));
  EXPECT_EQ(std::string(40, 'p'), FileText(dir.File("big.bin")));
  EXPECT_FALSE(IsReadOnly(dir.File("big.bin")));
}

TEST(Download, NoServerMeansFailureAndNoFile) {
  std::string url;
  {
    CannedServer gone({});
    url = gone.url("/x");
  }
  TempDir dir;
  EXPECT_EQ(-1, Download(url, dir.File("x"), nullptr));
  EXPECT_EQ(-1, Download("not a url", dir.File("x"), nullptr));
  EXPECT_FALSE(platform::FileExists(dir.File("x")));
}

// The open file is known by its number while it is written; closing it ends the download.
TEST(Download, ClosingTheOpenFileEndsTheDownload) {
  const std::string body = Content(50000);
  CannedServer server({{Reply("200 OK", body)}});
  TempDir dir;
  std::atomic<int> openFile{0};
  int seen = 0;
  int calls = 0;
  auto closeAtFirstPiece = [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    ++calls;
    seen = openFile.load();
    CloseDownload(seen);
  };
  EXPECT_EQ(-1, Download(server.url("/f"), dir.File("f.bin"), closeAtFirstPiece, std::nullopt, 1, &openFile));
  EXPECT_NE(0, seen);
  EXPECT_EQ(1, calls);
  EXPECT_EQ(0, openFile.load());
  EXPECT_FALSE(IsReadOnly(dir.File("f.bin")));
  EXPECT_LT(FileText(dir.File("f.bin")).size(), body.size());
  CloseDownload(seen);  // closing again does nothing
  CloseDownload(0);
}

}  // namespace
