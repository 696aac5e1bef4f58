#include "net/file_digest.h"

#include "net/md5.h"
#include "platform/files.h"

namespace {

Text Hex(const std::uint8_t digest[16], int upperCase) {
  static const char kDigits[] = "0123456789ABCDEF";
  Text out;
  for (int i = 0; i < 16; ++i) {
    out.push_back(kDigits[digest[i] >> 4]);
    out.push_back(kDigits[digest[i] & 15]);
  }
  return upperCase ? out : AsciiLower(out);
}

}  // namespace

Text FileDigest(const Bytes& bytes, int upperCase) {
  Md5 md5;
  md5.Update(bytes.data(), bytes.size());
  std::uint8_t digest[16];
  md5.Final(digest);
  return Hex(digest, upperCase);
}

Text FileDigestOfFile(const Text& path, int upperCase) {
  platform::FileReader reader;
  if (!reader.Open(path)) return Text();
  Md5 md5;
  std::uint8_t piece[64 * 1024];
  for (;;) {
    long got = reader.Read(piece, sizeof piece);
    if (got < 0) return Text();
    if (got == 0) break;
    md5.Update(piece, static_cast<std::size_t>(got));
  }
  std::uint8_t digest[16];
  md5.Final(digest);
  return Hex(digest, upperCase);
}
