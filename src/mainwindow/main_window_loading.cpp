#include "mainwindow/main_window_loading.h"

#include "app/session.h"
#include "mainwindow/main_window.h"
#include "mainwindow/profile_texts.h"
#include "mainwindow/ticker.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/http_get.h"

Bytes FetchWithAttempts(const Text& url, int attempts) {
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    Bytes reply = platform::HttpGet(url);
    if (!TextFromBytes(reply).empty()) return reply;
    if (attempt < attempts) platform::WaitProcessingMessages(10);
  }
  return Bytes();
}

void UpdateMasterServerFile(const Bytes& list, const Text& gamePath) {
  if (list.empty() || gamePath.empty() || !platform::FileExists(gamePath + "hw.dll")) return;
  platform::WriteWholeFile(gamePath + "platform\\config\\MasterServers.vdf", list);
}

namespace {
std::atomic<int> g_loading{0};
}  // namespace

int MainWindowLoadingRunning() { return g_loading; }

void StartMainWindowLoading(MainWindow& w) {
  Session& s = app::session();
  ++g_loading;
  s.MainWindowThread.Start([&w](const std::atomic<bool>& stop) {
    struct Running {
      ~Running() { --g_loading; }
    } running;
    Session& s = app::session();
    Text itemFile = TextFromBytes(FetchWithAttempts(s.RemoteConfig.prop, 500));
    if (stop) return;
    for (const Text& name : MatchItemNames(itemFile, s.LoginSession.items)) w.列表_道具.addRow(name);
    Text location = TextFromBytes(FetchWithAttempts(s.RemoteConfig.IPapi, 50));
    if (stop) return;
    w.超级链接框7.setText(IpLocationText(location));
    FetchTickerMessage();
    if (stop) return;
    UpdateMasterServerFile(FetchWithAttempts(s.RemoteConfig.Master, 5), s.GamePath);
  });
}
