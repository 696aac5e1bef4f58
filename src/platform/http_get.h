#pragma once
// The HTTP GET facility: the whole body of a URL, always fetched from the network.
#include "base/text.h"

namespace platform {

// Empty on any failure: no connection, a reply without a 2xx status, a broken transfer.
Bytes HttpGet(const Text& url);

}  // namespace platform
