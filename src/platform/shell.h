#pragma once
// Handing a page to the user's browser.
#include "base/text.h"

namespace platform {

// Opens a web page through the system's own open operation, without waiting. Only
// http://, https:// and www. addresses are handed over; anything else opens nothing.
void OpenPage(const Text& url);

}  // namespace platform
