#pragma once
// Values under HKEY_CURRENT_USER, addressed as "key path\value name" (GBK text).
// Missing keys are created on write; reads of missing values give the caller's default.
#include <cstdint>

#include "base/text.h"

namespace platform {

bool RegistryWriteString(const Text& path, const Text& value);
Text RegistryReadString(const Text& path, const Text& fallback = Text());
bool RegistryWriteDword(const Text& path, std::uint32_t value);
std::uint32_t RegistryReadDword(const Text& path, std::uint32_t fallback = 0);
bool RegistryValueExists(const Text& path);
// Removes one value; a missing value is no error.
bool RegistryDeleteValue(const Text& path);

}  // namespace platform
