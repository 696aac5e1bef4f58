#include <gtest/gtest.h>

#include "login/credentials.h"
#include "login/login_form.h"
#include "login/login_window.h"
#include "platform/registry.h"
#include "stand_in.h"
#include "toolkit/headless/simulate.h"

namespace {

using toolkit::headless::Click;
using toolkit::headless::Focus;
using toolkit::headless::Paste;
using toolkit::headless::Type;

class LoginForm : public SessionTest {
 protected:
  // A window as the creation sequence leaves it: credentials restored, then placeholders.
  std::unique_ptr<LoginWindow> Open() {
    auto w = std::make_unique<LoginWindow>();
    RestoreCredentials(*w);
    ApplyPlaceholders(*w);
    AttachBalloonTips(*w);
    w->show();
    return w;
  }
};

TEST_F(LoginForm, FirstStartShowsGreyPlaceholders) {
  auto w = Open();
  EXPECT_EQ(w->编辑框1.text(), "请输入您的英文名");
  EXPECT_EQ(w->编辑框2.text(), "请输入您的密码");
  EXPECT_EQ(w->编辑框1.textColour(), 0x808080u);
  EXPECT_EQ(w->编辑框2.textColour(), 0x808080u);
  EXPECT_FALSE(w->编辑框2.passwordMode());  // the placeholder is readable
  EXPECT_FALSE(w->选择框1.checked());
}

TEST_F(LoginForm, StoredCredentialsComeBackOnlyWithNote) {
  platform::RegistryWriteString("Software\\varkon\\username", "玩家abc");
  platform::RegistryWriteString("Software\\varkon\\password", "p&ss=1");
  platform::RegistryWriteDword("Software\\varkon\\Note", 0);
  EXPECT_EQ(Open()->编辑框1.text(), "请输入您的英文名");

  platform::RegistryWriteDword("Software\\varkon\\Note", 1);
  auto w = Open();
  EXPECT_EQ(w->编辑框1.text(), "玩家abc");
  EXPECT_EQ(w->编辑框2.text(), "p&ss=1");
  EXPECT_TRUE(w->编辑框2.passwordMode());  // masked, as designed
  EXPECT_EQ(w->编辑框2.textColour(), 0u);
  EXPECT_TRUE(w->选择框1.checked());
}

TEST_F(LoginForm, PasswordBoxSwitchesModes) {
  auto w = Open();
  toolkit::Edit& box = w->编辑框2;
  Focus(box);
  EXPECT_EQ(box.text(), "");
  EXPECT_FALSE(box.passwordMode());  // focus alone keeps the readable mode
  Type(box, "s3");
  EXPECT_TRUE(box.passwordMode());
  EXPECT_EQ(box.textColour(), 0u);
  EXPECT_EQ(box.text(), "s3");

  // Leaving it with text keeps it; leaving it empty brings the placeholder back, readable.
  Focus(w->编辑框1);
  EXPECT_EQ(box.text(), "s3");
  Focus(box);
  box.setText(Text());
  Focus(w->编辑框1);
  EXPECT_EQ(box.text(), "请输入您的密码");
  EXPECT_FALSE(box.passwordMode());
  EXPECT_EQ(box.textColour(), 0x808080u);

  // Pasting without typing leaves the readable mode.
  Focus(box);
  Paste(box, "pasted");
  EXPECT_FALSE(box.passwordMode());
  EXPECT_EQ(box.text(), "pasted");
}

TEST_F(LoginForm, UserNameBoxPlaceholderRules) {
  auto w = Open();
  toolkit::Edit& box = w->编辑框1;
  Click(box);
  EXPECT_EQ(box.text(), "");
  EXPECT_EQ(box.textColour(), 0x808080u);  // focus does not change the colour
  Type(box, "  ");
  EXPECT_EQ(box.textColour(), 0u);
  Focus(w->编辑框2);
  EXPECT_EQ(box.text(), "  ");  // blanks are text

  Focus(box);
  box.setText(Text());
  Focus(w->编辑框2);
  EXPECT_EQ(box.text(), "请输入您的英文名");
  EXPECT_EQ(box.textColour(), 0x808080u);

  // Focus on typed text keeps it.
  Focus(box);
  Type(box, "张三");
  Focus(w->编辑框2);
  Focus(box);
  EXPECT_EQ(box.text(), "张三");
}

TEST_F(LoginForm, SaveWritesBothBoxesAndNoteFromTheCheckBox) {
  auto w = Open();
  Type(w->编辑框1, "player");
  Type(w->编辑框2, "secret");
  SaveCredentials(*w);
  EXPECT_EQ(platform::RegistryReadString("Software\\varkon\\username"), "player");
  EXPECT_EQ(platform::RegistryReadString("Software\\varkon\\password"), "secret");
  EXPECT_EQ(platform::RegistryReadDword("Software\\varkon\\Note", 7), 0u);
  EXPECT_EQ(Open()->编辑框1.text(), "请输入您的英文名");  // unticked: not restored

  Click(w->选择框1);
  ASSERT_TRUE(w->选择框1.checked());
  SaveCredentials(*w);
  EXPECT_EQ(platform::RegistryReadDword("Software\\varkon\\Note"), 1u);
  EXPECT_EQ(Open()->编辑框2.text(), "secret");
}

TEST_F(LoginForm, TipsLinksAndButton) {
  auto w = Open();
  EXPECT_EQ(w->气球提示框1.tips().size(), 5u);
  EXPECT_EQ(w->气球提示框1.tipOf(w->按钮1), "输入帐号密码后登陆!");
  EXPECT_EQ(w->气球提示框1.tipOf(w->编辑框1), "请输入帐号!");
  EXPECT_EQ(w->气球提示框1.tipOf(w->编辑框2), "请输入密码");
  EXPECT_EQ(w->气球提示框1.tipOf(w->超级链接框7), "注册一个属于你的帐号!");
  EXPECT_EQ(w->气球提示框1.tipOf(w->选择框1), "记住你的密码\r\n注意:网吧用户请勿钩上,以免被盗号.");

  app::session().RemoteConfig.signup = "http://bbs/member.php?mod=register&from=client";
  app::session().RemoteConfig.link = "";
  Click(w->超级链接框7);
  Click(w->超级链接框1);  // hidden with the update panel: a person cannot press it
  w->分组框2.setVisible(true);
  Click(w->超级链接框1);  // an empty address opens nothing
  EXPECT_EQ(platform::recorded::OpenedPages(), std::vector<Text>{"http://bbs/member.php?mod=register&from=client"});

  EXPECT_EQ(w->按钮1.text(), "登陆\r\n[Login]");
  Click(w->按钮1);
  EXPECT_EQ(w->按钮1.text(), "登录中...");
  EXPECT_FALSE(w->按钮1.enabled());
  Click(w->按钮1);  // disabled: no second login
  ReenableLoginButton(*w);
  EXPECT_EQ(w->按钮1.text(), "登录");
  EXPECT_TRUE(w->按钮1.enabled());
}

TEST_F(LoginForm, DesignPlacesAndSizes) {
  LoginWindow w;
  struct Case {
    toolkit::Control& control;
    toolkit::Control* parent;
    toolkit::Rect bounds;
  } cases[] = {
      {w, nullptr, {50, 50, 397, 313}},
      {w.图片框1, &w, {0, 0, 390, 155}},
      {w.超文本浏览框1, &w.图片框1, {-2, -2, 415, 195}},
      {w.分组框1, &w, {5, 163, 380, 115}},
      {w.标签1, &w.分组框1, {46, 21, 80, 24}},
      {w.标签2, &w.分组框1, {45, 51, 80, 24}},
      {w.编辑框1, &w.分组框1, {89, 22, 158, 20}},
      {w.编辑框2, &w.分组框1, {89, 54, 158, 20}},
      {w.选择框1, &w.分组框1, {172, 81, 70, 20}},
      {w.超级链接框7, &w.分组框1, {85, 79, 60, 24}},
      {w.按钮1, &w.分组框1, {267, 25, 89, 65}},
      {w.分组框2, &w, {5, 163, 380, 17}},
  };
  for (const Case& c : cases) {
    toolkit::Rect r = c.control.bounds();
    EXPECT_EQ(c.control.parent(), c.parent) << c.control.name();
    EXPECT_EQ(r.left, c.bounds.left) << c.control.name();
    EXPECT_EQ(r.top, c.bounds.top) << c.control.name();
    EXPECT_EQ(r.width, c.bounds.width) << c.control.name();
    EXPECT_EQ(r.height, c.bounds.height) << c.control.name();
  }
  EXPECT_EQ(w.标签1.text(), "帐　号：");
  EXPECT_TRUE(w.编辑框2.passwordMode());
  EXPECT_FALSE(w.分组框2.visible());
  EXPECT_EQ(w.时钟1.period(), 80);
  EXPECT_EQ(w.进度条.maximum(), 10000);
  EXPECT_EQ(w.标签3.text(), "就绪");
}

}  // namespace
