// json FILE [PATH]: every item as path, kind and value in item order, or one value.
#include <cstdio>

#include "json/json_reader.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "terminal.h"
#include "verbs.h"

namespace cli {

int Json(const Args& args) {
  if (args.empty() || args.size() > 2) return Complain(kUsage, "json takes FILE and an optional PATH");
  bool ok = false;
  Bytes file = platform::ReadWholeFile(args[0], &ok);
  if (!ok) return Complain(kFailed, "cannot read " + platform::AnsiToUtf8(args[0]));
  JsonReader reader;
  if (!reader.Parse(TextFromBytes(file))) return kFailed;
  if (args.size() == 2) {
    std::printf("%s\n", Shown(reader.GetValue(args[1])).c_str());
    return kOk;
  }
  const Text text = reader.GetText();
  for (const JsonItem& item : reader.Items()) {
    Text value = text.substr(static_cast<std::size_t>(item.start - 1), static_cast<std::size_t>(item.length));
    std::printf("%s\t%d\t%s\n", Shown(item.path).c_str(), item.kind, Shown(value).c_str());
  }
  return kOk;
}

}  // namespace cli
