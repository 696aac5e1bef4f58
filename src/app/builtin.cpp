#include "app/builtin.h"

#include "app/builtin_addresses.h"

namespace app {

const char kClientVersion[] = "2.5.6.18";
const char kNormalTitle[] = "Varkon在线CS同盟平台 Ver2.5.6.18";
const char kUpdateTitle[] = "Varkon在线CS同盟平台正在更新...";

BuiltinAddresses& Builtin() {
  static BuiltinAddresses addresses{VARKON_CONFIG_URL, VARKON_FORUM_URL, VARKON_FORUM_HOME, VARKON_SITE_HOST};
  return addresses;
}

}  // namespace app
