#pragma once
// The stand-in login service's accounts, read from a UTF-8 text file of the fixture folder.
#include <string>
#include <vector>

namespace devplatform {

// The members of a profile reply, in the order the reply lists them.
extern const char* const kProfileMembers[18];

struct Account {
  std::string name;      // English name: the p_username that logs in
  std::string password;  // compared byte for byte with the decoded p_password
  std::string id;        // rcode of a good login, and the id the profile is asked for with
  std::string nameChs, items, psw;
  std::string refusal;   // when set, every login of this account gets this rcode
  std::string profile[18];  // UTF-8 values, in kProfileMembers order; pOnline in seconds
};

// Where the table lives in a fixture folder.
std::string UsersFileOf(const std::string& fixtures);

class UserTable {
 public:
  // Blocks of "[English name]" then "key=value" lines (the value is all after the first "=",
  // kept exactly); lines starting with "#" and empty lines are skipped. Keys: password, id,
  // name_chs, items, psw, refuse and the profile members. False with `error` naming the line.
  bool Parse(const std::string& utf8, std::string* error);
  // A missing file is an empty table; a file that does not parse is an error.
  bool Load(const std::string& path, std::string* error);

  const Account* ByName(const std::string& name) const;
  const Account* ById(const std::string& id) const;  // never for an empty id
  const std::vector<Account>& accounts() const { return accounts_; }

 private:
  std::vector<Account> accounts_;
};

}  // namespace devplatform
