#include "login/credentials.h"

#include "login/login_window.h"
#include "platform/registry.h"

namespace {
const char kUserName[] = "Software\\varkon\\username";
const char kPassword[] = "Software\\varkon\\password";
const char kNote[] = "Software\\varkon\\Note";
}  // namespace

void RestoreCredentials(LoginWindow& w) {
  if (platform::RegistryReadDword(kNote, 0) != 1) return;
  w.编辑框1.setText(platform::RegistryReadString(kUserName));
  w.编辑框2.setText(platform::RegistryReadString(kPassword));
  w.选择框1.setChecked(true);
}

void SaveCredentials(LoginWindow& w) {
  platform::RegistryWriteString(kUserName, w.编辑框1.text());
  platform::RegistryWriteString(kPassword, w.编辑框2.text());
  platform::RegistryWriteDword(kNote, w.选择框1.checked() ? 1 : 0);
}
