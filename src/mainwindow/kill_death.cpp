#include "mainwindow/kill_death.h"

#include <cmath>
#include <cstdio>

#include "login/format_duration.h"

namespace {

// The leading decimal number of a text as an integer, 0 when it has none.
long long LeadingInteger(const Text& text) { return static_cast<long long>(std::trunc(LeadingNumber(text))); }

}  // namespace

Text KillDeathText(const Text& kills, const Text& deaths) {
  long long k = LeadingInteger(kills);
  long long d = LeadingInteger(deaths);
  if (d == 0) return std::to_string(k);
  double ratio = static_cast<double>(k) / static_cast<double>(d);
  double rounded = std::round(ratio * 100) / 100;  // std::round goes half away from zero
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.13g", rounded);
  return buffer;
}
