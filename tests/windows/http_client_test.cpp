// HttpClient through WinINet against scripted HTTP peers on loopback (a Winsock thread).
#include <gtest/gtest.h>

#include "net/http_client.h"
#include "net/http_headers.h"
#include "unit/http_canned_replies.h"
#include "unit/http_canned_server.h"

namespace {

// A header's value, the name matched without regard to case (WinINet may respell names).
std::string Header(const std::string& request, const std::string& name) {
  std::string lower = AsciiLower(request), key = "\r\n" + AsciiLower(name) + ":";
  std::size_t at = lower.find(key);
  if (at == std::string::npos) return "<none>";
  at += key.size();
  std::size_t end = request.find("\r\n", at);
  std::string value = request.substr(at, end - at);
  return value.substr(value.find_first_not_of(' '));
}

TEST(HttpClientWinInet, PostsTheFormWithTheCompletedHeaderBlock) {
  CannedServer server({{kOk}});
  ASSERT_TRUE(server.listening());
  const Text url = server.url("/dlq/Login.php?From=Client");
  Text form = "user=%D6%D0&pass=1";
  Text block = "X-Extra: 1";
  EXPECT_EQ(BytesFromText("ok"), HttpClient(url, 1, &form, nullptr, nullptr, &block));
  std::string request = server.request(0);
  EXPECT_EQ("POST /dlq/Login.php?From=Client HTTP/1.1", server.requestLines().at(0));
  EXPECT_EQ(form, BodyOf(request));
  EXPECT_EQ("1", Header(request, "X-Extra"));
  EXPECT_EQ(url, Header(request, "Referer"));
  EXPECT_EQ("*/*", Header(request, "Accept"));
  EXPECT_EQ("zh-cn", Header(request, "Accept-Language"));
  EXPECT_EQ("application/x-www-form-urlencoded", Header(request, "Content-Type"));
  EXPECT_EQ(kDefaultUserAgent, Header(request, "User-Agent"));
}

TEST(HttpClientWinInet, RawHeadersComeAsOneBlockOfLines) {
  CannedServer server({{"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nX-Thing: two words\r\nContent-Length: "
                        "2\r\n\r\nok"}});
  Text raw, location, cookies;
  HttpClient(server.url("/"), 0, nullptr, nullptr, &cookies, nullptr, &location, std::nullopt, nullptr, nullptr,
             &raw);
  EXPECT_EQ(0u, raw.find("HTTP/1.1 200 OK\r\n"));
  EXPECT_NE(Text::npos, raw.find("\r\nSet-Cookie: a=1; path=/\r\n"));
  EXPECT_NE(Text::npos, raw.find("\r\nX-Thing: two words\r\n"));
  EXPECT_EQ(raw.size() - 4, raw.find("\r\n\r\n"));
  EXPECT_EQ(raw, location);
  EXPECT_EQ("a=1; ", cookies);
}

// WinINet itself neither follows nor changes the method: the routine does, with its limit.
TEST(HttpClientWinInet, A301IsAskedAgainAtTheNewPlaceFollowedByThePath) {
  CannedServer server({{Redirect("301 Moved Permanently", "{{BASE}}/b")},
                       {Redirect("301 Moved Permanently", "{{BASE}}/c")},
                       {kOk}});
  Text form = "k=v";
  EXPECT_EQ(BytesFromText("ok"), HttpClient(server.url("/a/start.php"), 1, &form));
  std::vector<std::string> expected = {"POST /a/start.php HTTP/1.1", "POST /b/a/start.php HTTP/1.1",
                                       "POST /c/b/a/start.php HTTP/1.1"};
  EXPECT_EQ(expected, server.requestLines());
  for (const std::string& request : server.requests()) EXPECT_EQ("k=v", BodyOf(request));
}

TEST(HttpClientWinInet, ARedirectLoopEndsAfterTenFollowsWithTheLastReply) {
  for (const std::string status : {"301 Moved Permanently", "302 Found"}) {
    SCOPED_TRACE(status);
    CannedServer server({{Redirect(status, "{{BASE}}/loop", "again")}});
    Text form = "f=1";
    EXPECT_EQ(BytesFromText("again"), HttpClient(server.url("/loop"), 1, &form));
    EXPECT_EQ(static_cast<std::size_t>(kMaxRedirects + 1), server.requests().size());
  }
}

TEST(HttpClientWinInet, OtherRedirectsFollowTheBrowsersRules) {
  struct Case {
    std::string status;
    std::optional<int> noRedirect;
    std::vector<std::string> lines;
    std::string secondBody;
  } cases[] = {
      {"302 Found", std::nullopt, {"POST /form HTTP/1.1", "GET /next?x=1 HTTP/1.1"}, ""},
      {"303 See Other", std::nullopt, {"POST /form HTTP/1.1", "GET /next?x=1 HTTP/1.1"}, ""},
      {"307 Temporary Redirect", std::nullopt, {"POST /form HTTP/1.1", "POST /next?x=1 HTTP/1.1"}, "f=1"},
      {"302 Found", 1, {"POST /form HTTP/1.1"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    CannedServer server({{Redirect(c.status, "/next?x=1")}, {kOk}});
    Text form = "f=1";
    HttpClient(server.url("/form"), 1, &form, nullptr, nullptr, nullptr, nullptr, c.noRedirect);
    EXPECT_EQ(c.lines, server.requestLines());
    if (c.lines.size() > 1) {
      EXPECT_EQ(c.secondBody, BodyOf(server.request(1)));
    }
  }
}

TEST(HttpClientWinInet, ReplyCookiesAreMergedAndOnlyTheCallersAreSent) {
  const std::string reply =
      "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT; "
      "path=/\r\nContent-Length: 0\r\n\r\n";
  CannedServer server({{reply}, {reply}});
  Text cookies = "a=0; c=3";
  HttpClient(server.url("/"), 0, nullptr, &cookies);
  EXPECT_EQ("a=1; c=3", cookies);
  HttpClient(server.url("/"), 0, nullptr, &cookies);
  EXPECT_EQ("a=0; c=3", Header(server.request(0), "Cookie"));
  EXPECT_EQ("a=1; c=3", Header(server.request(1), "Cookie"));
}

TEST(HttpClientWinInet, TheBodyArrivesWholeHoweverItIsFramed) {
  std::string big(70000, 'x');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  struct Case {
    const char* name;
    CannedServer::Reply reply;
    std::string body;
  } cases[] = {
      {"no length", {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big}, big},
      {"in pieces", {"HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\nhel", "lo w", "orld"}, "hello world"},
      {"chunked",
       {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", "6\r\n world\r\n0\r\n\r\n"},
       "hello world"},
      {"error page", {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\n<p>no</p>"}, "<p>no</p>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CannedServer server({c.reply});
    EXPECT_EQ(BytesFromText(c.body), HttpClient(server.url("/")));
  }
}

TEST(HttpClientWinInet, UnicodeRepliesBecomeGbkWhenTheyDeclareIt) {
  const std::string utf8 = "\xE7\x99\xBB\xE9\x99\x86";  // 登陆 in UTF-8
  const std::string padding(499, ' ');
  struct Case {
    std::string head, body;
    Text expected;
  } cases[] = {
      {"Content-Type: text/html; charset=utf-8\r\n", utf8, "登陆"},
      {"", "<meta charset=utf-8>" + utf8, "<meta charset=utf-8>登陆"},
      {"Content-Type: text/html; charset=UTF-8\r\n", utf8 + padding + "charset=utf-8",
       utf8 + padding + "charset=utf-8"},
  };
  for (const Case& c : cases) {
    CannedServer server({{"HTTP/1.1 200 OK\r\n" + c.head + "Content-Length: " + std::to_string(c.body.size()) +
                          "\r\n\r\n" + c.body}});
    EXPECT_EQ(BytesFromText(c.expected), HttpClient(server.url("/"))) << c.head;
  }
}

TEST(HttpClientWinInet, NoServerGivesAnEmptyReply) {
  std::string url;
  {
    CannedServer gone({});
    url = gone.url("/x");
  }
  Text raw = "old";
  EXPECT_TRUE(HttpClient(url, 0, nullptr, nullptr, nullptr, nullptr, nullptr, std::nullopt, nullptr, nullptr, &raw)
                  .empty());
  EXPECT_EQ("", raw);
}

}  // namespace
