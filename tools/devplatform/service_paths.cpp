#include "service_paths.h"

namespace devplatform {

std::string VersionValue(const std::string& versionFile, const std::string& key) {
  std::size_t start = 0;
  while (start < versionFile.size()) {
    std::size_t end = versionFile.find('\n', start);
    if (end == std::string::npos) end = versionFile.size();
    std::string line = versionFile.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == '=') {
      return line.substr(key.size() + 1);
    }
    start = end + 1;
  }
  return std::string();
}

std::string TargetOf(const std::string& url) {
  std::size_t scheme = url.find("://");
  if (scheme == std::string::npos) return url.empty() || url[0] != '/' ? "/" + url : url;
  std::size_t path = url.find_first_of("/?", scheme + 3);
  if (path == std::string::npos) return "/";
  return url[path] == '?' ? "/" + url.substr(path) : url.substr(path);
}

ServicePaths ServicePathsOf(const std::string& versionFile) {
  ServicePaths paths;
  std::string login = VersionValue(versionFile, "login");
  if (!login.empty()) {
    paths.login = TargetOf(login);
    paths.login = paths.login.substr(0, paths.login.find('?'));
  }
  std::string rank = VersionValue(versionFile, "rank");
  if (!rank.empty()) paths.rank = TargetOf(rank);
  return paths;
}

}  // namespace devplatform
