// Windows-only effects kept in memory on Linux: message boxes, opened pages, the registry.
#include "platform/posix/recorded.h"

#include <cstdio>
#include <map>
#include <mutex>

#include "platform/dialogs.h"
#include "platform/encoding.h"
#include "platform/page_filter.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace platform {
namespace {

struct RegistryValue {
  bool isDword = false;
  Text text;
  std::uint32_t dword = 0;
};

struct Recorder {
  std::mutex mutex;
  std::vector<recorded::Box> boxes;
  BoxAnswer answer = BoxAnswer::Yes;
  std::vector<Text> pages;
  std::map<Text, RegistryValue> registry;  // key path as written, value name after the last '\'
};

Recorder& State() {
  static Recorder* recorder = new Recorder;  // never freed: threads may still record at exit
  return *recorder;
}

// Windows compares registry names without regard to case.
Text RegistryKey(const Text& path) { return AsciiLower(path); }

}  // namespace

BoxAnswer ShowMessageBox(const Text& text, const Text& caption, BoxIcon icon, BoxButtons buttons) {
  // "信息："
  Text shown = caption.empty() ? Text("\xD0\xC5\xCF\xA2\xA3\xBA") : caption;
  Recorder& r = State();
  BoxAnswer answer;
  {
    std::lock_guard<std::mutex> hold(r.mutex);
    r.boxes.push_back({text, shown, icon, buttons});
    answer = buttons == BoxButtons::Ok ? BoxAnswer::Ok : r.answer;
  }
  std::fprintf(stderr, "message box [%s] %s\n", AnsiToUtf8(shown).c_str(), AnsiToUtf8(text).c_str());
  std::fflush(stderr);
  return answer;
}

void OpenPage(const Text& url) {
  if (!IsWebAddress(url)) return;
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  r.pages.push_back(url);
}

bool RegistryWriteString(const Text& path, const Text& value) {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  RegistryValue& slot = r.registry[RegistryKey(path)];
  slot = RegistryValue{false, value, 0};
  return true;
}

Text RegistryReadString(const Text& path, const Text& fallback) {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  auto it = r.registry.find(RegistryKey(path));
  return (it == r.registry.end() || it->second.isDword) ? fallback : it->second.text;
}

bool RegistryWriteDword(const Text& path, std::uint32_t value) {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  r.registry[RegistryKey(path)] = RegistryValue{true, Text(), value};
  return true;
}

std::uint32_t RegistryReadDword(const Text& path, std::uint32_t fallback) {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  auto it = r.registry.find(RegistryKey(path));
  return (it == r.registry.end() || !it->second.isDword) ? fallback : it->second.dword;
}

bool RegistryValueExists(const Text& path) {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  return r.registry.count(RegistryKey(path)) > 0;
}

bool RegistryDeleteValue(const Text& path) {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  r.registry.erase(RegistryKey(path));
  return true;
}

namespace recorded {

std::vector<Box> Boxes() {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  return r.boxes;
}

void AnswerBoxesWith(BoxAnswer answer) {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  r.answer = answer;
}

std::vector<Text> OpenedPages() {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  return r.pages;
}

void Reset() {
  Recorder& r = State();
  std::lock_guard<std::mutex> hold(r.mutex);
  r.boxes.clear();
  r.pages.clear();
  r.registry.clear();
  r.answer = BoxAnswer::Yes;
}

}  // namespace recorded
}  // namespace platform
