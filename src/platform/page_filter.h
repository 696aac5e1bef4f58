#pragma once
// Which texts are handed to the browser as pages.
#include "base/text.h"

namespace platform {

// True for texts beginning with "http://", "https://" or "www." in any letter case. Anything
// else could name a program or a local file, which the shell would happily run.
bool IsWebAddress(const Text& url);

}  // namespace platform
