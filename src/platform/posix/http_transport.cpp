// The HTTP transports on Linux: plain sockets, replies handed back the way WinINet gives them.
#include "platform/http_transport.h"

#include "platform/posix/http_wire.h"

namespace platform {
namespace {

struct Target {
  Text connectHost;
  int connectPort = 0;
  Text requestTarget;  // origin form, or the absolute URL through a proxy
  Text hostHeader;
};

bool SplitHostPort(const Text& text, int defaultPort, Text* host, int* port) {
  std::size_t colon = text.rfind(':');
  *host = text.substr(0, colon);
  *port = defaultPort;
  if (colon != Text::npos) {
    Text digits = text.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != Text::npos) return false;
    *port = std::stoi(digits);
  }
  return !host->empty() && *port > 0 && *port <= 65535;
}

Text HostHeader(const Text& host, int port) { return port == 80 ? host : host + ":" + std::to_string(port); }

}  // namespace

bool HttpExchange(const HttpExchangeRequest& request, HttpExchangeReply* reply) {
  // What makes WinINet refuse the handles: no host, a port it cannot connect to.
  if (request.host.empty() || request.port <= 0 || request.port > 65535) return false;
  reply->body.clear();
  reply->rawHeaders.clear();
  if (request.secure) return true;  // no TLS on this side: as a failed send

  Target target;
  target.hostHeader = HostHeader(request.host, request.port);
  target.connectHost = request.host;
  target.connectPort = request.port;
  target.requestTarget = request.path;
  if (request.useProxy) {
    Text proxy = request.proxy;
    if (StartsWith(AsciiLower(proxy), "http://")) proxy = proxy.substr(7);
    if (!proxy.empty() && proxy.back() == '/') proxy.pop_back();
    if (!SplitHostPort(proxy, 80, &target.connectHost, &target.connectPort)) return true;
    target.requestTarget = "http://" + target.hostHeader + request.path;
  }

  posix::HttpWire wire;
  if (!wire.Connect(target.connectHost, target.connectPort)) return true;
  Bytes body = request.sendBody ? request.body : Bytes();
  Text head = posix::RequestHead(request.verb, target.requestTarget, target.hostHeader, request.userAgent,
                                 request.headerBlock, request.sendBody, body.size());
  if (!wire.Send(head, body) || !wire.ReadHead(request.verb == "HEAD")) return true;
  reply->rawHeaders = wire.RawHeaders();
  std::uint8_t piece[16 * 1024];
  for (;;) {
    long got = wire.Read(piece, sizeof piece);
    if (got <= 0) break;  // a broken transfer keeps what arrived, as WinINet does
    reply->body.insert(reply->body.end(), piece, piece + got);
  }
  return true;
}

struct HttpStream::State {
  posix::HttpWire wire;
};

HttpStream::HttpStream() = default;
HttpStream::~HttpStream() = default;

bool HttpStream::Open(const Text& agent, const Text& url, const Text& headerBlock) {
  state_.reset();
  std::size_t schemeEnd = url.find("://");
  if (schemeEnd == Text::npos || AsciiLower(url.substr(0, schemeEnd)) != "http") return false;
  std::size_t hostStart = schemeEnd + 3;
  std::size_t pathStart = url.find_first_of("/?#", hostStart);
  Text authority = url.substr(hostStart, pathStart == Text::npos ? Text::npos : pathStart - hostStart);
  Text host;
  int port = 80;
  if (!SplitHostPort(authority, 80, &host, &port)) return false;
  Text target = pathStart == Text::npos ? Text("/") : url.substr(pathStart);
  target = target.substr(0, target.find('#'));
  if (target.empty() || target[0] != '/') target.insert(0, "/");

  auto state = std::make_unique<State>();
  if (!state->wire.Connect(host, port)) return false;
  Text head = posix::RequestHead("GET", target, HostHeader(host, port), agent,
                                 headerBlock + "\r\nCache-Control: no-cache\r\nPragma: no-cache", false, 0);
  if (!state->wire.Send(head, Bytes()) || !state->wire.ReadHead()) return false;
  state_ = std::move(state);
  return true;
}

int HttpStream::Status() const { return state_ ? state_->wire.Status() : 0; }

bool HttpStream::ContentLength(std::uint32_t* length) const {
  std::uint64_t value = 0;
  if (!state_ || !state_->wire.ContentLength(&value) || value > 0xFFFFFFFFu) return false;
  *length = static_cast<std::uint32_t>(value);
  return true;
}

Text HttpStream::RawHeaders() const { return state_ ? state_->wire.RawHeaders() : Text(); }

long HttpStream::Read(std::uint8_t* buffer, std::size_t size) { return state_ ? state_->wire.Read(buffer, size) : -1; }

void HttpStream::Close() { state_.reset(); }

}  // namespace platform
