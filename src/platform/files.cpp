#include "platform/files.h"

namespace platform {

Bytes ReadWholeFile(const Text& path, bool* ok) {
  Bytes bytes;
  FileReader reader;
  bool good = reader.Open(path);
  if (good) {
    std::uint8_t piece[64 * 1024];
    for (;;) {
      long got = reader.Read(piece, sizeof piece);
      if (got < 0) {
        good = false;
        bytes.clear();
        break;
      }
      if (got == 0) break;
      bytes.insert(bytes.end(), piece, piece + got);
    }
  }
  if (ok) *ok = good;
  return bytes;
}

}  // namespace platform
