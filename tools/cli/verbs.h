#pragma once
// The verbs of varkon-cli; each takes its own arguments and answers the exit status.
#include <vector>

#include "base/text.h"

namespace cli {

using Args = std::vector<Text>;

int Digest(const Args& args);
int Config(const Args& args);
int Json(const Args& args);
int Query(const Args& args);
int Unescape(const Args& args);
int Http(const Args& args);
int DownloadTo(const Args& args);

}  // namespace cli
