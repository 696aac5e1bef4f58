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

#include <chrono>
#include <thread>

#include "app/startup.h"
#include "login/login_window.h"
#include "platform/registry.h"
#include "stand_in.h"
#include "toolkit/headless/simulate.h"

namespace {

using toolkit::headless::Advance;
using toolkit::headless::Click;
using toolkit::headless::Type;

class LoginExchange : public SessionTest {
 protected:
  // Ticks the login timer in real time until `done` holds or five seconds pass.
  template <typename Done>
  bool RunUntil(Done done) {
    for (int i = 0; i < 250; ++i) {
      Advance(80);
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  LoginWindow& LogIn(const Text& user, const Text& password) {
    LoginWindow& w = app::LoadLoginWindow();
    Click(w.编辑框1);
    Type(w.编辑框1, user);
    Click(w.编辑框2);
    Type(w.编辑框2, password);
    Click(w.按钮1);
    return w;
  }

  static bool BoxShown() { return !platform::recorded::Boxes().empty(); }
};

TEST_F(LoginExchange, GoodLoginFillsSessionAndProfile) {
  StandIn standIn;
  LoginWindow& w = LogIn("demo", "demo123");
  Session& s = app::session();
  ASSERT_TRUE(RunUntil([&] { return !s.PlayerProfile.pCsid.empty(); }));
  EXPECT_EQ(s.LoginSession.rcode, "10001");
  EXPECT_EQ(s.LoginSession.name_eng, "demo");
  EXPECT_EQ(s.LoginSession.name_chs, "演示玩家");
  EXPECT_EQ(s.LoginSession.items, "ak47_gold,awp_dragon,deagle_fire,no_such_item,m4a1_silver");
  EXPECT_EQ(s.LoginSession.psw.size(), 32u);
  EXPECT_EQ(s.PlayerProfile.pScore, "上士");           // unescaped
  EXPECT_EQ(s.PlayerProfile.pCsidChs, "演示玩家");     // unescaped
  EXPECT_EQ(s.PlayerProfile.pOnline, "1时2分5秒");     // 3725 seconds
  EXPECT_EQ(s.PlayerProfile.pKill, "1520");
  EXPECT_EQ(s.PlayerProfile.pShit, "3");
  EXPECT_EQ(platform::RegistryReadString("Software\\varkon\\username"), "demo");
  EXPECT_EQ(platform::RegistryReadDword("Software\\varkon\\Note", 9), 0u);
  EXPECT_EQ(standIn.Count("/user/profile.php"), 1);
  EXPECT_TRUE(platform::recorded::Boxes().empty());
  EXPECT_EQ(w.text(), "正在获取个人数据...");
  WaitForWorkers();  // the main window's loading, while the stand-in still answers
}

TEST_F(LoginExchange, RefusalsShowTheirMessageAndFreeTheButton) {
  struct Case {
    const char* user;
    const char* password;
    const char* message;
  } cases[] = {
      {"nobody", "x", "用户名不存在!"},
      {"demo", "wrong", "密码错误!"},
      {"netfail", "x", "抱歉,检测到网络异常.请稍候再试"},
  };
  StandIn standIn;
  for (const Case& c : cases) {
    SessionTest::TearDown();
    SessionTest::SetUp();
    LoginWindow& w = LogIn(c.user, c.password);
    ASSERT_TRUE(RunUntil(BoxShown)) << c.user;
    auto box = platform::recorded::Boxes().front();
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(box.caption, "登录失败");
    EXPECT_EQ(box.icon, platform::BoxIcon::None);
    EXPECT_EQ(w.按钮1.text(), "登录");
    EXPECT_TRUE(w.按钮1.enabled());
    Advance(80);
    EXPECT_EQ(w.text(), "Varkon在线CS同盟平台 Ver2.5.6.18");
    EXPECT_TRUE(app::session().LoginSession.rcode.empty());
  }
}

TEST_F(LoginExchange, PasswordWithFormSignsIsAccepted) {
  StandIn standIn;
  LogIn("percent", "R&D=50%+1");
  ASSERT_TRUE(RunUntil([] { return !app::session().PlayerProfile.pCsid.empty() || BoxShown(); }));
  EXPECT_TRUE(platform::recorded::Boxes().empty());
  EXPECT_EQ(app::session().LoginSession.rcode, "10002");
  EXPECT_EQ(app::session().PlayerProfile.pOnline, "25时0分0秒");
  WaitForWorkers();
}

TEST_F(LoginExchange, ClearedUserNameDiscardsTheReply) {
  devplatform::Options options;
  options.emptyLogins = 3;
  StandIn standIn(options);
  LoginWindow& w = LogIn("demo", "demo123");
  w.编辑框1.setText(Text());
  ASSERT_TRUE(RunUntil(BoxShown));
  EXPECT_EQ(platform::recorded::Boxes().front().text, "请输入用户名！");
  EXPECT_EQ(w.text(), "正在登陆...(4)");  // the title is left as the worker set it
  EXPECT_TRUE(w.按钮1.enabled());
}

TEST_F(LoginExchange, EmptyRepliesCountInTheCaptionThenStall) {
  devplatform::Options options;
  options.emptyLogins = 50;
  StandIn standIn(options);
  LoginWindow& w = LogIn("demo", "demo123");
  ASSERT_TRUE(RunUntil([&] { return w.text() == "正在登陆...(50)" && LoginWorkersRunning() == 0; }));
  Advance(800);
  EXPECT_TRUE(platform::recorded::Boxes().empty());
  EXPECT_FALSE(w.按钮1.enabled());
  EXPECT_EQ(w.按钮1.text(), "登录中...");
  EXPECT_TRUE(app::session().LoginSession.rcode.empty());
}

TEST_F(LoginExchange, ReplyThatIsNotJsonLogsInWithEmptySlots) {
  StandIn standIn;
  LoginWindow& w = app::LoadLoginWindow();
  // A page of the site that is no login reply at all.
  app::session().RemoteConfig.login = standIn.platform.baseUrl() + "/ad/login.html";
  Type(w.编辑框1, "demo");
  Click(w.按钮1);
  ASSERT_TRUE(RunUntil([&] { return standIn.Count("/user/profile.php") == 1 && LoginWorkersRunning() == 0; }));
  Advance(80);
  EXPECT_TRUE(platform::recorded::Boxes().empty());
  EXPECT_TRUE(app::session().LoginSession.rcode.empty());
  EXPECT_TRUE(app::session().PlayerProfile.pCsid.empty());  // the profile of no user
  WaitForWorkers();
}

}  // namespace

#include "mainwindow/main_window.h"

namespace {

TEST_F(LoginExchange, MainWindowOpensWithTheProfile) {
  platform::RegistryWriteString("Software\\varkon\\Parameter", "-32bpp -gl -32bpp");
  platform::RegistryWriteString("Software\\varkon\\Path", "C:\\Games\\CS\\");
  StandIn standIn;
  LoginWindow& login = LogIn("demo", "demo123");
  // The login window goes once the main window is open.
  ASSERT_TRUE(RunUntil([&] { return login.destroyed(); }));
  WaitForWorkers();
  MainWindow& w = *app::OpenMainWindow();
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(w.text(), "Varkon在线CS同盟平台 Ver2.5.6.18  -  " + app::Builtin().siteHost);
  EXPECT_EQ(w.width(), 975);
  EXPECT_EQ(w.height(), 734);
  EXPECT_EQ(w.标签_名称.text(), "演示玩家");
  EXPECT_EQ(w.标签_排名.text(), "12位");
  EXPECT_EQ(w.标签_军衔.text(), "上士");
  EXPECT_EQ(w.标签_在线时长.text(), "1时2分5秒");
  EXPECT_EQ(w.标签_KD.text(), "2.5");  // 1520 / 608
  EXPECT_EQ(w.标签_牛粪.text(), "3");
  // Four of the five items have a name; the unknown one adds nothing.
  EXPECT_EQ(w.列表_道具.rowCount(), 4);
  EXPECT_EQ(w.超级链接框7.text(), "中国广东深圳电信 IP:127.0.0.1");
  EXPECT_EQ(w.超文本浏览框1.address(), app::session().RemoteConfig.Mianhome);
  EXPECT_EQ(w.列表_服务器.columnCount(), 5);
  EXPECT_EQ(w.列表_玩家.columns()[1].title, "杀敌");
  EXPECT_EQ(app::session().ServerSortToggles, std::vector<int>(10, 0));
  EXPECT_EQ(app::session().LaunchParameters, " -gl ");  // "-32bpp" removed at every start
  EXPECT_EQ(app::session().GamePath, "C:\\Games\\CS\\");
  EXPECT_EQ(app::session().RefreshRateParameter, "-freq 100");
  // The ticker: drawn from the fetched text, starting at the viewport's right edge.
  EXPECT_EQ(w.当前消息.left(), w.图片框1.width());
  Advance(100);
  EXPECT_FALSE(w.当前消息.runs().empty());
  EXPECT_GT(w.当前消息.width(), 0);
}

}  // namespace
