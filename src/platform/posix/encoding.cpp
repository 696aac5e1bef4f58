#include <iconv.h>

#include <cerrno>

#include "platform/encoding.h"

// Mirrors the Windows code page 936 conversions with glibc's GBK tables, which agree with them
// everywhere but in the private-use areas Windows maps user-defined codes to.
namespace platform {
namespace {

// How many input bytes an unconvertible unit at `at` spans (at least one).
using UnitLength = std::size_t (*)(const char* at, std::size_t left);

// Like Windows: a lead byte takes the following byte with it, unless that is a NUL.
std::size_t GbkUnit(const char* at, std::size_t left) {
  unsigned char lead = static_cast<unsigned char>(at[0]);
  return (lead >= 0x81 && lead <= 0xFE && left >= 2 && at[1] != '\0') ? 2 : 1;
}
std::size_t Utf16Unit(const char*, std::size_t) { return 2; }
std::size_t Utf8Unit(const char*, std::size_t) { return 1; }

// Converts every unit it can and puts `replacement` (already in the target encoding) in the
// place of each one it cannot, so bad input neither stops nor stalls the conversion.
std::string Convert(const char* to, const char* from, const std::string& input, UnitLength unit,
                    const std::string& replacement) {
  std::string out;
  if (input.empty()) return out;
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* next = buffer;
    std::size_t room = sizeof buffer;
    std::size_t result = ::iconv(cd, &in, &inLeft, &next, &room);
    int error = errno;
    out.append(buffer, static_cast<std::size_t>(next - buffer));
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    if (error != EILSEQ && error != EINVAL) break;
    std::size_t skip = unit(in, inLeft);
    if (skip > inLeft) skip = inLeft;
    out += replacement;
    in += skip;
    inLeft -= skip;
  }
  ::iconv_close(cd);
  return out;
}

std::string Utf16Bytes(const std::u16string& text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::u16string Utf16Units(const std::string& bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

const char kGbk[] = "GBK";
const char kUtf16[] = "UTF-16LE";
const char kUtf8[] = "UTF-8";
const std::string kQuestionUtf16("?\0", 2);
const std::string kReplacementUtf16("\xFD\xFF", 2);
const std::string kReplacementUtf8("\xEF\xBF\xBD");

}  // namespace

std::u16string AnsiToWide(const Text& text) {
  return Utf16Units(Convert(kUtf16, kGbk, text, GbkUnit, kQuestionUtf16));
}

Text WideToAnsi(const std::u16string& text) { return Convert(kGbk, kUtf16, Utf16Bytes(text), Utf16Unit, "?"); }

std::u16string Utf8ToWide(const std::string& utf8) {
  return Utf16Units(Convert(kUtf16, kUtf8, utf8, Utf8Unit, kReplacementUtf16));
}

std::string WideToUtf8(const std::u16string& text) {
  return Convert(kUtf8, kUtf16, Utf16Bytes(text), Utf16Unit, kReplacementUtf8);
}

Text Utf8ToAnsiText(const std::string& utf8) { return WideToAnsi(Utf8ToWide(utf8)); }
std::string AnsiToUtf8(const Text& text) { return WideToUtf8(AnsiToWide(text)); }

}  // namespace platform
