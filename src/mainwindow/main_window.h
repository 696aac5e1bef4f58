#pragma once
// The platform's main window, loaded once the player has logged in.
#include "toolkit/controls.h"
#include "toolkit/controls_more.h"

class MainWindow : public toolkit::Window {
 public:
  MainWindow();
  ~MainWindow() override;

  toolkit::AnimationBox 动画框1{*this, "动画框1", {26, 0, 220, 100}};
  toolkit::ImageButton 超级按钮1{*this, "超级按钮1", {255, 15, 80, 80}, "论坛主页"};
  toolkit::ImageButton 超级按钮2{*this, "超级按钮2", {340, 15, 80, 80}, "Varkon排行"};
  toolkit::ImageButton 超级按钮3{*this, "超级按钮3", {425, 15, 80, 80}, "个人排行"};
  toolkit::ImageButton 超级按钮4{*this, "超级按钮4", {510, 15, 80, 80}, "道具购买"};
  toolkit::ImageButton 超级按钮5{*this, "超级按钮5", {595, 15, 80, 80}, "领取道具"};
  toolkit::ImageButton 超级按钮6{*this, "超级按钮6", {680, 15, 80, 80}, "行为记录"};
  toolkit::ImageButton 超级按钮7{*this, "超级按钮7", {765, 15, 80, 80}, "二级密码"};
  toolkit::ImageButton 超级按钮8{*this, "超级按钮8", {850, 15, 80, 80}, "Varkon同盟"};

  toolkit::GroupBox 分组框1{*this, "分组框1", {212, 105, 745, 150}};
  toolkit::TransparentLabel 标签_标题{分组框1, "标签_标题", {8, 11, 350, 112},
                                     "玩家名称:                         杀敌:         拆包:\r\n\r\n"
                                     "混战排名:                         死亡:         炸包:\r\n\r\n"
                                     "当前军衔:                         爆头:         ＫＤ:\r\n\r\n"
                                     "注册时间:                         首杀:         鲜花:\r\n\r\n"
                                     "在线时长:                         盲狙:         牛粪:"};
  toolkit::Label 标签_名称{分组框1, "标签_名称", {63, 9, 145, 18}};
  toolkit::Label 标签_排名{分组框1, "标签_排名", {63, 33, 145, 18}};
  toolkit::Label 标签_军衔{分组框1, "标签_军衔", {63, 57, 145, 18}};
  toolkit::Label 标签_注册时间{分组框1, "标签_注册时间", {63, 81, 145, 18}};
  toolkit::Label 标签_在线时长{分组框1, "标签_在线时长", {63, 105, 145, 18}};
  toolkit::Label 标签_杀敌{分组框1, "标签_杀敌", {243, 9, 45, 18}};
  toolkit::Label 标签_死亡{分组框1, "标签_死亡", {243, 33, 45, 18}};
  toolkit::Label 标签_爆头{分组框1, "标签_爆头", {243, 57, 45, 18}};
  toolkit::Label 标签_首杀{分组框1, "标签_首杀", {243, 81, 45, 18}};
  toolkit::Label 标签_盲狙{分组框1, "标签_盲狙", {243, 105, 45, 18}};
  toolkit::Label 标签_拆包{分组框1, "标签_拆包", {328, 9, 45, 18}};
  toolkit::Label 标签_炸包{分组框1, "标签_炸包", {328, 33, 45, 18}};
  toolkit::Label 标签_KD{分组框1, "标签_KD", {328, 57, 45, 18}};
  toolkit::Label 标签_鲜花{分组框1, "标签_鲜花", {328, 81, 45, 18}};
  toolkit::Label 标签_牛粪{分组框1, "标签_牛粪", {328, 105, 45, 18}};
  toolkit::LinkLabel 超级链接框7{分组框1, "超级链接框7", {3, 121, 360, 24}};
  toolkit::GroupBox 分组框4{分组框1, "分组框4", {365, 10, 365, 135}, "玩家道具"};
  toolkit::ListView 列表_道具{分组框4, "列表_道具", {3, 15, 350, 115}};

  toolkit::TreeView 树型框1{*this, "树型框1", {5, 108, 200, 287}};
  toolkit::GroupBox 分组框5{*this, "分组框5", {5, 400, 200, 295}};
  toolkit::WebBrowser 超文本浏览框2{分组框5, "超文本浏览框2", {-2, -2, 225, 322}};

  toolkit::GroupBox 分组框2{*this, "分组框2", {212, 255, 485, 445}};
  toolkit::ListView 列表_服务器{分组框2, "列表_服务器", {5, 10, 470, 345}};
  toolkit::GroupBox 分组框6{分组框2, "分组框6", {5, 345, 468, 36}};
  toolkit::PictureBox 图片框1{分组框6, "图片框1", {3, 11, 460, 20}};
  toolkit::Canvas 当前消息{图片框1, "当前消息", {5, 5, 120, 15}};
  toolkit::GroupBox 分组框3{*this, "分组框3", {704, 255, 250, 445}};
  toolkit::ListView 列表_玩家{分组框3, "列表_玩家", {4, 11, 242, 429}};

  toolkit::Button 按钮_刷新列表{*this, "按钮_刷新列表", {325, 640, 115, 45}, "刷新"};
  toolkit::Button 按钮_设置{*this, "按钮_设置", {445, 640, 115, 45}, "设置"};
  toolkit::Button 按钮_启动游戏{*this, "按钮_启动游戏", {565, 640, 115, 45}, "启动游戏"};

  // Declared after everything it covers: the home pane lies over the centre until removed.
  toolkit::WebBrowser 超文本浏览框1{*this, "超文本浏览框1", {210, 108, 15, 12}};

  toolkit::Timer 时钟1{*this, "时钟1", 0};
  toolkit::Timer 时钟2{*this, "时钟2", 3000};
  toolkit::Timer 时钟3{*this, "时钟3", 0};
  toolkit::Timer 时钟4{*this, "时钟4", 100};
  toolkit::Timer 时钟5{*this, "时钟5", 60000};
  toolkit::TrayIcon 托盘{*this, "托盘"};
};

// The caption: the version title, then the platform's host name.
Text MainWindowCaption();
