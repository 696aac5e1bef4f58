#pragma once
// What the update panel shows for one progress report of a download.
#include <cstdint>
#include <optional>

#include "base/text.h"

struct UpdatePanelProgress {
  Text state;       // 标签3
  Text fileSize;    // 标签4, "…MB"
  Text speed;       // 标签5, "…Kbps"
  Text downloaded;  // 标签6, "…KB"
  Text timeLeft;    // 标签7, "…时…分…秒"
  std::optional<int> bar;  // 进度条 position 0..10000; none: leave the bar where it is
};

// From (total, downloaded, elapsed ms, bytes of this run). Without a total the size, the time
// left and the bar are unknown ("--", bar unchanged); so is the time left at a speed that
// rounds to 0.
UpdatePanelProgress DescribeDownloadProgress(std::int32_t total, std::int32_t downloaded, std::int32_t elapsed,
                                             std::int32_t thisRun);

// A count of hundredths in its shortest decimal form: 150 -> "1.5", 200 -> "2", 7 -> "0.07".
Text HundredthsText(std::int64_t hundredths);
