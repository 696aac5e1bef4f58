// The update panel's texts for each progress report of a download.
#include <gtest/gtest.h>

#include "net/download_progress.h"

namespace {

TEST(DownloadProgress, NumbersAreWrittenInTheirShortestForm) {
  struct Case {
    std::int64_t hundredths;
    Text text;
  } cases[] = {{0, "0"}, {7, "0.07"}, {50, "0.5"}, {101, "1.01"}, {150, "1.5"}, {200, "2"}, {-150, "-1.5"}};
  for (const Case& c : cases) EXPECT_EQ(c.text, HundredthsText(c.hundredths)) << c.hundredths;
}

TEST(DownloadProgress, LabelsAndBarFollowTheFourValues) {
  struct Case {
    std::int32_t t, d, e, r;
    Text size, speed, downloaded, left;
    std::optional<int> bar;
  } cases[] = {
      {1572864, 524288, 1000, 524288, "1.5MB", "512Kbps", "512KB", "0时0分2秒", 3333},
      // Rounded to two places, half away from zero: 0.125 KB shows as 0.13.
      {1000000, 1000, 3, 1000, "0.95MB", "325.52Kbps", "0.98KB", "0时0分2秒", 10},
      {1048576, 128, 1000, 128, "1MB", "0.13Kbps", "0.13KB", "2时11分15秒", 1},
      {209715200, 1024, 1000, 1024, "200MB", "1Kbps", "1KB", "56时53分19秒", 0},
      // A resumed run: only this run's bytes count for the speed.
      {2097152, 1572864, 2000, 524288, "2MB", "256Kbps", "1536KB", "0时0分2秒", 7500},
      // Nothing announced: size, time left and bar are unknown.
      {0, 20480, 100, 20480, "--MB", "200Kbps", "20KB", "--", std::nullopt},
      // A speed that rounds to 0 leaves the time left unknown.
      {1048576, 1, 100000, 1, "1MB", "0Kbps", "0KB", "--", 0},
      // More arrived than was announced: the bar stops at its end, nothing is left.
      {1000, 3000, 10, 3000, "0MB", "292.97Kbps", "2.93KB", "0时0分0秒", 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.t << " " << c.d << " " << c.e << " " << c.r);
    UpdatePanelProgress shown = DescribeDownloadProgress(c.t, c.d, c.e, c.r);
    EXPECT_EQ("正在下载", shown.state);
    EXPECT_EQ(c.size, shown.fileSize);
    EXPECT_EQ(c.speed, shown.speed);
    EXPECT_EQ(c.downloaded, shown.downloaded);
    EXPECT_EQ(c.left, shown.timeLeft);
    EXPECT_EQ(c.bar, shown.bar);
  }
}

}  // namespace
