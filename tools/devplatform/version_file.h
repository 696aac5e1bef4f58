#pragma once
// The version file the client reads at every start, built from the fixture with the
// edits a test asks for.
#include <string>
#include <utility>
#include <vector>

#include "gbk_text.h"

namespace devplatform {

struct VersionEdits {
  std::vector<std::pair<std::string, std::string>> set;  // UTF-8; replaces the key's line or appends one
  std::vector<std::string> unset;                        // lines removed, before `set` applies
  std::string hash;                                      // when not empty: the Hash= value, unless `set` or `unset` name Hash
  bool lfOnly = false;
};

// `utf8` is the fixture text; the result is GBK with CR LF (or LF) after every line.
std::string BuildVersionFile(const std::string& utf8, const VersionEdits& edits, const Placeholders& at);

// What an ISP's resolver hands out instead of the page: 200, HTML, and the words 该页 in GBK.
std::string IspErrorPage();

}  // namespace devplatform
