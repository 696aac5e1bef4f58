#include "login/login_form.h"

#include "app/session.h"
#include "login/login_exchange.h"
#include "login/login_window.h"
#include "platform/shell.h"

const char kUserPlaceholder[] = "请输入您的英文名";
const char kPasswordPlaceholder[] = "请输入您的密码";

void ApplyPlaceholders(LoginWindow& w) {
  if (w.编辑框1.text().empty()) {
    w.编辑框1.setTextColour(kPlaceholderColour);
    w.编辑框1.setText(kUserPlaceholder);
  }
  if (w.编辑框2.text().empty()) {
    w.编辑框2.setTextColour(kPlaceholderColour);
    w.编辑框2.setPasswordMode(false);
    w.编辑框2.setText(kPasswordPlaceholder);
  }
}

void AttachBalloonTips(LoginWindow& w) {
  w.气球提示框1.setTip(w.按钮1, "输入帐号密码后登陆!");
  w.气球提示框1.setTip(w.编辑框1, "请输入帐号!");
  w.气球提示框1.setTip(w.编辑框2, "请输入密码");
  w.气球提示框1.setTip(w.超级链接框7, "注册一个属于你的帐号!");
  w.气球提示框1.setTip(w.选择框1, "记住你的密码\r\n注意:网吧用户请勿钩上,以免被盗号.");
}

void ReenableLoginButton(LoginWindow& w) {
  w.按钮1.setEnabled(true);
  w.按钮1.setText("登录");
}

void ConnectLoginForm(LoginWindow& w) {
  toolkit::Edit& user = w.编辑框1;
  toolkit::Edit& password = w.编辑框2;

  user.onFocusGained = [&user] {
    Text text = user.text();
    if (text == kUserPlaceholder || text.empty()) user.setText(Text());
  };
  user.onChar = [&user](const Text&) { user.setTextColour(kTypedColour); };
  user.onFocusLost = [&user] {
    if (user.text().empty()) {
      user.setTextColour(kPlaceholderColour);
      user.setText(kUserPlaceholder);
    }
  };

  password.onFocusGained = [&password] {
    Text text = password.text();
    if (text == kPasswordPlaceholder || text.empty()) password.setText(Text());
  };
  password.onChar = [&password](const Text&) {
    password.setPasswordMode(true);
    password.setTextColour(kTypedColour);
  };
  password.onFocusLost = [&password] {
    if (password.text().empty()) {
      password.setTextColour(kPlaceholderColour);
      password.setPasswordMode(false);
      password.setText(kPasswordPlaceholder);
    }
  };

  w.超级链接框7.onMouseDown = [] { platform::OpenPage(app::session().RemoteConfig.signup); };
  w.超级链接框1.onMouseDown = [] { platform::OpenPage(app::session().RemoteConfig.link); };

  w.按钮1.onClick = [&w] {
    w.按钮1.setText("登录中...");
    w.按钮1.setEnabled(false);
    StartLoginWorker(w);
  };
}
