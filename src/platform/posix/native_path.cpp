#include "platform/posix/native_path.h"

namespace platform {

std::string Native(const Text& path) {
  std::string out = path;
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c >= 0x81) {
      ++i;  // a GBK trail byte may be 0x5C; it is no separator
    } else if (c == '\\') {
      out[i] = '/';
    }
  }
  return out;
}

}  // namespace platform
