#pragma once
// Bodies of HTML forms (application/x-www-form-urlencoded) as the login service reads them.
#include <string>
#include <utility>
#include <vector>

namespace devplatform {

using FormFields = std::vector<std::pair<std::string, std::string>>;

// %XX as that byte ("+" as a space when `plusIsSpace`); a "%" not followed by two hex
// digits stays as it is, as lenient web servers keep it.
std::string PercentDecode(const std::string& text, bool plusIsSpace);
// Fields in the order sent, names and values decoded; a field without "=" has an empty value.
FormFields DecodeForm(const std::string& body);
// The first field called `name`, or empty.
std::string FieldOf(const FormFields& fields, const std::string& name);

}  // namespace devplatform
