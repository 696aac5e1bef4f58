#pragma once
// The main window's layout rules, applied in order on every size change (creation included):
// the left column keeps its width, the profile panel and the server area grow with the window,
// the player area stays at the right edge and the buttons at the bottom right.
#include <optional>

#include "toolkit/control.h"

struct MainWindowBounds {
  toolkit::Rect window;                   // outer size of MainWindow
  std::optional<toolkit::Rect> homePane;  // 超文本浏览框1, while it exists
  std::optional<toolkit::Rect> hiddenPane;  // 超文本浏览框3, while it exists
  toolkit::Rect tree;          // 树型框1
  toolkit::Rect lowerFrame;    // 分组框5
  toolkit::Rect profile;       // 分组框1
  toolkit::Rect serverArea;    // 分组框2
  toolkit::Rect playerArea;    // 分组框3
  toolkit::Rect tickerFrame;   // 分组框6
  toolkit::Rect tickerView;    // 图片框1
  toolkit::Rect ticker;        // 当前消息
  toolkit::Rect serverList;    // 列表_服务器
  toolkit::Rect playerList;    // 列表_玩家
  toolkit::Rect settings;      // 按钮_设置
  toolkit::Rect refresh;       // 按钮_刷新列表
  toolkit::Rect launch;        // 按钮_启动游戏
  toolkit::Rect itemsFrame;    // 分组框4
  toolkit::Rect itemList;      // 列表_道具
};

constexpr int kMainMinimumWidth = 975;
constexpr int kMainMinimumHeight = 734;

// The places and sizes of the design, before any rule.
MainWindowBounds DesignMainWindowBounds();
// The eighteen rules in their order; each reads the sizes the rules before it left.
void ApplyMainLayoutRules(MainWindowBounds& b);
