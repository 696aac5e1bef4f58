#include "platform/page_filter.h"

namespace platform {

bool IsWebAddress(const Text& url) {
  Text lower = AsciiLower(url);
  return StartsWith(lower, "http://") || StartsWith(lower, "https://") || StartsWith(lower, "www.");
}

}  // namespace platform
