#include "login/login_window.h"

#include "login/login_form.h"

// The design caption, until the login timer writes the session's title into it.
LoginWindow::LoginWindow() : toolkit::Window("LoginWindow", {50, 50, 397, 313}, "Varkon在线CS同盟平台") {
  编辑框2.setPasswordMode(true);
  分组框2.setVisible(false);
  进度条.setRange(0, 10000);
  ConnectLoginForm(*this);
}

// Taken down before the members go, so no handler sees a half-destroyed window.
LoginWindow::~LoginWindow() { destroy(); }
