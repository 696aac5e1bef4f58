#pragma once
// The stand-in platform on loopback, with the client's built-in addresses pointed at it.
#include <gtest/gtest.h>

#include "app/builtin.h"
#include <chrono>
#include <thread>

#include "app/session.h"
#include "login/login_exchange.h"
#include "mainwindow/main_window_loading.h"
#include "dev_platform.h"
#include "platform/files.h"
#include "platform/posix/recorded.h"

struct StandIn {
  explicit StandIn(devplatform::Options options = {}, bool publishOwnDigest = true) : platform(Prepare(options, publishOwnDigest)) {
    started = platform.Start();
    EXPECT_TRUE(started) << platform.error();
    app::Builtin().configUrl = platform.baseUrl() + "/dlq/version.ini";
    app::Builtin().forumUrl = platform.fallbackUrl() + "/dlq/version.ini";
    app::Builtin().forumHome = platform.fallbackUrl() + "/forum/index.php?from=client&lang=zh";
  }

  static devplatform::Options Prepare(devplatform::Options options, bool publishOwnDigest) {
    options.port = 0;
    options.fallbackPort = 0;
    if (publishOwnDigest) options.exe = platform::OwnExecutablePath();
    return options;
  }

  // Requests for `path` received so far.
  int Count(const std::string& path) const {
    int n = 0;
    for (const auto& r : platform.requests()) n += r.path == path;
    return n;
  }

  devplatform::DevPlatform platform;
  bool started = false;
};

// A clean session and recorder for each test; workers a test started end with it.
class SessionTest : public ::testing::Test {
 protected:
  void TearDown() override { WaitForWorkers(); }
  static void WaitForWorkers() {
    while (LoginWorkersRunning() > 0 || MainWindowLoadingRunning() > 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  void SetUp() override {
    platform::recorded::Reset();
    app::InitialiseSession();
    app::session().LoginWindowTitle.set(Text());
  }
};
