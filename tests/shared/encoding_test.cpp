// The GBK / UTF-16 / UTF-8 conversions of the platform seam, on both backends.
#include <gtest/gtest.h>

#include <string>

#include "platform/encoding.h"
#include "shared/encoding_cases.h"

namespace {

using encoding_cases::Case;

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
    out += ' ';
  }
  return out;
}

std::string Hex(const std::u16string& text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char16_t unit : text) {
    for (int shift = 12; shift >= 0; shift -= 4) out += digits[(unit >> shift) & 15];
    out += ' ';
  }
  return out;
}

class EncodingCase : public testing::TestWithParam<Case> {};

TEST_P(EncodingCase, ConvertsEveryCheckedWay) {
  const Case& c = GetParam();
  using namespace encoding_cases;
  if (c.checks & kGbkToWide) {
    EXPECT_EQ(Hex(c.wide), Hex(platform::AnsiToWide(c.gbk))) << "AnsiToWide";
  }
  if (c.checks & kWideToGbk) {
    EXPECT_EQ(Hex(c.gbk), Hex(platform::WideToAnsi(c.wide))) << "WideToAnsi";
  }
  if (c.checks & kUtf8ToWide) {
    EXPECT_EQ(Hex(c.wide), Hex(platform::Utf8ToWide(c.utf8))) << "Utf8ToWide";
  }
  if (c.checks & kWideToUtf8) {
    EXPECT_EQ(Hex(c.utf8), Hex(platform::WideToUtf8(c.wide))) << "WideToUtf8";
  }
  if (c.checks & kUtf8ToGbk) {
    EXPECT_EQ(Hex(c.gbk), Hex(platform::Utf8ToAnsiText(c.utf8))) << "Utf8ToAnsiText";
  }
  if (c.checks & kGbkToUtf8) {
    EXPECT_EQ(Hex(c.utf8), Hex(platform::AnsiToUtf8(c.gbk))) << "AnsiToUtf8";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, EncodingCase, testing::ValuesIn(encoding_cases::kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// Longer than any one conversion buffer, so the text crosses piece boundaries intact.
TEST(Encoding, LongTextRoundTrips) {
  std::string gbk;
  std::u16string wide;
  for (int i = 0; i < 5000; ++i) {
    gbk += "\xB2\xE2\xCA\xD4" "a";  // "测试a"
    wide += u"测试a";
  }
  EXPECT_TRUE(platform::AnsiToWide(gbk) == wide);
  EXPECT_EQ(gbk, platform::WideToAnsi(wide));
  EXPECT_EQ(gbk, platform::Utf8ToAnsiText(platform::AnsiToUtf8(gbk)));
}

// Arbitrary bytes: every byte value in every position, as a lead and as a trail byte. Each
// input unit gives at most one output unit, and the conversion ends.
TEST(Encoding, ArbitraryBytesNeitherStallNorGrow) {
  std::string bytes;
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; trail += 7) {
      bytes += static_cast<char>(lead);
      bytes += static_cast<char>(trail);
    }
  }
  std::u16string wide = platform::AnsiToWide(bytes);
  EXPECT_FALSE(wide.empty());
  EXPECT_LE(wide.size(), bytes.size());
  EXPECT_FALSE(platform::WideToAnsi(wide).empty());

  std::u16string units;
  for (int i = 0; i < 0x10000; i += 13) units += static_cast<char16_t>(i);
  Text gbk = platform::WideToAnsi(units);
  EXPECT_LE(gbk.size(), units.size() * 2);
  EXPECT_FALSE(platform::WideToUtf8(units).empty());
  std::u16string fromUtf8 = platform::Utf8ToWide(bytes);
  EXPECT_LE(fromUtf8.size(), bytes.size());
}

}  // namespace
