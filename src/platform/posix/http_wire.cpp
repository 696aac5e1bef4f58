#include "platform/posix/http_wire.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform::posix {
namespace {

// WinINet's own defaults: a reply may take this long before the exchange fails.
constexpr int kTimeoutSeconds = 30;

bool ParseHex(const Text& text, std::uint64_t* value) {
  std::uint64_t v = 0;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) break;
    if (v >> 60) return false;
    v = v * 16 + static_cast<unsigned>(digit);
  }
  *value = v;
  return i > 0;
}

}  // namespace

Text RequestHead(const Text& verb, const Text& target, const Text& hostHeader, const Text& userAgent,
                 const Text& headerBlock, bool withBody, std::size_t bodyLength) {
  Text head = verb + " " + target + " HTTP/1.1\r\n";
  std::size_t pos = 0;
  while (pos < headerBlock.size()) {
    std::size_t end = headerBlock.find("\r\n", pos);
    if (end == Text::npos) end = headerBlock.size();
    if (end > pos) head += headerBlock.substr(pos, end - pos) + "\r\n";
    pos = end + 2;
  }
  Text lower = AsciiLower("\r\n" + headerBlock);
  if (!Contains(lower, "\r\nuser-agent:")) head += "User-Agent: " + userAgent + "\r\n";
  head += "Host: " + hostHeader + "\r\n";
  if (withBody) head += "Content-Length: " + std::to_string(bodyLength) + "\r\n";
  head += "Connection: close\r\n\r\n";
  return head;
}

HttpWire::~HttpWire() { Close(); }

void HttpWire::Close() {
  if (socket_ >= 0) ::close(socket_);
  socket_ = -1;
}

bool HttpWire::Connect(const Text& host, int port) {
  Close();
  if (host.empty() || port <= 0 || port > 65535) return false;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  for (addrinfo* a = found; a; a = a->ai_next) {
    int s = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (s < 0) continue;
    timeval timeout{kTimeoutSeconds, 0};
    ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(s, a->ai_addr, a->ai_addrlen) == 0) {
      socket_ = s;
      break;
    }
    ::close(s);
  }
  ::freeaddrinfo(found);
  return socket_ >= 0;
}

bool HttpWire::Send(const Text& head, const Bytes& body) {
  Bytes all(head.begin(), head.end());
  all.insert(all.end(), body.begin(), body.end());
  std::size_t done = 0;
  while (done < all.size()) {
    ssize_t sent = ::send(socket_, all.data() + done, all.size() - done, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    done += static_cast<std::size_t>(sent);
  }
  return true;
}

long HttpWire::Fill() {
  if (pendingAt_ > 0 && pendingAt_ == pending_.size()) {
    pending_.clear();
    pendingAt_ = 0;
  }
  std::uint8_t buffer[64 * 1024];
  for (;;) {
    ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got > 0) pending_.insert(pending_.end(), buffer, buffer + got);
    return got;
  }
}

bool HttpWire::ReadHead(bool headRequest) {
  for (;;) {
    std::size_t end;
    for (;;) {
      Text seen(pending_.begin() + static_cast<long>(pendingAt_), pending_.end());
      end = seen.find("\r\n\r\n");
      if (end != Text::npos) {
        head_ = seen.substr(0, end + 4);
        break;
      }
      if (seen.size() > 1024 * 1024 || Fill() <= 0) return false;
    }
    pendingAt_ += end + 4;
    status_ = 0;
    if (head_.size() >= 12 && StartsWith(head_, "HTTP/")) {
      std::size_t space = head_.find(' ');
      if (space != Text::npos) status_ = std::atoi(head_.c_str() + space + 1);
    }
    if (status_ != 100) break;
  }
  std::uint64_t length = 0;
  done_ = false;
  if (headRequest || status_ == 204 || status_ == 304 || (status_ >= 100 && status_ < 200)) {
    framing_ = Framing::None;
    done_ = true;
  } else if (Contains(AsciiLower(HeaderValue("transfer-encoding")), "chunked")) {
    framing_ = Framing::Chunked;
    chunkEnded_ = true;
  } else if (ContentLength(&length)) {
    framing_ = Framing::Length;
    left_ = length;
    done_ = length == 0;
  } else {
    framing_ = Framing::UntilClose;
  }
  return true;
}

Text HttpWire::HeaderValue(const char* lowerName) const {
  Text lower = AsciiLower(head_);
  Text key = Text("\r\n") + lowerName + ":";
  std::size_t at = lower.find(key);
  if (at == Text::npos) return Text();
  at += key.size();
  std::size_t end = head_.find("\r\n", at);
  Text value = head_.substr(at, end - at);
  std::size_t first = value.find_first_not_of(" \t");
  return first == Text::npos ? Text() : value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

bool HttpWire::ContentLength(std::uint64_t* length) const {
  Text value = HeaderValue("content-length");
  if (value.empty() || value.find_first_not_of("0123456789") != Text::npos || value.size() > 18) return false;
  *length = std::stoull(value);
  return true;
}

long HttpWire::Read(std::uint8_t* buffer, std::size_t size) {
  if (done_ || size == 0) return 0;
  if (framing_ == Framing::Chunked && chunkEnded_) {
    // The chunk's size line (after the previous chunk's CR LF).
    for (;;) {
      Text seen(pending_.begin() + static_cast<long>(pendingAt_), pending_.end());
      std::size_t start = StartsWith(seen, "\r\n") ? 2 : 0;
      std::size_t end = seen.find("\r\n", start);
      if (end != Text::npos) {
        if (!ParseHex(seen.substr(start, end - start), &left_)) return -1;
        pendingAt_ += end + 2;
        chunkEnded_ = false;
        if (left_ == 0) {
          done_ = true;  // trailers are not read: the connection closes after the reply
          return 0;
        }
        break;
      }
      if (seen.size() > 4096 || Fill() <= 0) return -1;
    }
  }
  if (pendingAt_ == pending_.size() && framing_ != Framing::Chunked) {
    // Nothing buffered: straight into the caller's buffer, without a copy of ours.
    std::size_t wanted = framing_ == Framing::Length && left_ < size ? static_cast<std::size_t>(left_) : size;
    ssize_t got;
    do {
      got = ::recv(socket_, buffer, wanted, 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return -1;
    if (got == 0) {
      if (framing_ == Framing::UntilClose) {
        done_ = true;
        return 0;
      }
      return -1;  // closed before the announced end
    }
    if (framing_ == Framing::Length) {
      left_ -= static_cast<std::uint64_t>(got);
      done_ = left_ == 0;
    }
    return static_cast<long>(got);
  }
  if (pendingAt_ == pending_.size()) {
    long got = Fill();
    if (got < 0) return -1;
    if (got == 0) {
      if (framing_ == Framing::UntilClose) {
        done_ = true;
        return 0;
      }
      return -1;  // closed before the announced end
    }
  }
  std::size_t available = pending_.size() - pendingAt_;
  std::size_t n = available < size ? available : size;
  if (framing_ != Framing::UntilClose && n > left_) n = static_cast<std::size_t>(left_);
  std::memcpy(buffer, pending_.data() + pendingAt_, n);
  pendingAt_ += n;
  if (framing_ != Framing::UntilClose) {
    left_ -= n;
    if (left_ == 0) {
      if (framing_ == Framing::Length) done_ = true;
      else chunkEnded_ = true;
    }
  }
  return static_cast<long>(n);
}

}  // namespace platform::posix
