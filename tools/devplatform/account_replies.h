#pragma once
// The JSON replies of the login and profile services.
#include <string>

#include "form_body.h"
#include "user_table.h"

namespace devplatform {

// The refusal codes the client knows.
extern const char kUserUnknown[];      // "-106"
extern const char kWrongPassword[];    // "-131"
extern const char kNetworkAnomaly[];   // "-3377"

// For the form fields p_username and p_password: {"rcode":"-106"} for an unknown user,
// {"rcode":-131} (a number, as some pages of the site write it) for a wrong password, the
// account's own refusal as a string, else rcode = id with name_eng, psw, name_chs, items.
std::string LoginReply(const UserTable& users, const FormFields& form);

// The 18 profile members of the account with `id`; all empty strings for an unknown id.
// Whole numbers go out as JSON numbers, other values as strings.
std::string ProfileReply(const UserTable& users, const std::string& id);

}  // namespace devplatform
