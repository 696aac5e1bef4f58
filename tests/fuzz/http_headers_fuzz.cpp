// Any bytes as a reply's raw header block, a caller's cookies and header block, and a URL.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "net/cookies.h"
#include "net/http_headers.h"
#include "net/url_parts.h"

namespace {

// The input's parts are separated by NUL bytes: raw headers, old cookies, header block, URL.
std::vector<Text> Parts(const std::uint8_t* data, std::size_t size) {
  std::vector<Text> parts(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0 && parts.size() < 4) {
      parts.emplace_back();
    } else {
      parts.back().push_back(static_cast<char>(data[i]));
    }
  }
  parts.resize(4);
  return parts;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<Text> parts = Parts(data, size);
  const Text& raw = parts[0];
  const Text& url = parts[3];

  ReplyHeaderFields fields = ReadReplyHeaders(raw);
  Text cookies = parts[1];
  Text reply = fields.cookies;
  MergeCookies(cookies, reply);
  // The merged text has no blanks, no deleted cookie, no piece twice and no empty piece.
  std::vector<Text> pieces;
  for (std::size_t pos = 0; !cookies.empty() && pos <= cookies.size();) {
    std::size_t end = cookies.find("; ", pos);
    if (end == Text::npos) end = cookies.size();
    Text piece = cookies.substr(pos, end - pos);
    Require(!piece.empty() && piece.find(' ') == Text::npos && piece.find(';') == Text::npos);
    Require(piece.size() < 8 || piece.compare(piece.size() - 8, 8, "=deleted") != 0);
    Require(std::find(pieces.begin(), pieces.end(), piece) == pieces.end());
    pieces.push_back(piece);
    pos = end + 2;
  }
  // Merging again changes nothing.
  Text again = cookies, none;
  MergeCookies(again, none);
  Require(again == cookies);

  // Completing a completed block adds nothing.
  Text block = parts[2];
  CompleteHeaderBlock(block, url, Text());
  Text twice = block;
  CompleteHeaderBlock(twice, url, Text());
  Require(twice == block);
  Require(!UserAgentFrom(block).empty());

  UrlParts split = SplitUrl(url);
  Require(!split.path.empty() && split.path[0] == '/');
  Require(split.port >= 0 && split.port <= 65535);
  ResolveLocation(url, fields.location);
  MovedStatusText(raw);
  int status = ReplyStatusCode(raw);
  Require(status >= 0 && status <= 999);
  DeclaresUtf8(Bytes(data, data + size), raw);
  return 0;
}
