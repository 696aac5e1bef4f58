#pragma once
// HTTP/1.1 over a plain TCP socket: what the Linux side needs to stand in for WinINet.
#include <cstddef>
#include <cstdint>

#include "base/text.h"

namespace platform::posix {

class HttpWire {
 public:
  HttpWire() = default;
  ~HttpWire();
  HttpWire(const HttpWire&) = delete;
  HttpWire& operator=(const HttpWire&) = delete;

  bool Connect(const Text& host, int port);
  bool Send(const Text& head, const Bytes& body);
  // Reads the reply head (a 100 Continue is skipped); `headRequest` replies carry no body.
  bool ReadHead(bool headRequest = false);
  const Text& RawHeaders() const { return head_; }
  int Status() const { return status_; }
  // The announced length, as the header gives it; false without one.
  bool ContentLength(std::uint64_t* length) const;
  // Body bytes, de-chunked; 0 at the end, -1 on a broken transfer.
  long Read(std::uint8_t* buffer, std::size_t size);
  void Close();

 private:
  long Fill();  // more bytes from the socket into pending_
  Text HeaderValue(const char* lowerName) const;

  int socket_ = -1;
  Text head_;
  int status_ = 0;
  Bytes pending_;
  std::size_t pendingAt_ = 0;
  enum class Framing { None, Length, Chunked, UntilClose } framing_ = Framing::None;
  std::uint64_t left_ = 0;  // of the body (Length) or of the current chunk (Chunked)
  bool chunkEnded_ = true;
  bool done_ = false;
};

// The request head WinINet would send: request line, the caller's lines, then Host,
// User-Agent (unless the caller gave one) and Content-Length when a body goes with it.
Text RequestHead(const Text& verb, const Text& target, const Text& hostHeader, const Text& userAgent,
                 const Text& headerBlock, bool withBody, std::size_t bodyLength);

}  // namespace platform::posix
