#include <windows.h>
#include <wininet.h>

#include "platform/http_get.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

class Handle {
 public:
  explicit Handle(HINTERNET handle) : handle_(handle) {}
  ~Handle() {
    if (handle_) ::InternetCloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

constexpr DWORD kTimeoutMs = 10000;

bool QueryNumber(HINTERNET request, DWORD what, DWORD* number) {
  DWORD size = sizeof *number;
  return ::HttpQueryInfoW(request, what | HTTP_QUERY_FLAG_NUMBER, number, &size, nullptr) != FALSE;
}

}  // namespace

Bytes HttpGet(const Text& url) {
  Handle session(::InternetOpenW(L"Mozilla/4.0 (compatible; Varkon)", INTERNET_OPEN_TYPE_PRECONFIG, nullptr,
                                 nullptr, 0));
  if (!session.get()) return Bytes();
  DWORD timeout = kTimeoutMs;
  ::InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
  ::InternetSetOptionW(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
  ::InternetSetOptionW(session.get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);

  // Always from the network: no cached copy is read, none is written. Redirects are followed.
  const DWORD flags =
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;
  Handle request(::InternetOpenUrlW(session.get(), win32::Wide(url).c_str(), nullptr, 0, flags, 0));
  if (!request.get()) return Bytes();

  DWORD status = 0;
  if (!QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE, &status) || status < 200 || status > 299) return Bytes();

  Bytes body;
  std::uint8_t piece[16 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!::InternetReadFile(request.get(), piece, sizeof piece, &got)) return Bytes();
    if (got == 0) break;
    body.insert(body.end(), piece, piece + got);
  }
  // A connection that ends before the announced length is a broken transfer.
  DWORD announced = 0;
  if (QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH, &announced) && announced != body.size()) return Bytes();
  return body;
}

}  // namespace platform
