#include <gtest/gtest.h>

#include "mainwindow/layout.h"

namespace {

void ExpectRect(const toolkit::Rect& r, int left, int top, int width, int height, const char* what) {
  EXPECT_EQ(r.left, left) << what;
  EXPECT_EQ(r.top, top) << what;
  EXPECT_EQ(r.width, width) << what;
  EXPECT_EQ(r.height, height) << what;
}

TEST(MainLayout, BelowTheMinimumIsRaisedToIt) {
  MainWindowBounds b = DesignMainWindowBounds();
  b.window.width = 600;
  b.window.height = 400;
  ApplyMainLayoutRules(b);
  ExpectRect(b.window, 50, 50, 975, 734, "window");
  ExpectRect(*b.homePane, 210, 108, 755, 587, "home pane covers the centre");
  EXPECT_EQ(b.hiddenPane->left, -1000);
  ExpectRect(b.serverArea, 212, 255, 495, 440, "server area");
  ExpectRect(b.playerArea, 712, 255, 250, 440, "player area at the right edge");
  ExpectRect(b.tickerFrame, 5, 350, 485, 30, "ticker frame");
  ExpectRect(b.tickerView, 5, 6, 475, 22, "ticker viewport");
  ExpectRect(b.ticker, 475, 2, 120, 22, "ticker starts at the viewport's right edge");
  ExpectRect(b.serverList, 5, 7, 485, 340, "server list");
  ExpectRect(b.playerList, 4, 8, 240, 429, "player list");
  ExpectRect(b.refresh, 325, 644, 115, 45, "refresh");
  ExpectRect(b.settings, 455, 644, 115, 45, "settings");
  ExpectRect(b.launch, 585, 644, 115, 45, "launch");
  EXPECT_EQ(b.itemsFrame.width, 380);
  EXPECT_EQ(b.itemList.width, 375);
}

TEST(MainLayout, LargerWindowGrowsTheCentreOnly) {
  MainWindowBounds b = DesignMainWindowBounds();
  b.window = {0, 0, 1400, 1000};
  ApplyMainLayoutRules(b);
  ExpectRect(b.tree, 5, 108, 200, 555, "tree keeps its width");
  EXPECT_EQ(b.lowerFrame.top, 667);
  EXPECT_EQ(b.lowerFrame.width, 200);
  EXPECT_EQ(b.profile.width, 1175);
  ExpectRect(b.serverArea, 212, 255, 920, 706, "server area");
  ExpectRect(b.playerArea, 1137, 255, 250, 706, "player area");
  EXPECT_EQ(b.ticker.left, b.tickerView.width);
  ExpectRect(b.launch, 1010, 910, 115, 45, "launch");
}

TEST(MainLayout, WithoutThePanesTheRestStillApplies) {
  MainWindowBounds b = DesignMainWindowBounds();
  b.homePane.reset();
  b.hiddenPane.reset();
  b.window = {0, 0, 1000, 800};
  ApplyMainLayoutRules(b);
  EXPECT_FALSE(b.homePane);
  EXPECT_FALSE(b.hiddenPane);
  EXPECT_EQ(b.serverArea.width, 520);
  EXPECT_EQ(b.serverList.height, 406);
}

}  // namespace
