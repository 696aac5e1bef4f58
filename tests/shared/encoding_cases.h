#pragma once
// Conversions both platform backends must give byte for byte: Windows code page 936 under
// Wine, glibc's GBK natively. The GBK column is spelled in escapes so it does not depend on
// the compiler's execution character set.
//
// Left out because the two sides genuinely differ:
//  - codes GBK leaves unassigned, mostly the user-defined areas (AAA1-AFFE, F8A1-FEFE,
//    A140-A7A0) and the single byte FF: Windows maps them into private use (U+E000-U+F8F5),
//    glibc has no mapping, so here they become '?';
//  - truncated UTF-8 sequences: Windows puts one U+FFFD for the whole broken sequence, the
//    Linux side one for each byte.
#include <string>

namespace encoding_cases {

// Which conversions a case checks.
enum Check : unsigned {
  kGbkToWide = 1u << 0,   // AnsiToWide(gbk) == wide
  kWideToGbk = 1u << 1,   // WideToAnsi(wide) == gbk
  kUtf8ToWide = 1u << 2,  // Utf8ToWide(utf8) == wide
  kWideToUtf8 = 1u << 3,  // WideToUtf8(wide) == utf8
  kUtf8ToGbk = 1u << 4,   // Utf8ToAnsiText(utf8) == gbk
  kGbkToUtf8 = 1u << 5,   // AnsiToUtf8(gbk) == utf8
  kAll = 0x3Fu,
  // Text that has no GBK form, or UTF-8 that is no UTF-8: only the way into GBK holds.
  kIntoGbk = kWideToGbk | kUtf8ToGbk | kUtf8ToWide | kWideToUtf8,
  // Bytes that are no GBK: only the way out of GBK holds.
  kOutOfGbk = kGbkToWide | kGbkToUtf8,
};

struct Case {
  const char* name;
  std::string gbk;
  std::u16string wide;
  std::string utf8;
  unsigned checks;
};

inline const Case kCases[] = {
    {"Empty", "", u"", "", kAll},
    {"Ascii", "Hello, World! 0123 ~", u"Hello, World! 0123 ~", "Hello, World! 0123 ~", kAll},
    {"EmbeddedNul", std::string("a\0b", 3), std::u16string(u"a\0b", 3), std::string("a\0b", 3), kAll},
    {"Chinese", "\xB5\xC7\xC2\xBD\xB7\xFE\xCE\xF1\xC6\xF7", u"登陆服务器", u8"登陆服务器", kAll},
    {"FullWidthPunctuation", "\xD5\xCA\xA1\xA1\xBA\xC5\xA3\xBA", u"帐　号：", u8"帐　号：", kAll},
    {"Mixed", "CS1.6 \xB6\xD4\xD5\xBD\xC6\xBD\xCC\xA8 v2.5 (\xB2\xE2\xCA\xD4)", u"CS1.6 对战平台 v2.5 (测试)",
     u8"CS1.6 对战平台 v2.5 (测试)", kAll},
    // Beyond GB2312: lead bytes below A1.
    {"GbkExtension", "\x81\x40\x86\xB4", u"丂喆", u8"丂喆", kAll},
    // A trail byte equal to '\\' must not split the character.
    {"TrailByteBackslash", "\x95\x5C\\", u"\u661E\\", u8"\u661E\\", kAll},
    // Where GB2312-only tables and code page 936 part ways: middle dot, em dash, pinyin e, euro.
    {"CodePage936Symbols", "\xA1\xA4\xA1\xAA\xA8\xA6\x80", u"\u00B7\u2014\u00E9\u20AC", u8"\u00B7\u2014\u00E9\u20AC",
     kAll},
    // No best-fit look-alikes: the Latin capital A grave is not turned into the pinyin a grave.
    {"NoGbkForm", "?x?", u"\u00C0x\uAC00", u8"\u00C0x\uAC00", kIntoGbk},
    // Outside the BMP: one '?' for each UTF-16 unit.
    {"Emoji", "a??b", u"a\U0001F600b", u8"a\U0001F600b", kIntoGbk},
    {"LoneSurrogate", "?A", std::u16string{char16_t(0xD83D), u'A'}, "", kWideToGbk},
    {"InvalidUtf8Byte", "a?b", u"a\uFFFDb", "a\xFF" "b", kUtf8ToWide | kUtf8ToGbk},
    // A lead byte takes the next byte with it into one '?', unless that is a NUL.
    {"InvalidTrailByte", "\x81\x7F" "b", u"?b", "?b", kOutOfGbk},
    {"LeadByteBeforeSpace", "\x81 b", u"?b", "?b", kOutOfGbk},
    {"LeadByteBeforeNul", std::string("\x81\0b", 3), std::u16string(u"?\0b", 3), std::string("?\0b", 3), kOutOfGbk},
    {"LeadByteAtEnd", "a\x81", u"a?", "a?", kOutOfGbk},
};

}  // namespace encoding_cases
