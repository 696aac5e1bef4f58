#include "net/http_client.h"

#include "net/cookies.h"
#include "net/http_headers.h"
#include "net/url_parts.h"
#include "platform/encoding.h"
#include "platform/http_transport.h"

namespace {

// A raw header block longer than this does not fit the reply buffer and is not delivered.
constexpr std::size_t kRawHeaderLimit = 4999;

bool IsFollowedRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

Bytes HttpClient(const Text& firstUrl, std::optional<int> method, const Text* bodyText, Text* cookieText,
                 Text* replyCookies, Text* headerBlock, Text* location, std::optional<int> noRedirect,
                 Bytes* bodyBytes, const Text* proxy, Text* rawHeaders) {
  Text url = firstUrl;
  bool post = method.value_or(0) == 1;
  const bool followOthers = noRedirect.value_or(0) == 0;
  for (int redirects = 0;; ++redirects) {
    // A parameter the caller did not give starts afresh in every request.
    Text ownBlock, ownLocation, ownReplyCookies, ownRaw;
    Bytes ownBody;
    Text& block = headerBlock ? *headerBlock : ownBlock;
    Text& where = location ? *location : ownLocation;
    Text& setCookies = replyCookies ? *replyCookies : ownReplyCookies;
    Text& raw = rawHeaders ? *rawHeaders : ownRaw;
    Bytes& sent = bodyBytes ? *bodyBytes : ownBody;

    UrlParts parts = SplitUrl(url);
    platform::HttpExchangeRequest request;
    request.userAgent = UserAgentFrom(block);
    request.useProxy = proxy != nullptr;
    if (proxy) request.proxy = *proxy;
    request.host = parts.host;
    request.port = parts.port;
    request.verb = post ? "POST" : "GET";
    request.path = parts.path;
    request.secure = StartsWith(AsciiLower(url.substr(0, 5)), "https");
    request.noCookies = cookieText != nullptr;

    // Completing the block and filling the body only once a request handle exists keeps the
    // caller's variables untouched on failure: the transport checks the same things first.
    Text completed = block;
    CompleteHeaderBlock(completed, url, cookieText ? *cookieText : Text());
    request.headerBlock = completed;
    Bytes body = sent;
    if (post) {
      if (body.empty() && bodyText) body = BytesFromText(*bodyText);
      request.sendBody = true;
      request.body = body;
    }

    platform::HttpExchangeReply reply;
    if (!platform::HttpExchange(request, &reply)) return Bytes();
    block = completed;
    if (post) sent = body;
    raw = reply.rawHeaders.size() > kRawHeaderLimit ? Text() : reply.rawHeaders;

    ReplyHeaderFields fields = ReadReplyHeaders(raw);
    where = fields.location;
    setCookies = fields.cookies;
    if (cookieText) MergeCookies(*cookieText, setCookies);
    const bool hasLocation = !where.empty();
    if (where.empty()) where = raw;

    if (redirects < kMaxRedirects && hasLocation) {
      if (MovedStatusText(raw) == "301") {
        // The classic move: the new place followed by the path asked for.
        url = where + UrlPath(url);
        where.clear();
        continue;
      }
      int status = ReplyStatusCode(raw);
      if (followOthers && IsFollowedRedirect(status)) {
        url = ResolveLocation(url, where);
        // As browsers do: only 307 and 308 repeat the method and body.
        if (status != 307 && status != 308) post = false;
        continue;
      }
    }

    if (DeclaresUtf8(reply.body, raw)) {
      Text converted = platform::Utf8ToAnsiText(TextFromBytes(reply.body));
      return BytesFromText(converted);
    }
    return reply.body;
  }
}
