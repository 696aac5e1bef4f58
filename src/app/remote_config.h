#pragma once
// The remote configuration: the version file fetched from the platform at every start.
#include <functional>
#include <vector>

#include "base/text.h"

// One text per key of the version file, named exactly like the key.
struct RemoteConfigData {
  Text ver, Hash, link, Download, login, signup, rank, list, prop, ADlogin, ADMian, Mianhome;
  Text Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8;
  Text IPapi, Master, Provide, Provide2, Dwlink, Close, MSG;
  // The lines of the download list named by the "Dwlist=" key, empty lines dropped.
  std::vector<Text> Dwlist;
};

// A key of the version file and the field it fills; Dwlist has no field of text.
struct RemoteConfigKey {
  const char* key;  // with its "="
  Text RemoteConfigData::*field;
};
// Every key, in the order lines are matched against them (and listed).
const std::vector<RemoteConfigKey>& RemoteConfigKeys();
extern const char kDwlistKey[];  // "Dwlist="

using HttpFetch = std::function<Bytes(const Text& url)>;

// Not empty and not an error page served in place of the file.
bool IsAcceptableConfigText(const Text& text);
// Splits at every CR LF (a final empty piece is no line) and fills `config`; the download list
// is fetched with `fetch` when its line is reached.
void ParseRemoteConfig(const Text& text, RemoteConfigData& config, const HttpFetch& fetch);
// Up to 10 attempts, each the primary address then the fallback, pausing between attempts with
// `pause`. False when no acceptable text came.
bool FetchRemoteConfigText(const Text& primaryUrl, const Text& fallbackUrl, const HttpFetch& fetch,
                           const std::function<void()>& pause, Text* text);

namespace app {
// Fetches and parses into the session; without a file it reports and ends the program.
void LoadRemoteConfig();
}  // namespace app
