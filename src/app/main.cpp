// Program entry: no command line and no environment variable is read.
#include <cstdlib>

#include "app/session.h"
#include "app/startup.h"
#include "toolkit/control.h"

int main() {
  app::InitialiseSession();
  std::atexit(app::ReleaseSession);
  app::LoadLoginWindow();
  toolkit::RunMessageLoop();
  return 0;
}
