#include "user_table.h"

#include <sys/stat.h>

#include "fixture_files.h"

namespace devplatform {

const char* const kProfileMembers[18] = {
    "pCsid",     "pRank",    "pScore",    "pRegTime",  "pOnline",  "pUpdate",
    "pKill",     "pDeath",   "pHeadshot", "pDefused",  "pExplode", "pFirstKill",
    "pDamage",   "pAccDead", "pCsidChs",  "pSuperAWP", "pFlower",  "pShit"};

namespace {

// Where `key` is stored in `account`, or null for a key the table does not know.
std::string* FieldOf(Account* account, const std::string& key) {
  if (key == "password") return &account->password;
  if (key == "id") return &account->id;
  if (key == "name_chs") return &account->nameChs;
  if (key == "items") return &account->items;
  if (key == "psw") return &account->psw;
  if (key == "refuse") return &account->refusal;
  for (int i = 0; i < 18; ++i) {
    if (key == kProfileMembers[i]) return &account->profile[i];
  }
  return nullptr;
}

}  // namespace

std::string UsersFileOf(const std::string& fixtures) { return fixtures + "/user/users.txt"; }

bool UserTable::Parse(const std::string& utf8, std::string* error) {
  std::vector<Account> accounts;
  std::size_t start = 0;
  int number = 0;
  while (start < utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string::npos) end = utf8.size();
    std::string line = utf8.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    auto fail = [&](const std::string& why) {
      *error = "line " + std::to_string(number) + ": " + why;
      return false;
    };
    if (line[0] == '[') {
      if (line.size() < 3 || line.back() != ']') return fail("expected [name]");
      Account account;
      account.name = line.substr(1, line.size() - 2);
      for (const Account& other : accounts) {
        if (other.name == account.name) return fail("user " + account.name + " given twice");
      }
      accounts.push_back(std::move(account));
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return fail("expected key=value");
    if (accounts.empty()) return fail("key=value before the first [name]");
    std::string* field = FieldOf(&accounts.back(), line.substr(0, eq));
    if (field == nullptr) return fail("unknown key " + line.substr(0, eq));
    *field = line.substr(eq + 1);
  }
  for (const Account& account : accounts) {
    if (account.id.empty() && account.refusal.empty()) {
      *error = "user " + account.name + " has no id";
      return false;
    }
  }
  accounts_ = std::move(accounts);
  return true;
}

bool UserTable::Load(const std::string& path, std::string* error) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    accounts_.clear();
    return true;
  }
  std::string text;
  if (!ReadWholeFile(path, &text)) {
    *error = "cannot read " + path;
    return false;
  }
  if (!Parse(text, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

const Account* UserTable::ByName(const std::string& name) const {
  for (const Account& account : accounts_) {
    if (account.name == name) return &account;
  }
  return nullptr;
}

const Account* UserTable::ById(const std::string& id) const {
  if (id.empty()) return nullptr;
  for (const Account& account : accounts_) {
    if (account.id == id) return &account;
  }
  return nullptr;
}

}  // namespace devplatform
