#include "net/http_headers.h"

#include <cstring>
#include <vector>

const char kDefaultUserAgent[] =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 125LA; .NET CLR 2.0.50727; .NET CLR 3.0.04506.648; .NET "
    "CLR 3.5.21022)";

namespace {

std::vector<Text> Lines(const Text& block) {
  std::vector<Text> lines;
  std::size_t pos = 0;
  for (;;) {
    std::size_t end = block.find("\r\n", pos);
    lines.push_back(block.substr(pos, end == Text::npos ? Text::npos : end - pos));
    if (end == Text::npos) return lines;
    pos = end + 2;
  }
}

}  // namespace

Text TrimBlanks(const Text& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == Text::npos) return Text();
  std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

Text BetweenNoCase(const Text& text, const Text& from, const Text& to) {
  Text lower = AsciiLower(text);
  std::size_t start = lower.find(AsciiLower(from));
  if (start == Text::npos) return Text();
  start += from.size();
  if (to.empty()) return text.substr(start);
  std::size_t end = lower.find(AsciiLower(to), start);
  if (end == Text::npos) return Text();
  return text.substr(start, end - start);
}

Text UserAgentFrom(const Text& headerBlock) {
  if (!Contains(AsciiLower(headerBlock), "user-agent:")) return kDefaultUserAgent;
  // The value runs to the line's end; on the block's last line that is the block's end.
  Text value = BetweenNoCase(headerBlock, "User-Agent:", "\r\n");
  if (value.empty()) value = BetweenNoCase(headerBlock, "User-Agent:", "");
  value = TrimBlanks(value);
  return value.empty() ? Text(kDefaultUserAgent) : value;
}

void CompleteHeaderBlock(Text& headerBlock, const Text& url, const Text& cookies) {
  if (!Contains(headerBlock, "Referer:")) {
    headerBlock += headerBlock.empty() ? "Referer: " + url : "\r\nReferer: " + url;
  }
  if (!Contains(headerBlock, "Accept:")) headerBlock += "\r\nAccept: */*";
  if (!Contains(headerBlock, "Accept-Language:")) headerBlock += "\r\nAccept-Language: zh-cn";
  if (!Contains(headerBlock, "Content-Type:")) headerBlock += "\r\nContent-Type: application/x-www-form-urlencoded";
  if (!cookies.empty()) headerBlock += "\r\nCookie: " + cookies;
}

ReplyHeaderFields ReadReplyHeaders(const Text& rawHeaders) {
  ReplyHeaderFields fields;
  for (const Text& line : Lines(rawHeaders)) {
    if (Contains(line, "Location:")) fields.location = TrimBlanks(line.substr(line.find(':') + 1));
    if (Contains(line, "Set-Cookie")) {
      // Only name=value counts; a cookie without attributes runs to the line's end.
      Text pair = BetweenNoCase(line, "Set-Cookie:", ";");
      if (pair.empty()) pair = BetweenNoCase(line, "Set-Cookie:", "");
      pair = TrimBlanks(pair);
      if (!pair.empty()) fields.cookies += pair + "; ";
    }
  }
  return fields;
}

Text MovedStatusText(const Text& rawHeaders) { return BetweenNoCase(rawHeaders, "HTTP/1.1 ", " Moved"); }

int ReplyStatusCode(const Text& rawHeaders) {
  if (!StartsWith(rawHeaders, "HTTP/")) return 0;
  std::size_t space = rawHeaders.find(' ');
  if (space == Text::npos || space > rawHeaders.find("\r\n")) return 0;
  int code = 0;
  std::size_t i = space + 1;
  for (int digits = 0; digits < 3; ++digits, ++i) {
    if (i >= rawHeaders.size() || rawHeaders[i] < '0' || rawHeaders[i] > '9') return 0;
    code = code * 10 + (rawHeaders[i] - '0');
  }
  return code;
}

bool DeclaresUtf8(const Bytes& body, const Text& rawHeaders) {
  static const char kMark[] = "charset=utf-8";
  const std::size_t length = std::strlen(kMark);
  // Only a mark that begins within the first 499 bytes of the body counts.
  for (std::size_t at = 0; at < 499 && at + length <= body.size(); ++at) {
    if (std::memcmp(body.data() + at, kMark, length) == 0) return true;
  }
  return Contains(rawHeaders, kMark);
}
