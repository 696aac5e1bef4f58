#include "gbk_text.h"

#include "base/text.h"
#include "platform/encoding.h"

namespace devplatform {

std::string Utf8ToGbk(const std::string& utf8) { return platform::Utf8ToAnsiText(utf8); }

std::string WithLineEnds(const std::string& text, const std::string& lineEnd) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') {
      out += lineEnd;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string FillPlaceholders(const std::string& text, const Placeholders& at) {
  return ReplaceAll(ReplaceAll(text, "{{BASE}}", at.base), "{{FORUM}}", at.forum);
}

}  // namespace devplatform
