#pragma once
// Text as the client receives it: fixtures are UTF-8 in the repository, GBK on the wire.
#include <string>

namespace devplatform {

// The addresses fixtures refer to through {{BASE}} and {{FORUM}}.
struct Placeholders {
  std::string base;   // http://HOST:PORT of the configuration server
  std::string forum;  // the same for the forum site
};

// UTF-8 to GBK; a character GBK cannot hold becomes '?'.
std::string Utf8ToGbk(const std::string& utf8);
// Every line end (LF or CR LF) made `lineEnd`.
std::string WithLineEnds(const std::string& text, const std::string& lineEnd);
std::string FillPlaceholders(const std::string& text, const Placeholders& at);

}  // namespace devplatform
