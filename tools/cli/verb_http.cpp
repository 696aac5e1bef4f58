// http URL [--post BODY]: one request through the client's HTTP routine.
#include <cstdio>

#include "net/http_client.h"
#include "platform/encoding.h"
#include "terminal.h"
#include "verbs.h"

namespace cli {
namespace {

// The value of a header line of the raw block, matched without regard to letter case.
Text HeaderValue(const Text& rawHeaders, const Text& name) {
  Text lower = AsciiLower(rawHeaders);
  Text wanted = "\r\n" + AsciiLower(name) + ":";
  std::size_t at = lower.find(wanted);
  if (at == Text::npos) return Text();
  std::size_t start = at + wanted.size();
  std::size_t end = rawHeaders.find("\r\n", start);
  Text value = rawHeaders.substr(start, end == Text::npos ? Text::npos : end - start);
  while (!value.empty() && value[0] == ' ') value.erase(0, 1);
  return value;
}

}  // namespace

int Http(const Args& args) {
  bool post = args.size() == 3 && args[1] == "--post";
  if (!(args.size() == 1 || post)) return Complain(kUsage, "http takes URL and an optional --post BODY");
  Text cookies, replyCookies, location, rawHeaders;
  Bytes body = HttpClient(args[0], post ? std::optional<int>(1) : std::nullopt, post ? &args[2] : nullptr, &cookies,
                          &replyCookies, nullptr, &location, std::nullopt, nullptr, nullptr, &rawHeaders);
  if (body.empty()) return Complain(kFailed, "no reply from " + platform::AnsiToUtf8(args[0]));
  Text status = rawHeaders.substr(0, rawHeaders.find("\r\n"));
  std::printf("%s\n", Shown(status).c_str());
  std::printf("cookies: %s\n", Shown(replyCookies).c_str());
  std::printf("location: %s\n", Shown(location).c_str());
  std::printf("content-length: %s\n\n", Shown(HeaderValue(rawHeaders, "Content-Length")).c_str());
  std::string text = platform::AnsiToUtf8(TextFromBytes(body));
  std::fwrite(text.data(), 1, text.size(), stdout);
  return kOk;
}

}  // namespace cli
