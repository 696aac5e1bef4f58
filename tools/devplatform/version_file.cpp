#include "version_file.h"

#include <algorithm>

namespace devplatform {

namespace {

struct Line {
  std::string key;   // empty for a line without '='
  std::string text;  // the whole line
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::string normalized = WithLineEnds(text, "\n");
  std::size_t start = 0;
  while (start < normalized.size()) {
    std::size_t end = normalized.find('\n', start);
    if (end == std::string::npos) end = normalized.size();
    Line line;
    line.text = normalized.substr(start, end - start);
    std::size_t eq = line.text.find('=');
    if (eq != std::string::npos) line.key = line.text.substr(0, eq);
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool Named(const std::vector<std::string>& keys, const std::string& key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

void SetKey(std::vector<Line>* lines, const std::string& key, const std::string& value) {
  Line wanted{key, key + "=" + value};
  auto first = std::find_if(lines->begin(), lines->end(), [&](const Line& l) { return l.key == key; });
  if (first == lines->end()) {
    lines->push_back(wanted);
    return;
  }
  *first = wanted;
  // Later duplicates would let the client's reader see the old value.
  lines->erase(std::remove_if(first + 1, lines->end(), [&](const Line& l) { return l.key == key; }), lines->end());
}

}  // namespace

std::string BuildVersionFile(const std::string& utf8, const VersionEdits& edits, const Placeholders& at) {
  std::vector<Line> lines = SplitLines(utf8);
  lines.erase(std::remove_if(lines.begin(), lines.end(), [&](const Line& l) { return !l.key.empty() && Named(edits.unset, l.key); }),
              lines.end());
  bool hashNamed = Named(edits.unset, "Hash") ||
                   std::any_of(edits.set.begin(), edits.set.end(), [](const auto& kv) { return kv.first == "Hash"; });
  if (!edits.hash.empty() && !hashNamed) SetKey(&lines, "Hash", edits.hash);
  for (const auto& [key, value] : edits.set) SetKey(&lines, key, value);

  const std::string lineEnd = edits.lfOnly ? "\n" : "\r\n";
  std::string out;
  for (const Line& line : lines) out += line.text + lineEnd;
  return Utf8ToGbk(FillPlaceholders(out, at));
}

std::string IspErrorPage() {
  // u8 keeps the source text UTF-8 whatever the compiler's execution character set.
  return Utf8ToGbk(u8"<html><head><meta charset=\"gbk\"><title>网址导航</title></head>"
                   u8"<body><h1>抱歉，该页无法显示</h1><p>您访问的网址不存在，请检查输入的地址。</p></body></html>\r\n");
}

}  // namespace devplatform
