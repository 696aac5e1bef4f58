#include "login/format_duration.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

double LeadingNumber(const Text& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::size_t start = i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  bool whole = i > digits;
  if (i < text.size() && text[i] == '.') {
    std::size_t fraction = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == fraction && !whole) return 0;
  } else if (!whole) {
    return 0;
  }
  return std::strtod(text.substr(start, i - start).c_str(), nullptr);
}

Text ShortestDecimal(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  Text text = buffer;
  // Plain notation for the magnitudes a duration has.
  if (text.find('e') != Text::npos && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    text = buffer;
  }
  return text == "-0" ? "0" : text;
}

Text FormatDuration(const Text& seconds) {
  double s = LeadingNumber(seconds);
  double h = std::trunc(s / 3600);
  double m = std::fmod(std::trunc(s / 60), 60);
  double r = std::fmod(s, 60);
  return ShortestDecimal(h) + "时" + ShortestDecimal(m) + "分" + ShortestDecimal(r) + "秒";
}
