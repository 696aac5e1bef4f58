#include "mainwindow/main_window.h"

#include <thread>

#include "app/builtin.h"
#include "app/session.h"
#include "mainwindow/kill_death.h"
#include "mainwindow/layout.h"
#include "mainwindow/main_window_loading.h"
#include "mainwindow/ticker.h"
#include "platform/registry.h"

namespace {

// Where each layout rule's control lives in this window.
MainWindowBounds CurrentBounds(MainWindow& w) {
  MainWindowBounds b;
  b.window = w.bounds();
  if (!w.超文本浏览框1.destroyed()) b.homePane = w.超文本浏览框1.bounds();
  b.tree = w.树型框1.bounds();
  b.lowerFrame = w.分组框5.bounds();
  b.profile = w.分组框1.bounds();
  b.serverArea = w.分组框2.bounds();
  b.playerArea = w.分组框3.bounds();
  b.tickerFrame = w.分组框6.bounds();
  b.tickerView = w.图片框1.bounds();
  b.ticker = w.当前消息.bounds();
  b.serverList = w.列表_服务器.bounds();
  b.playerList = w.列表_玩家.bounds();
  b.settings = w.按钮_设置.bounds();
  b.refresh = w.按钮_刷新列表.bounds();
  b.launch = w.按钮_启动游戏.bounds();
  b.itemsFrame = w.分组框4.bounds();
  b.itemList = w.列表_道具.bounds();
  return b;
}

void ApplyLayout(MainWindow& w) {
  MainWindowBounds b = CurrentBounds(w);
  toolkit::Rect before = b.window;
  ApplyMainLayoutRules(b);
  if (b.window.width != before.width || b.window.height != before.height) w.setBounds(b.window);
  if (b.homePane) w.超文本浏览框1.setBounds(*b.homePane);
  w.树型框1.setBounds(b.tree);
  w.分组框5.setBounds(b.lowerFrame);
  w.分组框1.setBounds(b.profile);
  w.分组框2.setBounds(b.serverArea);
  w.分组框3.setBounds(b.playerArea);
  w.分组框6.setBounds(b.tickerFrame);
  w.图片框1.setBounds(b.tickerView);
  w.当前消息.setBounds(b.ticker);
  w.列表_服务器.setBounds(b.serverList);
  w.列表_玩家.setBounds(b.playerList);
  w.按钮_设置.setBounds(b.settings);
  w.按钮_刷新列表.setBounds(b.refresh);
  w.按钮_启动游戏.setBounds(b.launch);
  w.分组框4.setBounds(b.itemsFrame);
  w.列表_道具.setBounds(b.itemList);
}

void SetUpLists(MainWindow& w) {
  w.列表_道具.addColumn("道具", 320);
  w.列表_服务器.setImages({toolkit::PadlockImage(12, true), toolkit::PadlockImage(12, false)});
  w.列表_服务器.addColumn("id", 40);
  w.列表_服务器.addColumn("服务器名称", 270);
  w.列表_服务器.addColumn("玩家", 50);
  w.列表_服务器.addColumn("地图", 110);
  w.列表_服务器.addColumn("延迟", 50);
  w.列表_玩家.addColumn("玩家昵称", 120);
  w.列表_玩家.addColumn("杀敌", 40, toolkit::Align::Centre);
  w.列表_玩家.addColumn("时间", 60);
}

void ReadLaunchSettings() {
  Session& s = app::session();
  s.GamePath = platform::RegistryReadString("Software\\varkon\\Path");
  s.LaunchParameters = ReplaceAll(
      platform::RegistryReadString("Software\\varkon\\Parameter", "-noforcemparms -noforcemaccel -noforcemspd"),
      "-32bpp", "");
  s.RefreshRateParameter = platform::RegistryReadString("Software\\varkon\\Refresh rate", "-freq 100");
}

}  // namespace

Text MainWindowCaption() { return Text(app::kNormalTitle) + "  -  " + app::Builtin().siteHost; }

void RefreshProfilePanel(MainWindow& w) {
  const PlayerProfileRecord& p = app::session().PlayerProfile;
  w.标签_名称.setText(p.pCsidChs);
  w.标签_排名.setText(p.pRank + "位");
  w.标签_军衔.setText(p.pScore);
  w.标签_注册时间.setText(p.pRegTime);
  w.标签_在线时长.setText(p.pOnline);
  w.标签_杀敌.setText(p.pKill);
  w.标签_死亡.setText(p.pDeath);
  w.标签_爆头.setText(p.pHeadshot);
  w.标签_首杀.setText(p.pFirstKill);
  w.标签_盲狙.setText(p.pSuperAWP);
  w.标签_拆包.setText(p.pDefused);
  w.标签_炸包.setText(p.pExplode);
  w.标签_KD.setText(KillDeathText(p.pKill, p.pDeath));
  w.标签_鲜花.setText(p.pFlower);
  w.标签_牛粪.setText(p.pShit);
}

MainWindow::MainWindow() : toolkit::Window("MainWindow", {50, 50, 978, 763}, Text()) {
  Session& s = app::session();
  动画框1.setTemplate({{30, 2, 210, 93}, toolkit::PlaceholderImage(210, 93, 0xFF2B5F8A)});
  动画框1.createObject(0, 2);
  setText(MainWindowCaption());
  超文本浏览框1.navigate(s.RemoteConfig.Mianhome);
  超文本浏览框2.navigate(s.RemoteConfig.ADMian);
  托盘.setText(text());
  托盘.show();
  SetUpLists(*this);
  onResized = [this] { ApplyLayout(*this); };
  setBounds({50, 50, 975, 734});
  ApplyLayout(*this);
  s.ServerSortToggles.assign(10, 0);
  s.PlayerSortToggles.assign(10, 0);
  // Before the worker starts: its last step reads the game folder.
  ReadLaunchSettings();
  StartMainWindowLoading(*this);
  RefreshProfilePanel(*this);
  SetUpTicker(*this);
  // Until the window learns to live in the notification area, closing it ends the program.
  onCloseRequested = [] {
    app::EndProgram(0);
    return true;
  };
}

MainWindow::~MainWindow() { destroy(); }
