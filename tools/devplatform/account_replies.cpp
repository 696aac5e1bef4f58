#include "account_replies.h"

#include <vector>

#include "json_text.h"

namespace devplatform {

const char kUserUnknown[] = "-106";
const char kWrongPassword[] = "-131";
const char kNetworkAnomaly[] = "-3377";

std::string LoginReply(const UserTable& users, const FormFields& form) {
  const Account* account = users.ByName(FieldOf(form, "p_username"));
  if (account == nullptr) return JsonObject({{"rcode", kUserUnknown}});
  if (!account->refusal.empty()) return JsonObject({{"rcode", account->refusal}});
  if (FieldOf(form, "p_password") != account->password) return JsonObject({{"rcode", kWrongPassword, true}});
  return JsonObject({{"rcode", account->id},
                     {"name_eng", account->name},
                     {"psw", account->psw},
                     {"name_chs", account->nameChs},
                     {"items", account->items}});
}

std::string ProfileReply(const UserTable& users, const std::string& id) {
  const Account* account = users.ById(id);
  std::vector<JsonMember> members;
  for (int i = 0; i < 18; ++i) {
    std::string value = account != nullptr ? account->profile[i] : std::string();
    members.push_back({kProfileMembers[i], value, IsJsonInteger(value)});
  }
  return JsonObject(members);
}

}  // namespace devplatform
