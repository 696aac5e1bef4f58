#pragma once
#include <string>

#include "base/text.h"

namespace platform {

// Paths are written the Windows way throughout the client; here a backslash separates folders.
std::string Native(const Text& path);

}  // namespace platform
