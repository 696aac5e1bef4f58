#include "mainwindow/layout.h"

#include <algorithm>

MainWindowBounds DesignMainWindowBounds() {
  MainWindowBounds b;
  b.window = {50, 50, 978, 763};
  b.homePane = toolkit::Rect{210, 108, 15, 12};
  b.hiddenPane = toolkit::Rect{-205, 30, 100, 80};
  b.tree = {5, 108, 200, 287};
  b.lowerFrame = {5, 400, 200, 295};
  b.profile = {212, 105, 745, 150};
  b.serverArea = {212, 255, 485, 445};
  b.playerArea = {704, 255, 250, 445};
  b.tickerFrame = {5, 345, 468, 36};
  b.tickerView = {3, 11, 460, 20};
  b.ticker = {5, 5, 120, 15};
  b.serverList = {5, 10, 470, 345};
  b.playerList = {4, 11, 242, 429};
  b.settings = {445, 640, 115, 45};
  b.refresh = {325, 640, 115, 45};
  b.launch = {565, 640, 115, 45};
  b.itemsFrame = {365, 10, 365, 135};
  b.itemList = {3, 15, 350, 115};
  return b;
}

void ApplyMainLayoutRules(MainWindowBounds& b) {
  b.window.width = std::max(b.window.width, kMainMinimumWidth);      // 1
  b.window.height = std::max(b.window.height, kMainMinimumHeight);
  const int W = b.window.width, H = b.window.height;
  if (b.homePane) {                                                   // 2
    b.homePane->width = W - 220;
    b.homePane->height = H - 147;
  }
  if (b.hiddenPane) b.hiddenPane->left = -1000;                       // 3
  b.tree.height = H - 445;                                            // 4
  b.lowerFrame.top = H - 333;                                         // 5
  b.profile.width = W - 225;                                          // 6
  b.serverArea.width = W - 480;                                       // 7
  b.serverArea.height = H - 294;
  b.playerArea.left = W - b.playerArea.width - 13;                    // 8
  b.playerArea.height = H - 294;
  b.tickerFrame = {5, b.serverArea.height - 90, b.serverArea.width - 10, 30};  // 9
  b.tickerView = {5, 6, b.tickerFrame.width - 10, 22};                // 10
  b.ticker.left = b.tickerView.width;                                 // 11
  b.ticker.top = 2;
  b.ticker.height = 22;
  b.serverList.top = 7;                                               // 12
  b.serverList.width = b.serverArea.width - 10;
  b.serverList.height = b.serverArea.height - 100;
  b.playerList.top = 8;                                               // 13
  b.playerList.width = b.playerArea.width - 10;
  b.playerList.height = b.playerArea.height - 11;
  b.settings.left = W - 520;                                          // 14
  b.settings.top = H - 90;
  b.refresh.left = W - 650;                                           // 15
  b.refresh.top = H - 90;
  b.launch.left = W - 390;                                            // 16
  b.launch.top = H - 90;
  b.itemsFrame.width = b.profile.width - 370;                         // 17
  b.itemList.width = b.itemsFrame.width - 5;                          // 18
}
