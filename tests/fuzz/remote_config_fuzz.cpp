// Any bytes as a version file, and as the download list it names.
#include <cstddef>
#include <cstdint>

#include "app/remote_config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, data + size);
  RemoteConfigData config;
  ParseRemoteConfig(TextFromBytes(bytes), config, [&](const Text&) { return bytes; });
  IsAcceptableConfigText(TextFromBytes(bytes));
  return 0;
}
