#include "login/login_timer.h"

#include "app/session.h"
#include "login/login_exchange.h"
#include "login/login_window.h"

void GrowUpdatePanel(LoginWindow& w) {
  if (!w.分组框2.visible()) return;
  int height = w.分组框2.height();
  if (height >= 115) {
    w.分组框2.setHeight(115);
    w.时钟1.setPeriod(0);
  } else {
    w.分组框2.setHeight(height + 10);
  }
}

void LoginTimerTick(LoginWindow& w) {
  GrowUpdatePanel(w);
  w.setText(app::session().LoginWindowTitle.get());
  NoteLoginForm(w);
  HandleLoginReplies(w);
}
