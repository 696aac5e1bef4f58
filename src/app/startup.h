#pragma once
// Program start: the session, then the login window and its creation sequence.
#include <cstdint>

#include "base/text.h"

class LoginWindow;
class MainWindow;

namespace app {

// Creates the login window, runs its creation sequence and shows it. The window lives until the
// program ends. May end the program (no configuration, failed integrity check, no port).
LoginWindow& LoadLoginWindow();
// After the profile arrived: the main window opens and the login window goes.
void OpenMainWindowAfterLogin(LoginWindow& window);
// The main window, once open (nullptr before).
MainWindow* OpenMainWindow();

// The creation sequence on a window that exists but is not shown yet.
void RunLoginWindowCreation(LoginWindow& window);

// Whether the executable file at `path` is the one the platform published (case ignored).
bool ExecutableMatchesDigest(const Text& path, const Text& publishedDigest);
// 1 + (r mod 65535) for the C runtime's r: 1 to 32768.
int DrawLocalPort();
// Opens the endpoint on `port`, or on a port of the system's choice when that one is refused.
bool OpenEndpoint(int port);

}  // namespace app
