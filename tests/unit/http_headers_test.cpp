// The request routine's rules for request and reply header blocks, and the cookie merge.
#include <gtest/gtest.h>

#include "net/cookies.h"
#include "net/http_headers.h"

namespace {

const Text kUrl = "http://h.example/login.php";

TEST(HttpHeaders, CompletionAddsOnlyWhatIsMissing) {
  struct Case {
    Text block, cookies, expected;
  } cases[] = {
      {"", "",
       "Referer: http://h.example/login.php\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
       "application/x-www-form-urlencoded"},
      {"X-A: 1", "a=1; b=2",
       "X-A: 1\r\nReferer: http://h.example/login.php\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
       "application/x-www-form-urlencoded\r\nCookie: a=1; b=2"},
      // Present already: nothing is doubled.
      {"Referer: r\r\nAccept: text/html\r\nAccept-Language: en\r\nContent-Type: text/plain", "",
       "Referer: r\r\nAccept: text/html\r\nAccept-Language: en\r\nContent-Type: text/plain"},
      // A lower-case line does not count: the default is added as well.
      {"accept: text/html\r\nreferer: r", "",
       "accept: text/html\r\nreferer: r\r\nReferer: http://h.example/login.php\r\nAccept: */*\r\nAccept-Language: "
       "zh-cn\r\nContent-Type: application/x-www-form-urlencoded"},
      // "Accept-Language:" holds no "Accept:", so Accept is still added.
      {"Accept-Language: en", "",
       "Accept-Language: en\r\nReferer: http://h.example/login.php\r\nAccept: */*\r\nContent-Type: "
       "application/x-www-form-urlencoded"},
  };
  for (const Case& c : cases) {
    Text block = c.block;
    CompleteHeaderBlock(block, kUrl, c.cookies);
    EXPECT_EQ(c.expected, block) << c.block;
  }
}

TEST(HttpHeaders, UserAgentComesFromTheBlockWhenItHasOne) {
  struct Case {
    Text block, expected;
  } cases[] = {
      {"", kDefaultUserAgent},
      {"Accept: x", kDefaultUserAgent},
      {"user-agent:  Mine/1.0 \r\nAccept: x", "Mine/1.0"},
      {"Accept: x\r\nUSER-AGENT: Last/2", "Last/2"},
      {"User-Agent:   \r\nAccept: x", kDefaultUserAgent},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, UserAgentFrom(c.block)) << c.block;
}

TEST(HttpHeaders, ReplyLinesGiveLocationAndCookies) {
  struct Case {
    Text raw, location, cookies;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nset-cookie: x=9; path=/\r\nSet-Cookie: b=deleted; "
       "expires=Thu, 01 Jan 1970 00:00:00 GMT; path=/\r\n\r\n",
       "", "a=1; b=deleted; "},
      {"HTTP/1.1 302 Found\r\nLocation:  /first \r\nLocation: http://h/second\r\n\r\n", "http://h/second", ""},
      // A cookie without attributes runs to the line's end.
      {"HTTP/1.1 200 OK\r\nSet-Cookie: sid=abc \r\nSet-Cookie:\r\n\r\n", "", "sid=abc; "},
      {"HTTP/1.1 200 OK\r\nContent-Location: /c\r\n\r\n", "/c", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    ReplyHeaderFields fields = ReadReplyHeaders(c.raw);
    EXPECT_EQ(c.location, fields.location) << c.raw;
    EXPECT_EQ(c.cookies, fields.cookies) << c.raw;
  }
}

TEST(HttpHeaders, StatusOfTheReply) {
  struct Case {
    Text raw, moved;
    int code;
  } cases[] = {
      {"HTTP/1.1 301 Moved Permanently\r\n\r\n", "301", 301},
      {"http/1.1 301 moved\r\n\r\n", "301", 0},
      {"HTTP/1.1 302 Moved Temporarily\r\n\r\n", "302", 302},
      {"HTTP/1.1 301 \r\nX: Moved\r\n\r\n", "301 \r\nX:", 301},
      {"HTTP/1.0 301 Moved Permanently\r\n\r\n", "", 301},
      {"HTTP/1.1 200 OK\r\n\r\n", "", 200},
      {"garbage", "", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.moved, MovedStatusText(c.raw)) << c.raw;
    EXPECT_EQ(c.code, ReplyStatusCode(c.raw)) << c.raw;
  }
}

TEST(HttpHeaders, Utf8IsDeclaredEarlyInTheBodyOrInTheHeaders) {
  auto bodyWithMarkAt = [](std::size_t at) {
    Text body(at, ' ');
    return BytesFromText(body + "charset=utf-8\">");
  };
  EXPECT_TRUE(DeclaresUtf8(bodyWithMarkAt(0), ""));
  EXPECT_TRUE(DeclaresUtf8(bodyWithMarkAt(498), ""));  // byte 499, counted from 1
  EXPECT_FALSE(DeclaresUtf8(bodyWithMarkAt(499), ""));
  EXPECT_FALSE(DeclaresUtf8(BytesFromText("charset=UTF-8"), "Content-Type: text/html; charset=UTF-8\r\n"));
  EXPECT_TRUE(DeclaresUtf8(Bytes(), "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"));
  EXPECT_FALSE(DeclaresUtf8(BytesFromText("charset=utf"), ""));
}

TEST(HttpCookies, MergeKeepsTheReplysValuesAndDropsDeletedOnes) {
  struct Case {
    Text old, reply, merged, replyAfter;
  } cases[] = {
      // The reply sets a=1 and deletes b (attributes never get this far); c stays.
      {"a=0; c=3", "a=1; b=deleted; ", "a=1; c=3", "a=1;b=deleted;"},
      {"", "", "", ""},
      {"a=0;c=3", "", "a=0; c=3", ""},
      {"", "s=1; ", "s=1", "s=1;"},
      {"a = 0; a=5; d", "a=1; ", "a=1; d", "a=1;"},
      {"x=1; x=1; y=deleted", "", "x=1", ""},
      // The reply's later value of a cookie it sets twice wins.
      {"c=3", "s=1; t=2; s=9; ", "s=9; t=2; c=3", "s=1;t=2;s=9;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.old + " | " + c.reply);
    Text cookies = c.old, reply = c.reply;
    MergeCookies(cookies, reply);
    EXPECT_EQ(c.merged, cookies);
    EXPECT_EQ(c.replyAfter, reply);
  }
}

}  // namespace
