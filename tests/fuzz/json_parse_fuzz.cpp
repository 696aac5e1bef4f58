// Any bytes as a reply to the JSON reader, then look-ups on paths it found and on lines of the
// input itself.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "json/json_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void LookUp(const JsonReader& reader, const Text& path) {
  std::int32_t kind = 0;
  Text value = reader.GetValue(path, &kind);
  Require(value.size() <= reader.GetText().size());
  // The empty path asks for the outer container even when a member has an empty key.
  Require(kind == 0 || path.empty() || kind == reader.GetKind(path));
  std::vector<Text> names;
  std::int32_t keys = reader.GetKeys(path, names, true);
  Require(keys >= 0 && names.size() == static_cast<std::size_t>(keys));
  Require(reader.GetSize(path) >= 0);
  std::vector<Text> parts;
  Require(JsonReader::SplitPath(path, parts) == static_cast<std::int32_t>(parts.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Text input(reinterpret_cast<const char*>(data), size);
  JsonReader reader;
  bool parsed = reader.Parse(input);
  Require(parsed == !reader.Items().empty());

  const Text& text = reader.GetText();
  std::size_t pathBytes = 0;
  for (const JsonItem& item : reader.Items()) {
    Require(item.kind >= 1 && item.kind <= 6);
    Require(item.start >= 1 && item.length >= 0);
    Require(static_cast<std::size_t>(item.start) - 1 + static_cast<std::size_t>(item.length) <= text.size());
    pathBytes += item.path.size();
  }
  Require(pathBytes <= JsonReader::kMaxPathBytes);
  Require(reader.Items().size() <= text.size());

  std::vector<Text> paths = {""};
  for (std::size_t i = 0; i < reader.Items().size() && i < 8; ++i) {
    const Text& path = reader.Items()[reader.Items().size() - 1 - i].path;
    paths.push_back(path);
    paths.push_back(path + "[0]");
  }
  // Lines of the input as paths, so the fuzzer can spell ones the reader did not find.
  std::size_t begin = 0;
  for (int line = 0; line < 4 && begin < input.size(); ++line) {
    std::size_t end = input.find('\n', begin);
    if (end == Text::npos) end = input.size();
    paths.push_back(input.substr(begin, end - begin));
    begin = end + 1;
  }
  for (const Text& path : paths) LookUp(reader, path);
  return 0;
}
