// config FILE: the version file parsed as the client does, its download list fetched.
#include "app/remote_config.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/http_get.h"
#include "terminal.h"
#include "verbs.h"

namespace cli {

int Config(const Args& args) {
  if (args.size() != 1) return Complain(kUsage, "config takes one FILE");
  bool ok = false;
  Bytes file = platform::ReadWholeFile(args[0], &ok);
  if (!ok) return Complain(kFailed, "cannot read " + platform::AnsiToUtf8(args[0]));
  RemoteConfigData config;
  ParseRemoteConfig(TextFromBytes(file), config, platform::HttpGet);
  for (const RemoteConfigKey& key : RemoteConfigKeys()) {
    if (key.field) std::printf("%s%s\n", key.key, Shown(config.*key.field).c_str());
  }
  for (std::size_t i = 0; i < config.Dwlist.size(); ++i) {
    std::printf("Dwlist[%zu]=%s\n", i, Shown(config.Dwlist[i]).c_str());
  }
  return kOk;
}

}  // namespace cli
