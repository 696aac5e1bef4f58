#include "net/download_progress.h"

#include <string>

namespace {

// numerator / denominator rounded half away from zero, denominator > 0.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t half = denominator / 2;
  return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

}  // namespace

Text HundredthsText(std::int64_t hundredths) {
  Text sign = hundredths < 0 ? "-" : "";
  std::int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
  Text text = sign + std::to_string(magnitude / 100);
  std::int64_t fraction = magnitude % 100;
  if (fraction == 0) return text;
  if (fraction % 10 == 0) return text + "." + std::to_string(fraction / 10);
  return text + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
}

UpdatePanelProgress DescribeDownloadProgress(std::int32_t total, std::int32_t downloaded, std::int32_t elapsed,
                                             std::int32_t thisRun) {
  const std::int64_t t = total, d = downloaded, r = thisRun;
  const std::int64_t e = elapsed > 0 ? elapsed : 10;  // the download never reports less than 10 ms as 0
  UpdatePanelProgress shown;
  shown.state = "正在下载";
  // Speed in hundredths of kilobytes per second: r * 1000 / 1024 / e, to 2 places.
  const std::int64_t speed = RoundedQuotient(r * 1000 * 100, 1024 * e);
  shown.speed = HundredthsText(speed) + "Kbps";
  shown.downloaded = HundredthsText(RoundedQuotient(d * 100, 1024)) + "KB";
  if (t <= 0) {
    shown.fileSize = "--MB";
    shown.timeLeft = "--";
    return shown;
  }
  shown.fileSize = HundredthsText(RoundedQuotient(t * 100, 1048576)) + "MB";
  std::int64_t bar = d * 10000 / t;
  shown.bar = static_cast<int>(bar < 0 ? 0 : bar > 10000 ? 10000 : bar);
  if (speed <= 0) {
    shown.timeLeft = "--";
    return shown;
  }
  // (t - d) / 1024 / v with v = speed / 100; nothing is left once d reaches t.
  std::int64_t s = (t - d) * 100 / (1024 * speed);
  if (s < 0) s = 0;
  shown.timeLeft = std::to_string(s / 3600) + "时" + std::to_string(s / 60 % 60) + "分" + std::to_string(s % 60) + "秒";
  return shown;
}
