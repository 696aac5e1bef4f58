// Which texts OpenPage is willing to hand to the shell.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace {

// Under Wine, pages reach the program named in HKCU\Software\Wine\WineBrowser "Browsers".
// VARKON_TEST_BROWSER names (as a Unix path) an executable that appends each argument as a
// line to the file VARKON_TEST_BROWSER_LOG names (as a path for this program).
class OpenPageThroughWine : public testing::Test {
 protected:
  void SetUp() override {
    const char* browser = std::getenv("VARKON_TEST_BROWSER");
    const char* log = std::getenv("VARKON_TEST_BROWSER_LOG");
    if (!browser || !log) GTEST_SKIP() << "VARKON_TEST_BROWSER and VARKON_TEST_BROWSER_LOG are not set";
    log_ = log;
    had_ = platform::RegistryValueExists(kSetting);
    old_ = platform::RegistryReadString(kSetting);
    ASSERT_TRUE(platform::RegistryWriteString(kSetting, browser));
    ASSERT_TRUE(platform::DeleteFileAt(log_));
  }
  void TearDown() override {
    if (log_.empty()) return;
    if (had_) {
      platform::RegistryWriteString(kSetting, old_);
    } else {
      platform::RegistryDeleteValue(kSetting);
    }
  }
  // The lines logged once `count` pages have arrived (each comes from a process of its own).
  std::vector<Text> WaitForPages(std::size_t count) {
    std::vector<Text> lines;
    for (int round = 0; round < 300 && lines.size() < count; ++round) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      lines.clear();
      Text text = TextFromBytes(platform::ReadWholeFile(log_));
      std::size_t start = 0;
      for (std::size_t end; (end = text.find('\n', start)) != Text::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
      }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }

  static constexpr const char* kSetting = "Software\\Wine\\WineBrowser\\Browsers";
  Text log_;
  bool had_ = false;
  Text old_;
};

TEST_F(OpenPageThroughWine, OnlyWebAddressesArriveAndWhole) {
  // Refused ones first: had any of them gone out, it would most likely be logged first.
  for (const char* refused : {"C:\\windows\\notepad.exe", "file:///C:/windows/notepad.exe", "notepad", ""}) {
    platform::OpenPage(refused);
  }
  platform::OpenPage("http://127.0.0.1:8889/forum/index.php?from=client&lang=zh");
  platform::OpenPage("https://bbs.example/a?b=1&c=2");
  // A quote stays inside the one argument.
  platform::OpenPage("http://bbs.example/x\" --new-window \"y");
  std::vector<Text> expected = {"http://127.0.0.1:8889/forum/index.php?from=client&lang=zh",
                                "https://bbs.example/a?b=1&c=2", "http://bbs.example/x%22%20--new-window%20%22y"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, WaitForPages(expected.size()));
}

}  // namespace
