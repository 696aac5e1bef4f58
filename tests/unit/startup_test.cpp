#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "app/startup.h"
#include "login/login_window.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "stand_in.h"
#include "temp_dir.h"
#include "toolkit/headless/simulate.h"

namespace {

const char kProvider[] = "Software\\Valve\\Steam\\LastContentProviderURL";

class Startup : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path);
  }
  void TearDown() override {
    SessionTest::TearDown();
    std::filesystem::current_path(old_);
  }

  TempDir dir_;
  std::filesystem::path old_;
};

TEST_F(Startup, NormalBranchReadiesTheLoginForm) {
  std::ofstream(dir_.File("_update.tmp")) << "old client";
  StandIn standIn;
  LoginWindow& w = app::LoadLoginWindow();
  Session& s = app::session();

  EXPECT_EQ(w.text(), "Varkon在线CS同盟平台 Ver2.5.6.18");
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(w.编辑框1.text(), "请输入您的英文名");
  EXPECT_EQ(w.编辑框2.text(), "请输入您的密码");
  EXPECT_EQ(w.气球提示框1.tips().size(), 5u);
  EXPECT_FALSE(w.分组框2.visible());
  EXPECT_EQ(w.分组框2.height(), 0);
  EXPECT_EQ(w.超文本浏览框1.address(), s.RemoteConfig.ADlogin);
  EXPECT_FALSE(s.RemoteConfig.ADlogin.empty());
  EXPECT_EQ(platform::recorded::OpenedPages(), std::vector<Text>{app::Builtin().forumHome});
  EXPECT_EQ(platform::RegistryReadString(kProvider, "unset"), s.RemoteConfig.Provide2);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("_update.tmp")));
  ASSERT_TRUE(s.UdpEndpoint->IsOpen());
  EXPECT_NE(s.UdpEndpoint->LocalPort(), 0);
  EXPECT_EQ(s.DetailsQueryPacket.size(), 11u);
  EXPECT_EQ(s.PlayersQueryPacket.size(), 11u);
  EXPECT_EQ(s.InfoQueryPacket.size(), 25u);
  EXPECT_EQ(s.PlayerChallengePacket.size(), 9u);
  EXPECT_EQ(s.MasterQueryPacket.size(), 29u);
  EXPECT_TRUE(w.按钮1.enabled());

  // The timer keeps the caption on the session's title.
  s.LoginWindowTitle.set("正在登陆...(2)");
  toolkit::headless::Advance(80);
  EXPECT_EQ(w.text(), "正在登陆...(2)");
}

TEST_F(Startup, PublishedVersionChoosesTheBranch) {
  struct Case {
    const char* ver;  // nullptr: no ver line at all
    bool normal;
  } cases[] = {{"2.5.6.18", true}, {"2.5.6.18 ", false}, {"2.5.6.19", false}, {"", false}, {nullptr, false}};
  for (const Case& c : cases) {
    SessionTest::SetUp();
    devplatform::Options options;
    if (c.ver) {
      options.set = {{"ver", c.ver}};
    } else {
      options.unset = {"ver"};
    }
    StandIn standIn(options);
    LoginWindow& w = app::LoadLoginWindow();
    toolkit::headless::Advance(80);
    const char* label = c.ver ? c.ver : "(absent)";
    EXPECT_EQ(w.分组框2.visible(), !c.normal) << label;
    EXPECT_EQ(w.按钮1.enabled(), c.normal) << label;
    EXPECT_EQ(app::session().UdpEndpoint->IsOpen(), c.normal) << label;
    EXPECT_EQ(platform::recorded::OpenedPages().size(), c.normal ? 1u : 0u) << label;
    EXPECT_EQ(w.text(), c.normal ? "Varkon在线CS同盟平台 Ver2.5.6.18" : "Varkon在线CS同盟平台正在更新...") << label;
  }
}

TEST_F(Startup, UpdateBranchUnrollsThePanel) {
  devplatform::Options options;
  options.set = {{"ver", "2.6.0.1"}};
  StandIn standIn(options);
  LoginWindow& w = app::LoadLoginWindow();
  EXPECT_EQ(w.标签8.text(), "2.6.0.1");
  EXPECT_TRUE(w.超文本浏览框1.destroyed());
  EXPECT_FALSE(platform::RegistryValueExists(kProvider));  // the normal branch's steps did not run
  EXPECT_EQ(w.分组框2.height(), 0);
  toolkit::headless::Advance(80 * 12);
  EXPECT_EQ(w.分组框2.height(), 120);  // ten pixels a tick while below 115
  EXPECT_EQ(w.时钟1.period(), 80);
  toolkit::headless::Advance(80);
  EXPECT_EQ(w.分组框2.height(), 115);
  EXPECT_EQ(w.时钟1.period(), 0);  // stopped: the caption stays as it is
  app::session().LoginWindowTitle.set("changed");
  toolkit::headless::Advance(800);
  EXPECT_EQ(w.text(), "Varkon在线CS同盟平台正在更新...");
}

