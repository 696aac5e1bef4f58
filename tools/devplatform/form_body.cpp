#include "form_body.h"

namespace devplatform {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string PercentDecode(const std::string& text, bool plusIsSpace) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '+' && plusIsSpace) {
      out.push_back(' ');
    } else if (c == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
      i += 2;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

FormFields DecodeForm(const std::string& body) {
  FormFields fields;
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t end = body.find('&', start);
    if (end == std::string::npos) end = body.size();
    std::string pair = body.substr(start, end - start);
    if (!pair.empty()) {
      std::size_t eq = pair.find('=');
      std::string name = eq == std::string::npos ? pair : pair.substr(0, eq);
      std::string value = eq == std::string::npos ? std::string() : pair.substr(eq + 1);
      fields.emplace_back(PercentDecode(name, true), PercentDecode(value, true));
    }
    start = end + 1;
  }
  return fields;
}

std::string FieldOf(const FormFields& fields, const std::string& name) {
  for (const auto& field : fields) {
    if (field.first == name) return field.second;
  }
  return std::string();
}

}  // namespace devplatform
