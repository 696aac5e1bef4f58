#include <gtest/gtest.h>

#include "mainwindow/kill_death.h"

namespace {

TEST(KillDeath, RatioTextTable) {
  struct Case {
    const char* kills;
    const char* deaths;
    const char* shown;
  } cases[] = {
      {"5", "2", "2.5"},  {"2", "3", "0.67"}, {"4", "2", "2"},     {"1", "8", "0.13"},  // 0.125 rounds up
      {"5", "0", "5"},    {"0", "0", "0"},    {"7", "", "7"},      {"7", "none", "7"},
      {"", "3", "0"},     {"-1", "8", "-0.13"}, {"12abc", "5", "2.4"}, {"1000000", "3", "333333.33"},
  };
  for (const Case& c : cases) EXPECT_EQ(KillDeathText(c.kills, c.deaths), c.shown) << c.kills << "/" << c.deaths;
}

}  // namespace
