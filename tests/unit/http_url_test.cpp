// How the request routine splits a URL into host, port and path.
#include <gtest/gtest.h>

#include "net/url_parts.h"

namespace {

TEST(HttpUrl, SplitsHostPortAndPath) {
  struct Case {
    Text url, host, hostWithPort;
    int port;
    Text path;
  } cases[] = {
      {"www.example.com/dlq/login.php", "www.example.com", "www.example.com", 80, "/dlq/login.php"},
      {"http://Bbs.Example.COM:8080/Path/Login.PHP?User=A&b=C", "bbs.example.com", "bbs.example.com:8080", 8080,
       "/Path/Login.PHP?User=A&b=C"},
      {"https://secure.example.com", "secure.example.com", "secure.example.com", 443, "/"},
      {"HTTPS://Secure.Example.com/A", "secure.example.com", "secure.example.com", 443, "/A"},
      {"https://a.example:4443/x", "a.example", "a.example:4443", 4443, "/x"},
      {"http://127.0.0.1:8888", "127.0.0.1", "127.0.0.1:8888", 8888, "/"},
      {"127.0.0.1:8888/dlq/version.ini", "127.0.0.1", "127.0.0.1:8888", 8888, "/dlq/version.ini"},
      {"http://host/a?next=http://other/b", "host", "host", 80, "/a?next=http://other/b"},
      // The port is the number after the host part's last colon.
      {"http://host:1:81/", "host", "host:1:81", 81, "/"},
      {"http://host:/x", "host", "host:", 0, "/x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    UrlParts parts = SplitUrl(c.url);
    EXPECT_EQ(c.host, parts.host);
    EXPECT_EQ(c.hostWithPort, parts.hostWithPort);
    EXPECT_EQ(c.port, parts.port);
    EXPECT_EQ(c.path, parts.path);
    EXPECT_EQ(c.path, UrlPath(c.url));
  }
}

TEST(HttpUrl, ResolvesRedirectTargets) {
  struct Case {
    Text current, location, expected;
  } cases[] = {
      {"http://a.example:81/dir/page.php?q=1", "http://b.example/x", "http://b.example/x"},
      {"http://a.example:81/dir/page.php?q=1", "/root.php", "http://a.example:81/root.php"},
      {"http://a.example:81/dir/page.php?q=/z/", "next.php", "http://a.example:81/dir/next.php"},
      {"https://a.example/dir/", "//c.example/y", "https://c.example/y"},
      {"a.example/p", "q", "http://a.example/q"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ResolveLocation(c.current, c.location)) << c.location;
}

}  // namespace
