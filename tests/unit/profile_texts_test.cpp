#include <gtest/gtest.h>

#include "mainwindow/profile_texts.h"

namespace {

TEST(ItemNames, MatchingRules) {
  const Text file = "awp=大狙\r\n ak47 = AK步枪=旧\r\nm4a1=M4\r\nbad line\r\n";
  struct Case {
    const char* items;
    std::vector<Text> names;
  } cases[] = {
      {"awp,m4a1", {"大狙", "M4"}},
      {"ak47", {" AK步枪"}},                   // spaces around the identifier removed; the name keeps its own
      {"awp, m4a1", {"大狙"}},                 // " m4a1" keeps its space and matches nothing
      {"awp,awp,unknown", {"大狙", "大狙"}},  // a repeat adds its row again
      {"", {}},
      {"awp,,m4a1,", {"大狙", "M4"}},  // empty identifiers never match the file's empty last line
      {"bad line", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchItemNames(file, c.items), c.names) << c.items;
}

TEST(IpLocation, MembersRunTogether) {
  EXPECT_EQ(IpLocationText("{\"country\":\"\\u4e2d\\u56fd\",\"province\":\"Guangdong\",\"city\":\"Shenzhen\","
                           "\"isp\":\"Telecom\",\"ip\":\"1.2.3.4\"}"),
            "中国GuangdongShenzhenTelecom IP:1.2.3.4");
  EXPECT_EQ(IpLocationText("{\"city\":\"Wuhan\"}"), "Wuhan IP:");
  EXPECT_EQ(IpLocationText(""), " IP:");
}

}  // namespace
