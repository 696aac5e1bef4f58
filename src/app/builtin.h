#pragma once
// The client's own constants: its version, its window titles and the platform's fixed addresses.
#include "base/text.h"

namespace app {

extern const char kClientVersion[];  // "2.5.6.18"
extern const char kNormalTitle[];    // caption of the login window
extern const char kUpdateTitle[];    // caption while updating

struct BuiltinAddresses {
  Text configUrl;  // version file on the configuration server (port 8888)
  Text forumUrl;   // version file on the forum site, the fallback
  Text forumHome;  // forum home page, opened at every normal start
  Text siteHost;   // host name shown in captions
};

// Set by the build; tests point them elsewhere.
BuiltinAddresses& Builtin();

}  // namespace app
