#include <gtest/gtest.h>

#include "mainwindow/ticker_text.h"

namespace {

TEST(Ticker, PiecesAndColours) {
  struct Case {
    const char* message;
    std::vector<std::pair<toolkit::Colour, Text>> drawn;
  } cases[] = {
      {"#2a#b#3c", {{0x008000, "a"}, {0xFF8800, "c"}}},
      {"##9x", {{0x00FF00, "x"}}},
      {"no code", {}},
      {"7starts with a digit", {{0x00FFFF, "starts with a digit"}}},
      {"", {}},
      {"#0hidden#1白色#6红", {{0xFFFFFF, "白色"}, {0x0000FF, "红"}}},
      {"#4#5", {{0xFF0090, ""}, {0x0080FF, ""}}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<toolkit::Colour, Text>> drawn;
    for (const auto& piece : TickerPieces(c.message)) drawn.emplace_back(piece.colour, piece.text);
    EXPECT_EQ(drawn, c.drawn) << c.message;
  }
}

TEST(Ticker, FailedFetchText) {
  EXPECT_EQ(TickerMessageFromReply(""), "#9【消息获取失败】");
  EXPECT_EQ(TickerMessageFromReply("<h1>404 Not Found</h1>"), "#9【消息获取失败】");
  EXPECT_EQ(TickerMessageFromReply("#1map de_dust2 has 404 ways in"), "#9【消息获取失败】");
  EXPECT_EQ(TickerMessageFromReply("该页无法显示"), "#9【消息获取失败】");
  EXPECT_EQ(TickerMessageFromReply("#1hello"), "#1hello");
}

TEST(Ticker, MotionReentersOnlyAfterTheRightEndPassed) {
  EXPECT_EQ(TickerNextLeft(460, 120, 460, true), 455);
  EXPECT_EQ(TickerNextLeft(-120, 120, 460, true), -125);  // right end exactly at the left edge
  EXPECT_EQ(TickerNextLeft(-125, 120, 460, true), 460);
  EXPECT_EQ(TickerNextLeft(200, 120, 460, false), 200);   // held by the mouse
  EXPECT_EQ(TickerNextLeft(0, 0, 460, true), -5);         // nothing drawn yet
}

}  // namespace
