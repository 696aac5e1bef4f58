#include "mainwindow/profile_texts.h"

#include "json/json_reader.h"
#include "json/unescape_text.h"

namespace {

std::vector<Text> Split(const Text& text, const Text& separator) {
  std::vector<Text> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == Text::npos ? Text::npos : end - start));
    if (end == Text::npos) return parts;
    start = end + separator.size();
  }
}

}  // namespace

std::vector<Text> MatchItemNames(const Text& itemFile, const Text& items) {
  std::vector<Text> lines = Split(itemFile, "\r\n");
  std::vector<Text> names;
  for (const Text& identifier : Split(items, ",")) {
    if (identifier.empty()) continue;  // no items, or ",,": nothing to show, not a blank row
    for (const Text& line : lines) {
      std::vector<Text> parts = Split(line, "=");
      Text key = ReplaceAll(parts[0], " ", "");
      if (key == identifier) {
        names.push_back(parts.size() > 1 ? parts[1] : Text());
        break;
      }
    }
  }
  return names;
}

Text IpLocationText(const Text& reply) {
  JsonReader reader;
  reader.Parse(reply);
  Text place;
  for (const char* member : {"country", "province", "city", "isp"}) place += UnescapeText(reader.GetValue(member));
  return place + " IP:" + reader.GetValue("ip");
}
