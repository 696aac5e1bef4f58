#include "net/url_parts.h"

namespace {

int LeadingNumber(const Text& text) {
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > 65535) return 0;  // no such port
  }
  return static_cast<int>(value);
}

bool IsSecure(const Text& url) { return StartsWith(AsciiLower(url), "https"); }

}  // namespace

UrlParts SplitUrl(const Text& url) {
  UrlParts parts;
  Text lower = AsciiLower(url);
  if (lower.empty() || lower.back() != '/') lower += '/';
  Text prefix = "http://";
  if (StartsWith(lower, "https://")) {
    prefix = "https://";
  } else if (!Contains(lower, prefix)) {
    lower.insert(0, prefix);
  }
  std::size_t start = lower.find(prefix) + prefix.size();
  std::size_t end = lower.find('/', start);
  parts.hostWithPort = lower.substr(start, end - start);
  parts.host = parts.hostWithPort.substr(0, parts.hostWithPort.find(':'));

  std::size_t colon = parts.hostWithPort.rfind(':');
  if (colon != Text::npos) {
    parts.port = LeadingNumber(parts.hostWithPort.substr(colon + 1));
  } else {
    parts.port = IsSecure(url) ? 443 : 80;
  }

  std::size_t at = AsciiLower(url).find(parts.host);
  std::size_t slash = at == Text::npos ? Text::npos : url.find('/', at + parts.host.size());
  parts.path = slash == Text::npos ? Text("/") : url.substr(slash);
  return parts;
}

Text UrlPath(const Text& url) { return SplitUrl(url).path; }

Text ResolveLocation(const Text& current, const Text& location) {
  if (Contains(location, "://")) return location;
  Text scheme = StartsWith(AsciiLower(current), "https://") ? "https:" : "http:";
  if (StartsWith(location, "//")) return scheme + location;
  UrlParts parts = SplitUrl(current);
  Text origin = scheme + "//" + parts.hostWithPort;
  if (StartsWith(location, "/")) return origin + location;
  Text folder = parts.path.substr(0, parts.path.find('?'));
  folder = folder.substr(0, folder.rfind('/') + 1);
  return origin + folder + location;
}
