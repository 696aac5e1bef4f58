#pragma once
// The first window: a banner pane and the login form, or the update panel while updating.
#include "toolkit/controls.h"

class LoginWindow : public toolkit::Window {
 public:
  LoginWindow();
  ~LoginWindow() override;

  toolkit::PictureBox 图片框1{*this, "图片框1", {0, 0, 390, 155}};
  toolkit::WebBrowser 超文本浏览框1{图片框1, "超文本浏览框1", {-2, -2, 415, 195}};

  toolkit::GroupBox 分组框1{*this, "分组框1", {5, 163, 380, 115}, "用户登陆"};
  toolkit::Label 标签1{分组框1, "标签1", {46, 21, 80, 24}, "帐　号："};
  toolkit::Label 标签2{分组框1, "标签2", {45, 51, 80, 24}, "密　码："};
  toolkit::Edit 编辑框1{分组框1, "编辑框1", {89, 22, 158, 20}};
  toolkit::Edit 编辑框2{分组框1, "编辑框2", {89, 54, 158, 20}};
  toolkit::CheckBox 选择框1{分组框1, "选择框1", {172, 81, 70, 20}, "记住密码"};
  toolkit::LinkLabel 超级链接框7{分组框1, "超级链接框7", {85, 79, 60, 24}, "免费注册"};
  toolkit::Button 按钮1{分组框1, "按钮1", {267, 25, 89, 65}, "登陆\r\n[Login]"};

  // The update panel, hidden at design time; it unrolls over the login form.
  toolkit::GroupBox 分组框2{*this, "分组框2", {5, 163, 380, 17},
                            "注:若更新不成功请点击右下角的(更新失败)手动下载更新"};
  toolkit::TransparentLabel 透明标签2{
      分组框2, "透明标签2", {8, 20, 300, 72},
      "最新版本：                 速度：\r\n\r\n下载状态：               已下载：\r\n\r\n"
      "文件大小：             剩余时间：\r\n\r\n"};
  toolkit::Label 标签8{分组框2, "标签8", {72, 20, 90, 12}};
  toolkit::Label 标签5{分组框2, "标签5", {216, 20, 90, 12}, "--Kbps"};
  toolkit::Label 标签3{分组框2, "标签3", {72, 44, 64, 12}, "就绪"};
  toolkit::Label 标签6{分组框2, "标签6", {216, 44, 90, 12}, "--KB"};
  toolkit::Label 标签4{分组框2, "标签4", {72, 68, 60, 12}, "--MB"};
  toolkit::Label 标签7{分组框2, "标签7", {216, 68, 90, 12}, "--"};
  toolkit::ProgressBar 进度条{分组框2, "进度条", {8, 90, 290, 16}};
  toolkit::LinkLabel 超级链接框1{分组框2, "超级链接框1", {308, 92, 66, 16}, "更新失败？"};

  toolkit::BalloonTip 气球提示框1{*this, "气球提示框1"};
  toolkit::Timer 时钟1{*this, "时钟1", 80};
};
