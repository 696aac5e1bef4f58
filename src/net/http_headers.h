#pragma once
// The rules the request routine applies to request and reply header blocks.
#include "base/text.h"

// The caller's User-Agent line when the block has one, otherwise the built-in agent name.
Text UserAgentFrom(const Text& headerBlock);
extern const char kDefaultUserAgent[];

// Adds Referer, Accept, Accept-Language and Content-Type lines the block lacks (exact-case
// search), then the Cookie line when `cookies` is not empty.
void CompleteHeaderBlock(Text& headerBlock, const Text& url, const Text& cookies);

struct ReplyHeaderFields {
  Text location;      // value of the last Location line, empty without one
  Text cookies;       // each reply cookie's name=value followed by "; "
};
ReplyHeaderFields ReadReplyHeaders(const Text& rawHeaders);

// The status text between "HTTP/1.1 " and " Moved" (case-insensitive), "301" for a classic move.
Text MovedStatusText(const Text& rawHeaders);
// The numeric status of the reply's first line, 0 when it has none.
int ReplyStatusCode(const Text& rawHeaders);
// A body or header block that says its text is UTF-8.
bool DeclaresUtf8(const Bytes& body, const Text& rawHeaders);

// Text between `from` and the next `to` (both found without regard to case), empty when either
// is missing; `to` empty means to the end.
Text BetweenNoCase(const Text& text, const Text& from, const Text& to);
Text TrimBlanks(const Text& text);
