#pragma once
// One HTTP exchange as WinINet's request interface makes it, and the streamed reply of a URL as
// its URL interface gives it. Neither follows redirects: the callers do, with their own limit.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/text.h"

namespace platform {

struct HttpExchangeRequest {
  Text userAgent;
  bool useProxy = false;
  Text proxy;  // host:port of an HTTP proxy
  Text host;
  int port = 80;
  Text verb;   // "GET" or "POST"
  Text path;   // request target, query included
  bool secure = false;
  bool noCookies = false;  // the system keeps and sends no cookies of its own
  Text headerBlock;        // extra request lines separated by CR LF
  bool sendBody = false;
  Bytes body;
};

struct HttpExchangeReply {
  Bytes body;        // whatever arrived; empty after a failed send or read
  Text rawHeaders;   // status line and header lines, each ended by CR LF, then an empty line
};

// False when no session, connection or request handle is had (nothing was sent). A failed send
// or read still answers true, with what was received.
bool HttpExchange(const HttpExchangeRequest& request, HttpExchangeReply* reply);

// A GET of a whole URL whose body is read in pieces.
class HttpStream {
 public:
  HttpStream();
  ~HttpStream();
  HttpStream(const HttpStream&) = delete;
  HttpStream& operator=(const HttpStream&) = delete;

  // Sends the request and reads the reply's head; false when that fails.
  bool Open(const Text& agent, const Text& url, const Text& headerBlock);
  int Status() const;
  // The announced body length; false when the reply announces none.
  bool ContentLength(std::uint32_t* length) const;
  Text RawHeaders() const;
  // Bytes read (at most `size`), 0 at the end of the body, -1 on a failure.
  long Read(std::uint8_t* buffer, std::size_t size);
  void Close();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace platform
