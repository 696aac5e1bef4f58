#include <gtest/gtest.h>

#include "login/format_duration.h"
#include "login/login_exchange.h"

namespace {

TEST(FormatDuration, SecondsToHoursMinutesSeconds) {
  struct Case {
    const char* seconds;
    const char* shown;
  } cases[] = {
      {"3725", "1时2分5秒"},     {"59", "0时0分59秒"},      {"7200", "2时0分0秒"},
      {"86399", "23时59分59秒"}, {"90000", "25时0分0秒"},   {"", "0时0分0秒"},
      {"abc", "0时0分0秒"},      {"61.5", "0时1分1.5秒"},   {"125s", "0时2分5秒"},
      {"-3725", "-1时-2分-5秒"}, {"0", "0时0分0秒"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDuration(c.seconds), c.shown) << c.seconds;
}

TEST(LoginFormBody, EncodesBothValues) {
  EXPECT_EQ(LoginFormBody("demo", "demo123", 12345), "p_username=demo&p_password=demo123&p_random=12345");
  // A password holding the form's own signs arrives as typed; GBK bytes are encoded one by one.
  EXPECT_EQ(LoginFormBody("a b", "p&ss=1+2%", 99999), "p_username=a%20b&p_password=p%26ss%3D1%2B2%25&p_random=99999");
  EXPECT_EQ(PercentEncode("玩家-._~"), "%CD%E6%BC%D2-._~");
}

}  // namespace
