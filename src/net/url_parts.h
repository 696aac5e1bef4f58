#pragma once
// The three parts of a URL the request routine connects and asks with.
#include "base/text.h"

struct UrlParts {
  Text host;          // lower case, without port
  Text hostWithPort;  // lower case, as written between the scheme and the first "/"
  int port = 80;
  Text path;          // from the first "/" after the host to the end, letter case and query kept
};

// A URL without scheme is taken as plain HTTP.
UrlParts SplitUrl(const Text& url);
// The request path of `url` alone (the third part above).
Text UrlPath(const Text& url);
// Where a Location value points, seen from `current`: absolute, scheme-relative, host-relative or
// relative to the current folder.
Text ResolveLocation(const Text& current, const Text& location);
