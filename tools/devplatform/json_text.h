#pragma once
// JSON as the platform's PHP pages write it: ASCII only, every other character as \uXXXX.
#include <string>
#include <utility>
#include <vector>

namespace devplatform {

// `utf8` as a quoted JSON string; characters beyond U+FFFF as surrogate pairs; bytes that
// are not UTF-8 become U+FFFD.
std::string JsonString(const std::string& utf8);

// One member of an object: a value written as a string, or as it is (numbers).
struct JsonMember {
  std::string name;
  std::string value;  // UTF-8, or the number's characters when `number`
  bool number = false;
};
// {"a":"x","b":2} in the order given, on one line.
std::string JsonObject(const std::vector<JsonMember>& members);

// True for a whole number written as JSON writes it ("0", "-131", "3725", not "007" or "").
bool IsJsonInteger(const std::string& text);

}  // namespace devplatform
