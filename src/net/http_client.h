#pragma once
// The client's own HTTP request routine: one blocking request with form body, extra headers,
// cookies and proxy; it follows redirects itself (at most 10) and turns a UTF-8 reply into GBK.
#include <optional>

#include "base/text.h"

// Optional parameters: a null pointer or an empty optional is "not given". In/out texts are
// written through their pointers. The result is the reply body, empty when the session,
// connection or request could not be opened (the out-parameters are then left untouched).
Bytes HttpClient(const Text& url,
                 std::optional<int> method = std::nullopt,  // 1: POST with body, otherwise GET
                 const Text* bodyText = nullptr,
                 Text* cookieText = nullptr,     // sent; merged with the reply's cookies
                 Text* replyCookies = nullptr,   // name=value of each reply cookie, each + "; "
                 Text* headerBlock = nullptr,    // extra lines; the defaults are appended to it
                 Text* location = nullptr,       // the reply's Location, or its raw header block
                 std::optional<int> noRedirect = std::nullopt,
                 Bytes* bodyBytes = nullptr,     // raw body; filled from bodyText when empty
                 const Text* proxy = nullptr,    // host:port
                 Text* rawHeaders = nullptr);

// Redirects followed in one call, after which the last reply is returned as it is.
constexpr int kMaxRedirects = 10;
