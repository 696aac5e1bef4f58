#include "app/remote_config.h"

#include "app/builtin.h"
#include "app/session.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/http_get.h"

namespace app {

void LoadRemoteConfig() {
  Text text;
  bool fetched = FetchRemoteConfigText(Builtin().configUrl, Builtin().forumUrl, platform::HttpGet,
                                       [] { platform::WaitProcessingMessages(10); }, &text);
  if (!fetched) {
    platform::ShowMessageBox("信息获取失败!", "错误!", platform::BoxIcon::Error);
    EndProgram(0);
  }
  ParseRemoteConfig(text, session().RemoteConfig, platform::HttpGet);
}

}  // namespace app
