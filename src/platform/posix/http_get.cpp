// The HTTP GET facility on Linux, on cpp-httplib.
#include "platform/http_get.h"

#include <httplib.h>

namespace platform {
namespace {

struct UrlParts {
  std::string scheme;
  std::string host;
  int port = 0;
  std::string target;  // path and query
};

bool SplitUrl(const Text& url, UrlParts* parts) {
  std::size_t schemeEnd = url.find("://");
  if (schemeEnd == Text::npos) return false;
  parts->scheme = AsciiLower(url.substr(0, schemeEnd));
  if (parts->scheme != "http") return false;  // no TLS library on this side
  std::size_t hostStart = schemeEnd + 3;
  std::size_t pathStart = url.find_first_of("/?#", hostStart);
  std::string authority = url.substr(hostStart, pathStart == Text::npos ? Text::npos : pathStart - hostStart);
  std::size_t at = authority.rfind('@');
  if (at != std::string::npos) authority = authority.substr(at + 1);
  std::size_t colon = authority.rfind(':');
  parts->port = 80;
  if (colon != std::string::npos) {
    std::string digits = authority.substr(colon + 1);
    authority = authority.substr(0, colon);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    parts->port = std::stoi(digits);
    if (parts->port < 1 || parts->port > 65535) return false;
  }
  if (authority.empty()) return false;
  parts->host = authority;
  parts->target = pathStart == Text::npos ? "/" : url.substr(pathStart);
  std::size_t fragment = parts->target.find('#');
  if (fragment != std::string::npos) parts->target.erase(fragment);
  if (parts->target.empty() || parts->target[0] != '/') parts->target.insert(0, "/");
  return true;
}

}  // namespace

Bytes HttpGet(const Text& url) {
  UrlParts parts;
  if (!SplitUrl(url, &parts)) return Bytes();
  httplib::Client client(parts.host, parts.port);
  client.set_connection_timeout(10, 0);
  client.set_read_timeout(10, 0);
  client.set_follow_location(true);
  httplib::Headers headers = {{"Cache-Control", "no-cache"}, {"Pragma", "no-cache"}};
  auto result = client.Get(parts.target.c_str(), headers);
  if (!result || result->status < 200 || result->status > 299) return Bytes();
  return Bytes(result->body.begin(), result->body.end());
}

}  // namespace platform
