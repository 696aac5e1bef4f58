#include <windows.h>
#include <wininet.h>

#include "platform/http_transport.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

class Handle {
 public:
  explicit Handle(HINTERNET handle = nullptr) : handle_(handle) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  void Reset(HINTERNET handle = nullptr) {
    if (handle_) ::InternetCloseHandle(handle_);
    handle_ = handle;
  }
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

// The reply's raw header block, as long as it fits the buffer the request routine reads it into.
Text RawHeaders(HINTERNET request) {
  const DWORD kBufferChars = 5000;  // the routine's 5000 bytes of ANSI text
  std::wstring buffer(kBufferChars, L'\0');
  DWORD size = kBufferChars * sizeof(wchar_t);
  if (!::HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, &buffer[0], &size, nullptr)) return Text();
  Text raw = win32::Narrow(buffer.data(), size / sizeof(wchar_t));
  // Without a reply Wine still answers a lone CR LF; there were no headers.
  return StartsWith(raw, "HTTP/") ? raw : Text();
}

}  // namespace

bool HttpExchange(const HttpExchangeRequest& request, HttpExchangeReply* reply) {
  std::wstring agent = win32::Wide(request.userAgent);
  Handle session;
  if (request.useProxy) {
    std::wstring proxy = win32::Wide("http=" + request.proxy);
    session.Reset(::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), L"", 0));
  } else {
    session.Reset(::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  }
  if (!session.get()) return false;
  Handle connection(::InternetConnectW(session.get(), win32::Wide(request.host).c_str(),
                                       static_cast<INTERNET_PORT>(request.port), nullptr, nullptr,
                                       INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection.get()) return false;

  // Redirects are the caller's: WinINet would follow a loop without end and turn a POST into a GET.
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE | INTERNET_FLAG_NO_AUTO_REDIRECT;
  if (request.noCookies) flags |= INTERNET_FLAG_NO_COOKIES;
  flags |= request.secure ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
  Handle handle(::HttpOpenRequestW(connection.get(), win32::Wide(request.verb).c_str(),
                                   win32::Wide(request.path).c_str(), L"HTTP/1.1", nullptr, nullptr, flags, 0));
  if (!handle.get()) return false;

  std::wstring headers = win32::Wide(request.headerBlock);
  Bytes body = request.sendBody ? request.body : Bytes();
  // The send's own result is not needed: a failed send shows as an empty reply.
  ::HttpSendRequestW(handle.get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                     body.empty() ? nullptr : body.data(), static_cast<DWORD>(body.size()));

  reply->body.clear();
  std::uint8_t piece[1024];
  for (;;) {
    DWORD got = 0;
    if (!::InternetReadFile(handle.get(), piece, sizeof piece, &got) || got == 0) break;
    reply->body.insert(reply->body.end(), piece, piece + got);
  }
  reply->rawHeaders = RawHeaders(handle.get());
  return true;
}

struct HttpStream::State {
  Handle session;
  Handle request;
};

HttpStream::HttpStream() = default;
HttpStream::~HttpStream() = default;

bool HttpStream::Open(const Text& agent, const Text& url, const Text& headerBlock) {
  state_.reset();
  auto state = std::make_unique<State>();
  DWORD connection = 0;
  ::InternetGetConnectedState(&connection, 0);
  DWORD access = (connection & INTERNET_CONNECTION_PROXY) ? INTERNET_OPEN_TYPE_PRECONFIG
                                                          : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
  state->session.Reset(::InternetOpenW(win32::Wide(agent).c_str(), access, nullptr, nullptr, 0));
  if (!state->session.get()) return false;
  std::wstring headers = win32::Wide(headerBlock);
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_AUTO_REDIRECT;
  state->request.Reset(::InternetOpenUrlW(state->session.get(), win32::Wide(url).c_str(), headers.c_str(),
                                          static_cast<DWORD>(headers.size()), flags, 0));
  if (!state->request.get()) return false;
  state_ = std::move(state);
  return true;
}

int HttpStream::Status() const {
  if (!state_) return 0;
  DWORD status = 0, size = sizeof status;
  if (!::HttpQueryInfoW(state_->request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr))
    return 0;
  return static_cast<int>(status);
}

bool HttpStream::ContentLength(std::uint32_t* length) const {
  if (!state_) return false;
  DWORD value = 0, size = sizeof value;
  if (!::HttpQueryInfoW(state_->request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &value, &size,
                        nullptr))
    return false;
  *length = value;
  return true;
}

Text HttpStream::RawHeaders() const {
  if (!state_) return Text();
  DWORD size = 0;
  ::HttpQueryInfoW(state_->request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
  if (size == 0) return Text();
  std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
  if (!::HttpQueryInfoW(state_->request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, &buffer[0], &size, nullptr))
    return Text();
  return win32::Narrow(buffer.data(), size / sizeof(wchar_t));
}

long HttpStream::Read(std::uint8_t* buffer, std::size_t size) {
  if (!state_) return -1;
  DWORD got = 0;
  if (!::InternetReadFile(state_->request.get(), buffer, static_cast<DWORD>(size), &got)) return -1;
  return static_cast<long>(got);
}

void HttpStream::Close() { state_.reset(); }

}  // namespace platform
