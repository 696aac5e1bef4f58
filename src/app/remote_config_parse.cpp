#include "app/remote_config.h"

namespace {

// Splits at every CR LF; the piece after the last separator is not a line.
std::vector<Text> SplitLines(const Text& text) {
  std::vector<Text> lines;
  Text all = text + "\r\n";
  std::size_t start = 0;
  for (;;) {
    std::size_t end = all.find("\r\n", start);
    if (end == Text::npos) break;
    lines.push_back(all.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

const char kDwlistKey[] = "Dwlist=";

const std::vector<RemoteConfigKey>& RemoteConfigKeys() {
  using R = RemoteConfigData;
  static const std::vector<RemoteConfigKey> keys = {
      {"ver=", &R::ver},           {"Hash=", &R::Hash},         {"link=", &R::link},
      {"Download=", &R::Download}, {"login=", &R::login},       {"signup=", &R::signup},
      {"rank=", &R::rank},         {"list=", &R::list},         {"prop=", &R::prop},
      {"ADlogin=", &R::ADlogin},   {"ADMian=", &R::ADMian},     {"Mianhome=", &R::Mianhome},
      {"Button1=", &R::Button1},   {"Button2=", &R::Button2},   {"Button3=", &R::Button3},
      {"Button4=", &R::Button4},   {"Button5=", &R::Button5},   {"Button6=", &R::Button6},
      {"Button7=", &R::Button7},   {"Button8=", &R::Button8},   {"IPapi=", &R::IPapi},
      {"Master=", &R::Master},     {"Provide=", &R::Provide},   {"Provide2=", &R::Provide2},
      {"Dwlink=", &R::Dwlink},     {kDwlistKey, nullptr},       {"Close=", &R::Close},
      {"MSG=", &R::MSG},
  };
  return keys;
}

bool IsAcceptableConfigText(const Text& text) {
  // "该页": the marker of an error page
  return !text.empty() && !Contains(text, "\xB8\xC3\xD2\xB3");
}

void ParseRemoteConfig(const Text& text, RemoteConfigData& config, const HttpFetch& fetch) {
  for (const Text& line : SplitLines(text)) {
    for (const RemoteConfigKey& key : RemoteConfigKeys()) {
      if (!StartsWith(line, key.key)) continue;
      Text value = line.substr(Text(key.key).size());
      if (key.field) {
        config.*key.field = value;
        continue;
      }
      std::vector<Text> entries;
      for (const Text& entry : SplitLines(TextFromBytes(fetch(value)))) {
        if (!entry.empty()) entries.push_back(entry);
      }
      config.Dwlist = entries;
    }
  }
}

bool FetchRemoteConfigText(const Text& primaryUrl, const Text& fallbackUrl, const HttpFetch& fetch,
                           const std::function<void()>& pause, Text* text) {
  for (int attempt = 1; attempt <= 10; ++attempt) {
    for (const Text* url : {&primaryUrl, &fallbackUrl}) {
      Text body = TextFromBytes(fetch(*url));
      if (IsAcceptableConfigText(body)) {
        *text = body;
        return true;
      }
    }
    pause();
  }
  return false;
}
