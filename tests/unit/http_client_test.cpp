// HttpClient against scripted HTTP peers on loopback that answer with exact bytes.
#include <gtest/gtest.h>

#include "net/http_client.h"
#include "net/http_headers.h"
#include "unit/http_canned_replies.h"
#include "unit/http_canned_server.h"

namespace {

std::string Header(const std::string& request, const std::string& name) {
  std::size_t at = request.find("\r\n" + name + ": ");
  if (at == std::string::npos) return "<none>";
  at += name.size() + 4;
  return request.substr(at, request.find("\r\n", at) - at);
}

TEST(HttpClient, PostsTheFormWithTheCompletedHeaderBlock) {
  CannedServer server({{kOk}});
  ASSERT_TRUE(server.listening());
  const Text url = server.url("/dlq/Login.php?From=Client");
  Text form = "user=%D6%D0&pass=1";
  Text block = "X-Extra: 1";
  Bytes sent;
  Bytes reply = HttpClient(url, 1, &form, nullptr, nullptr, &block, nullptr, std::nullopt, &sent);
  EXPECT_EQ(BytesFromText("ok"), reply);

  std::string request = server.request(0);
  EXPECT_EQ("POST /dlq/Login.php?From=Client HTTP/1.1", server.requestLines().at(0));
  EXPECT_EQ(form, BodyOf(request));
  EXPECT_EQ("1", Header(request, "X-Extra"));
  EXPECT_EQ(url, Header(request, "Referer"));
  EXPECT_EQ("*/*", Header(request, "Accept"));
  EXPECT_EQ("zh-cn", Header(request, "Accept-Language"));
  EXPECT_EQ("application/x-www-form-urlencoded", Header(request, "Content-Type"));
  EXPECT_EQ(kDefaultUserAgent, Header(request, "User-Agent"));
  // The defaults went into the caller's own block; the body bytes were filled from the text.
  EXPECT_EQ("X-Extra: 1\r\nReferer: " + url +
                "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded",
            block);
  EXPECT_EQ(BytesFromText(form), sent);
}

TEST(HttpClient, GivenBodyBytesWinOverTheTextAndGetSendsNoBody) {
  CannedServer server({{kOk}});
  Text form = "from=text";
  Bytes raw = {'r', 0, 'w'};
  HttpClient(server.url("/p"), 1, &form, nullptr, nullptr, nullptr, nullptr, std::nullopt, &raw);
  HttpClient(server.url("/g"), 0, &form);
  HttpClient(server.url("/d"));
  auto requests = server.requests();
  ASSERT_EQ(3u, requests.size());
  EXPECT_EQ(std::string("r\0w", 3), BodyOf(requests[0]));
  EXPECT_EQ("GET /g HTTP/1.1", server.requestLines()[1]);
  EXPECT_EQ("", BodyOf(requests[1]));
  EXPECT_EQ("GET /d HTTP/1.1", server.requestLines()[2]);
}

TEST(HttpClient, UrlsWithoutSchemeOrInMixedCaseReachTheServer) {
  CannedServer server({{kOk}});
  const std::string port = std::to_string(server.port());
  const Text urls[] = {"127.0.0.1:" + port + "/Plain/Path.php?A=B", "HTTP://LocalHost:" + port + "/Mixed/Case?Q=Z"};
  for (const Text& url : urls) EXPECT_EQ(BytesFromText("ok"), HttpClient(url)) << url;
  auto lines = server.requestLines();
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("GET /Plain/Path.php?A=B HTTP/1.1", lines[0]);
  EXPECT_EQ("GET /Mixed/Case?Q=Z HTTP/1.1", lines[1]);
  EXPECT_EQ("localhost:" + port, Header(server.request(1), "Host"));
}

TEST(HttpClient, TheUserAgentLineOfTheBlockNamesTheAgent) {
  CannedServer server({{kOk}});
  Text block = "User-Agent: VarkonTest/1.0\r\nX-A: b";
  HttpClient(server.url("/"), 0, nullptr, nullptr, nullptr, &block);
  std::string request = server.request(0);
  EXPECT_EQ("VarkonTest/1.0", Header(request, "User-Agent"));
  EXPECT_EQ(std::string::npos, request.find(kDefaultUserAgent));
}

TEST(HttpClient, A301IsAskedAgainAtTheNewPlaceFollowedByThePath) {
  CannedServer server({{Redirect("301 Moved Permanently", "{{BASE}}/b")},
                       {Redirect("301 Moved Permanently", "{{BASE}}/c")},
                       {kOk}});
  Text form = "k=v";
  Text location = "stale";
  Text raw;
  Bytes reply = HttpClient(server.url("/a/start.php"), 1, &form, nullptr, nullptr, nullptr, &location,
                           std::nullopt, nullptr, nullptr, &raw);
  EXPECT_EQ(BytesFromText("ok"), reply);
  std::vector<std::string> expected = {"POST /a/start.php HTTP/1.1", "POST /b/a/start.php HTTP/1.1",
                                       "POST /c/b/a/start.php HTTP/1.1"};
  EXPECT_EQ(expected, server.requestLines());
  for (const std::string& request : server.requests()) EXPECT_EQ("k=v", BodyOf(request));
  // The last reply had no Location: its whole header block stands in.
  EXPECT_EQ(raw, location);
  EXPECT_EQ("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\n", raw);
}

TEST(HttpClient, ARedirectLoopEndsAfterTenFollowsWithTheLastReply) {
  const std::string statuses[] = {"301 Moved Permanently", "302 Found", "307 Temporary Redirect"};
  for (const std::string& status : statuses) {
    SCOPED_TRACE(status);
    CannedServer server({{Redirect(status, "{{BASE}}/loop", "again")}});
    Text location;
    Bytes reply = HttpClient(server.url("/loop"), 0, nullptr, nullptr, nullptr, nullptr, &location);
    EXPECT_EQ(BytesFromText("again"), reply);
    EXPECT_EQ(server.url("/loop"), location);
    EXPECT_EQ(static_cast<std::size_t>(kMaxRedirects + 1), server.requests().size());
  }
}

TEST(HttpClient, OtherRedirectsFollowTheBrowsersRules) {
  struct Case {
    std::string status;
    std::optional<int> noRedirect;
    std::vector<std::string> lines;
    std::string secondBody;
    std::string reply;
  } cases[] = {
      {"302 Found", std::nullopt, {"POST /form HTTP/1.1", "GET /next?x=1 HTTP/1.1"}, "", "ok"},
      {"303 See Other", 0, {"POST /form HTTP/1.1", "GET /next?x=1 HTTP/1.1"}, "", "ok"},
      {"307 Temporary Redirect", std::nullopt, {"POST /form HTTP/1.1", "POST /next?x=1 HTTP/1.1"}, "f=1", "ok"},
      {"308 Permanent Redirect", std::nullopt, {"POST /form HTTP/1.1", "POST /next?x=1 HTTP/1.1"}, "f=1", "ok"},
      {"302 Found", 1, {"POST /form HTTP/1.1"}, "", "moved"},
      // Not the classic move (another reason phrase): a plain redirect, also as a GET.
      {"301 Gone Elsewhere", std::nullopt, {"POST /form HTTP/1.1", "GET /next?x=1 HTTP/1.1"}, "", "ok"},
      {"301 Gone Elsewhere", 1, {"POST /form HTTP/1.1"}, "", "moved"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status + (c.noRedirect ? " no-redirect " + std::to_string(*c.noRedirect) : ""));
    CannedServer server({{Redirect(c.status, "/next?x=1")}, {kOk}});
    Text form = "f=1";
    Bytes reply = HttpClient(server.url("/form"), 1, &form, nullptr, nullptr, nullptr, nullptr, c.noRedirect);
    EXPECT_EQ(BytesFromText(c.reply), reply);
    EXPECT_EQ(c.lines, server.requestLines());
    if (c.lines.size() > 1) {
      EXPECT_EQ(c.secondBody, BodyOf(server.request(1)));
    }
  }
}

TEST(HttpClient, TheClassicMoveIsFollowedEvenWithNoRedirect) {
  CannedServer server({{Redirect("301 Moved Permanently", "{{BASE}}/new")}, {kOk}});
  Bytes reply = HttpClient(server.url("/old"), 0, nullptr, nullptr, nullptr, nullptr, nullptr, 1);
  EXPECT_EQ(BytesFromText("ok"), reply);
  std::vector<std::string> expected = {"GET /old HTTP/1.1", "GET /new/old HTTP/1.1"};
  EXPECT_EQ(expected, server.requestLines());
}

const std::string kCookieReply =
    "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT; "
    "path=/\r\nContent-Length: 0\r\n\r\n";

TEST(HttpClient, ReplyCookiesAreMergedIntoTheCallersCookies) {
  CannedServer server({{kCookieReply}});
  Text cookies = "a=0; c=3";
  Text replyCookies = "stale";
  HttpClient(server.url("/"), 0, nullptr, &cookies, &replyCookies);
  EXPECT_EQ("a=1; c=3", cookies);
  EXPECT_EQ("a=1;b=deleted;", replyCookies);  // the merge took its blanks out
  EXPECT_EQ("a=0; c=3", Header(server.request(0), "Cookie"));
}

TEST(HttpClient, ReplyCookiesWithoutCookieTextAreOnlyReported) {
  CannedServer server({{kCookieReply}});
  Text replyCookies;
  Text location;
  HttpClient(server.url("/"), 0, nullptr, nullptr, &replyCookies, nullptr, &location);
  EXPECT_EQ("a=1; b=deleted; ", replyCookies);
  EXPECT_EQ(kCookieReply, location);  // no Location: the raw block
  EXPECT_EQ("<none>", Header(server.request(0), "Cookie"));
}

TEST(HttpClient, TheBodyArrivesWholeHoweverItIsFramed) {
  std::string big(70000, 'x');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  struct Case {
    const char* name;
    CannedServer::Reply reply;
    std::string body;
  } cases[] = {
      {"no length", {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big}, big},
      {"in pieces",
       {"HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\nhel", "lo w", "orld"},
       "hello world"},
      {"chunked",
       {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n", "6\r\n world\r\n0\r\n\r\n"},
       "hello world"},
      {"error page", {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\n<p>no</p>"}, "<p>no</p>"},
      {"head only, then closed", {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"}, "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CannedServer server({c.reply});
    EXPECT_EQ(BytesFromText(c.body), HttpClient(server.url("/")));
  }
}

TEST(HttpClient, UnicodeRepliesBecomeGbkWhenTheyDeclareIt) {
  const std::string utf8 = "\xE7\x99\xBB\xE9\x99\x86";  // 登陆 in UTF-8
  const std::string padding(499, ' ');
  struct Case {
    const char* name;
    std::string head, body;
    Text expected;
  } cases[] = {
      {"in the body", "", "<meta charset=utf-8>" + utf8, "<meta charset=utf-8>登陆"},
      {"in the headers", "Content-Type: text/html; charset=utf-8\r\n", utf8, "登陆"},
      {"late in the body, capitals in the headers", "Content-Type: text/html; charset=UTF-8\r\n",
       utf8 + padding + "charset=utf-8", utf8 + padding + "charset=utf-8"},
      {"not declared", "", utf8, utf8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CannedServer server({{"HTTP/1.1 200 OK\r\n" + c.head + "Content-Length: " + std::to_string(c.body.size()) +
                          "\r\n\r\n" + c.body}});
    EXPECT_EQ(BytesFromText(c.expected), HttpClient(server.url("/")));
  }
}

TEST(HttpClient, AnOversizedHeaderBlockIsNotDelivered) {
  std::string filler = "X-Filler: " + std::string(5000, 'f') + "\r\n";
  CannedServer server({{"HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\n" + filler + "Content-Length: 2\r\n\r\nok"}});
  Text replyCookies = "old", raw = "old", location = "old";
  Bytes reply = HttpClient(server.url("/"), 0, nullptr, nullptr, &replyCookies, nullptr, &location, std::nullopt,
                           nullptr, nullptr, &raw);
  EXPECT_EQ(BytesFromText("ok"), reply);
  EXPECT_EQ("", replyCookies);
  EXPECT_EQ("", raw);
  EXPECT_EQ("", location);
}

TEST(HttpClient, ThroughAProxyTheRequestNamesTheWholeUrl) {
  CannedServer proxy({{kOk}});
  Text proxyAddress = "127.0.0.1:" + std::to_string(proxy.port());
  Bytes reply = HttpClient("http://far.example:81/p?q=1", 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                           std::nullopt, nullptr, &proxyAddress);
  EXPECT_EQ(BytesFromText("ok"), reply);
  EXPECT_EQ("GET http://far.example:81/p?q=1 HTTP/1.1", proxy.requestLines().at(0));
}

TEST(HttpClient, FailuresGiveAnEmptyReply) {
  // Nothing listens: the request was made but nothing came back.
  Text deadUrl;
  {
    CannedServer gone({});
    deadUrl = gone.url("/x");
  }
  Text block, raw = "old";
  EXPECT_TRUE(HttpClient(deadUrl, 0, nullptr, nullptr, nullptr, &block, nullptr, std::nullopt, nullptr, nullptr,
                         &raw)
                  .empty());
  EXPECT_EQ("", raw);
  // No host at all: no request handle, the caller's variables stay as they were.
  Text untouched = "X: 1";
  Text location = "kept";
  EXPECT_TRUE(HttpClient("http://:81/x", 0, nullptr, nullptr, nullptr, &untouched, &location).empty());
  EXPECT_EQ("X: 1", untouched);
  EXPECT_EQ("kept", location);
}

}  // namespace
