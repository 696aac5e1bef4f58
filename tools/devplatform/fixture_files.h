#pragma once
// Files of the fixture folder as the servers answer them.
#include <string>

#include "gbk_text.h"

namespace devplatform {

struct Reply {
  int status = 200;
  std::string body;
  std::string contentType;
};

// Whole file into `bytes`; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* bytes);

// A URL path ("/dlq/version.ini") as a path inside `root`, or empty when it would leave it.
std::string FixturePath(const std::string& root, const std::string& urlPath);

// Text fixtures (.ini, .txt) are edited in UTF-8 and sent as GBK with CR LF line ends.
bool IsGbkText(const std::string& path);
bool IsHtml(const std::string& path);
std::string ContentTypeOf(const std::string& path);

// The file at `urlPath`, converted for the wire; 404 when it is missing.
Reply ServeFixture(const std::string& root, const std::string& urlPath, const Placeholders& at);
Reply NotFound(const std::string& urlPath);

}  // namespace devplatform
