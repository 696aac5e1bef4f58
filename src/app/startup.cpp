#include "app/startup.h"

#include <memory>

#include "app/builtin.h"
#include "app/remote_config.h"
#include "app/session.h"
#include "browser/query_packets.h"
#include "login/credentials.h"
#include "login/login_form.h"
#include "login/login_timer.h"
#include "login/login_window.h"
#include "mainwindow/main_window.h"
#include "net/download.h"
#include "net/file_digest.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace app {
namespace {

std::unique_ptr<LoginWindow> g_loginWindow;
std::unique_ptr<MainWindow> g_mainWindow;

void EndLoginWindowWork() {
  Session& s = session();
  s.UpdateWorkerThread.RequestStop();
  CloseDownload(s.DownloadFile.exchange(0));
}

void RunNormalBranch(LoginWindow& w) {
  Session& s = session();
  if (!ExecutableMatchesDigest(platform::OwnExecutablePath(), s.RemoteConfig.Hash)) {
    platform::ShowMessageBox("程序文件校验失败，请重新下载客户端！", "错误", platform::BoxIcon::Error);
    EndProgram(0);
  }
  platform::OpenPage(Builtin().forumHome);
  w.超文本浏览框1.navigate(s.RemoteConfig.ADlogin);
  w.分组框2.setHeight(0);

  s.DetailsQueryPacket = query_packets::Details();
  s.PlayersQueryPacket = query_packets::Players();
  s.InfoQueryPacket = query_packets::Info();
  s.PlayerChallengePacket = query_packets::PlayerChallenge();
  s.MasterQueryPacket = query_packets::MasterQuery();

  platform::SeedRandom(platform::TickCount());
  if (!OpenEndpoint(DrawLocalPort())) {
    platform::ShowMessageBox("Socket端口绑定失败！", "错误", platform::BoxIcon::Error);
    EndProgram(0);
  }

  RestoreCredentials(w);
  w.setText(s.LoginWindowTitle.get());
  ApplyPlaceholders(w);
  AttachBalloonTips(w);
  platform::RegistryWriteString("Software\\Valve\\Steam\\LastContentProviderURL", s.RemoteConfig.Provide2);
  platform::DeleteFileAt(".\\_update.tmp");
}

void RunUpdateBranch(LoginWindow& w) {
  Session& s = session();
  w.分组框2.setHeight(0);
  w.分组框2.setVisible(true);
  s.LoginWindowTitle.set(kUpdateTitle);
  w.按钮1.setEnabled(false);
  w.标签8.setText(s.RemoteConfig.ver);
  w.超文本浏览框1.destroy();
}

}  // namespace

bool ExecutableMatchesDigest(const Text& path, const Text& publishedDigest) {
  Text digest = FileDigestOfFile(path);
  return !digest.empty() && digest == AsciiLower(publishedDigest);
}

int DrawLocalPort() { return 1 + (platform::RandomValue() % 65535); }

bool OpenEndpoint(int port) {
  ::UdpEndpoint& endpoint = *session().UdpEndpoint;
  // A low port is refused to a player who is not an administrator (and under Wine to anyone
  // who is not root): the system's choice serves the client just as well.
  return endpoint.Open(static_cast<std::int16_t>(port)) || endpoint.Open(0);
}

void RunLoginWindowCreation(LoginWindow& w) {
  Session& s = session();
  LoadRemoteConfig();
  s.LoginWindowTitle.set(kNormalTitle);
  if (s.RemoteConfig.ver == kClientVersion) {
    RunNormalBranch(w);
  } else {
    RunUpdateBranch(w);
  }
}

void OpenMainWindowAfterLogin(LoginWindow& w) {
  g_mainWindow = std::make_unique<MainWindow>();
  g_mainWindow->show();
  w.超文本浏览框1.destroy();
  w.destroy();
}

MainWindow* OpenMainWindow() { return g_mainWindow.get(); }

LoginWindow& LoadLoginWindow() {
  g_loginWindow = std::make_unique<LoginWindow>();
  LoginWindow& w = *g_loginWindow;
  w.时钟1.onTick = [&w] { LoginTimerTick(w); };
  w.onCloseRequested = [] {
    EndLoginWindowWork();
    EndProgram(0);
    return true;
  };
  w.onDestroyed = [] { EndLoginWindowWork(); };
  RunLoginWindowCreation(w);
  w.show();
  return w;
}

}  // namespace app