TEST_F(Startup, EmptyProviderIsWrittenEmpty) {
  platform::RegistryWriteString(kProvider, "http://old");
  devplatform::Options options;
  options.set = {{"Provide2", ""}};
  StandIn standIn(options);
  app::LoadLoginWindow();
  EXPECT_TRUE(platform::RegistryValueExists(kProvider));
  EXPECT_EQ(platform::RegistryReadString(kProvider, "unset"), "");
}

TEST_F(Startup, StoredCredentialsAreRestored) {
  platform::RegistryWriteString("Software\\varkon\\username", "gamer");
  platform::RegistryWriteString("Software\\varkon\\password", "pw");
  platform::RegistryWriteDword("Software\\varkon\\Note", 1);
  StandIn standIn;
  LoginWindow& w = app::LoadLoginWindow();
  EXPECT_EQ(w.编辑框1.text(), "gamer");
  EXPECT_EQ(w.编辑框2.text(), "pw");
  EXPECT_TRUE(w.编辑框2.passwordMode());
  EXPECT_TRUE(w.选择框1.checked());
}

void StartWithPlatformDown() {
  devplatform::Options options;
  options.down = devplatform::Which::Both;
  StandIn standIn(options);
  app::LoadLoginWindow();
}

void StartWithForeignDigest() {
  devplatform::Options options;
  options.set = {{"Hash", "0123456789abcdef0123456789abcdef"}};
  StandIn standIn(options, false);
  app::LoadLoginWindow();
}

void StartAndClose() {
  StandIn standIn;
  LoginWindow& w = app::LoadLoginWindow();
  toolkit::headless::RequestClose(w);
  std::abort();  // not reached: closing ends the program
}

TEST_F(Startup, PlatformDownEndsTheProgram) {
  EXPECT_EXIT(StartWithPlatformDown(), ::testing::ExitedWithCode(0), u8"message box \\[错误!\\] 信息获取失败!");
}

TEST_F(Startup, ModifiedExecutableEndsTheProgram) {
  EXPECT_EXIT(StartWithForeignDigest(), ::testing::ExitedWithCode(0),
              u8"message box \\[错误\\] 程序文件校验失败，请重新下载客户端！");
}

TEST_F(Startup, ClosingTheLoginWindowEndsTheProgram) {
  EXPECT_EXIT(StartAndClose(), ::testing::ExitedWithCode(0), "");
}

TEST(StartupPieces, DigestComparisonIgnoresCaseAndRejectsEmpty) {
  TempDir dir;
  std::ofstream(dir.File("client.exe")) << "abc";
  EXPECT_TRUE(app::ExecutableMatchesDigest(dir.File("client.exe"), "900150983cd24fb0d6963f7d28e17f72"));
  EXPECT_TRUE(app::ExecutableMatchesDigest(dir.File("client.exe"), "900150983CD24FB0D6963F7D28E17F72"));
  EXPECT_FALSE(app::ExecutableMatchesDigest(dir.File("client.exe"), ""));
  EXPECT_FALSE(app::ExecutableMatchesDigest(dir.File("missing.exe"), ""));
  EXPECT_FALSE(app::ExecutableMatchesDigest(dir.File("missing.exe"), "d41d8cd98f00b204e9800998ecf8427e"));
}

TEST(StartupPieces, PortsLieInOneTo32768AndARefusedPortFallsBack) {
  platform::SeedRandom(12345);
  int low = 1 << 30, high = 0;
  for (int i = 0; i < 20000; ++i) {
    int port = app::DrawLocalPort();
    low = std::min(low, port);
    high = std::max(high, port);
  }
  EXPECT_GE(low, 1);
  EXPECT_LE(high, 32768);

  app::InitialiseSession();
  UdpEndpoint holder;
  ASSERT_TRUE(holder.Open(0));
  // The drawn port is taken: the system's choice is bound instead.
  EXPECT_TRUE(app::OpenEndpoint(holder.LocalPort()));
  EXPECT_NE(app::session().UdpEndpoint->LocalPort(), holder.LocalPort());
}

}  // namespace
