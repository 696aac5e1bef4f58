#pragma once
// Which requests the login and profile services answer: the addresses the served version
// file gives the client, so a --set login=... moves the service with it.
#include <string>

namespace devplatform {

// The value of the first line "key=..." of a version file (any line ends); empty when absent.
std::string VersionValue(const std::string& versionFile, const std::string& key);
// The request target of `url` (path and query, "/" when there is no path); the scheme and
// host are dropped, since both servers answer every service.
std::string TargetOf(const std::string& url);

struct ServicePaths {
  std::string login;  // path of login=, without any query
  std::string rank;   // target of rank=: the client appends the user id to it
};
ServicePaths ServicePathsOf(const std::string& versionFile);

}  // namespace devplatform
