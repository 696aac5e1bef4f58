#pragma once
// The program's options for the login and profile services, and their part of --help.
#include <string>
#include <vector>

#include "dev_platform.h"

namespace devplatform {

extern const char kDemoUser[];      // "demo"
extern const char kDemoPassword[];  // "demo123"

// Removes --empty-logins N and --empty-profiles N (or --NAME=N) from `args`, setting them in
// `options`; the rest is left for ParseCommandLine. False with a one-line `error`.
bool TakeAccountOptions(std::vector<std::string>* args, Options* options, std::string* error);

// "demo account: demo / demo123", a line scripts can print or grep from --help.
std::string DemoAccountLine();
// The options above, the services and the accounts of `usersFile` (when it can be read).
std::string AccountOptionsHelp(const std::string& usersFile);

}  // namespace devplatform
