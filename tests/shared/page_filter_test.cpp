// Which texts are handed to the browser: the same rule on both sides.
#include <gtest/gtest.h>

#include "platform/page_filter.h"

namespace {

TEST(OpenPageFilter, OnlyWebAddressesPass) {
  struct Case {
    Text url;
    bool opened;
  } cases[] = {
      {"http://127.0.0.1:8889/forum/index.php?from=client&lang=zh", true},
      {"https://bbs.example/", true},
      {"HTTP://BBS.EXAMPLE/", true},
      {"hTtPs://bbs.example/", true},
      {"www.example.com", true},
      {"http://x/?a=1&b=2|calc^&whoami", true},  // handed over whole; nothing interprets it
      {"http://bbs.example/\xCC\xD6\xC2\xDB", true},
      {"", false},
      {"http:/x", false},
      {"http:", false},
      {"https//x", false},
      {" http://x", false},
      {"WWW.Example.com", true},
      {"www", false},
      {"C:\\x.exe", false},
      {"calc.exe", false},
      {"file:///C:/windows/system32/calc.exe", false},
      {"\\\\server\\share\\x.exe", false},
      {"javascript:alert(1)", false},
      {"mailto:a@b.c", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.opened, platform::IsWebAddress(c.url)) << '"' << c.url << '"';
  }
}

}  // namespace
