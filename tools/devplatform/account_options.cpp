#include "account_options.h"

#include <cstdlib>

#include "user_table.h"

namespace devplatform {

const char kDemoUser[] = "demo";
const char kDemoPassword[] = "demo123";

bool TakeAccountOptions(std::vector<std::string>* args, Options* options, std::string* error) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args->size(); ++i) {
    std::string name = (*args)[i];
    std::string value;
    bool inlineValue = false;
    std::size_t eq = name.find('=');
    if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      inlineValue = true;
    }
    int* target = name == "--empty-logins" ? &options->emptyLogins
                  : name == "--empty-profiles" ? &options->emptyProfiles
                                                : nullptr;
    if (target == nullptr) {
      rest.push_back((*args)[i]);
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= args->size()) {
        *error = name + " needs a value";
        return false;
      }
      value = (*args)[++i];
    }
    bool digits = !value.empty() && value.size() <= 7 && value.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) {
      *error = name + ": expected a count, not '" + value + "'";
      return false;
    }
    *target = std::atoi(value.c_str());
  }
  *args = std::move(rest);
  return true;
}

std::string DemoAccountLine() { return std::string("demo account: ") + kDemoUser + " / " + kDemoPassword; }

std::string AccountOptionsHelp(const std::string& usersFile) {
  std::string text =
      u8"Login and profile services, at the paths the version file's login= and rank= give:\n"
      "  --empty-logins N      the first N login requests get 200 with an empty body\n"
      "  --empty-profiles N    the first N profile requests get 200 with an empty body\n"
      "The login service takes the form fields p_username, p_password and p_random\n"
      "(URL-encoded, \"+\" as a space; a POST body, or the query of a GET) and answers JSON\n"
      "as UTF-8: {\"rcode\":\"-106\"} for an unknown user, {\"rcode\":-131} for a wrong password,\n"
      "{\"rcode\":\"-3377\"} for an account marked refuse=-3377, else rcode = the user id with\n"
      "name_eng, psw, name_chs (\\u escapes) and items. The profile service answers rank= +\n"
      "user id with the 18 profile members (pOnline in seconds); all empty for an unknown id.\n"
      "Accounts come from user/users.txt of the fixture folder (UTF-8; see its comments).\n";
  UserTable users;
  std::string error;
  if (!usersFile.empty() && users.Load(usersFile, &error) && !users.accounts().empty()) {
    text += "Accounts in " + usersFile + ":\n";
    for (const Account& account : users.accounts()) {
      text += "  " + account.name;
      if (!account.refusal.empty()) {
        text += "  (every login refused with " + account.refusal + ")\n";
      } else {
        text += " / " + account.password + "  (id " + account.id + ")\n";
      }
    }
  }
  return text + DemoAccountLine() + "\n";
}

}  // namespace devplatform
