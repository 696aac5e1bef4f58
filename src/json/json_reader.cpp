#include "json/json_reader.h"

#include <limits>
#include <string>
#include <string_view>

#include "json/json_scan.h"

namespace {

// Turns scanned members into items named under `prefix`, keeping the reader's path budget.
class ItemCollector final : public json::MemberSink {
 public:
  ItemCollector(std::vector<JsonItem>& out, std::size_t& pathBytes) : out_(out), pathBytes_(pathBytes) {}

  void Begin(const Text& prefix, std::size_t offset) {
    prefix_ = &prefix;
    offset_ = offset;
  }

  bool Take(const json::ScannedMember& member) override {
    std::string index;
    if (member.index >= 0) index = "[" + std::to_string(member.index) + "]";
    std::size_t size = prefix_->size() + (member.index >= 0 ? index.size() : member.key.size());
    if (size > JsonReader::kMaxPathBytes - pathBytes_) return false;
    pathBytes_ += size;
    JsonItem item;
    item.kind = member.kind;
    item.path.reserve(size);
    item.path += *prefix_;
    if (member.index >= 0) {
      item.path += index;
    } else {
      item.path += member.key;
    }
    item.start = static_cast<std::int32_t>(offset_ + member.start + 1);
    item.length = static_cast<std::int32_t>(member.length);
    out_.push_back(std::move(item));
    return true;
  }

 private:
  std::vector<JsonItem>& out_;
  std::size_t& pathBytes_;
  const Text* prefix_ = nullptr;
  std::size_t offset_ = 0;
};

// Counts members and, when asked, keeps their bare names.
class MemberCounter final : public json::MemberSink {
 public:
  explicit MemberCounter(std::vector<Text>* names) : names_(names) {}
  bool Take(const json::ScannedMember& member) override {
    if (names_) names_->emplace_back(member.key);
    return true;
  }

 private:
  std::vector<Text>* names_;
};

}  // namespace

void JsonReader::Clear() {
  items_.clear();
  items_.shrink_to_fit();
  text_.clear();
  rootKind_ = 0;
  rootSize_ = 0;
}

bool JsonReader::Parse(const Text& source) {
  Clear();
  std::size_t firstBrace = source.find('{');
  std::size_t firstBracket = source.find('[');
  if (firstBrace == Text::npos && firstBracket == Text::npos) return false;
  const bool isArray = firstBracket != Text::npos && (firstBrace == Text::npos || firstBracket < firstBrace);
  std::size_t open = isArray ? firstBracket : firstBrace;
  std::size_t close = source.rfind(isArray ? ']' : '}');
  if (close == Text::npos || close < open) return false;
  // Positions are int32 throughout.
  if (close - open + 1 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
  text_ = source.substr(open, close - open + 1);
  rootKind_ = isArray ? kJsonArray : kJsonObject;

  std::size_t pathBytes = 0;
  const std::string_view text(text_);
  ItemCollector outer(items_, pathBytes);
  const Text noPrefix;
  outer.Begin(noPrefix, 0);
  std::int32_t rootSize = json::ScanContainer(text, outer);

  // Breadth first: each generation is the members of the previous generation's containers.
  std::size_t generationBegin = 0;
  bool refused = rootSize < 0;
  for (int depth = 1; !refused && depth < kMaxDepth && generationBegin < items_.size(); ++depth) {
    std::vector<JsonItem> next;
    ItemCollector collector(next, pathBytes);
    for (std::size_t i = generationBegin; i < items_.size() && !refused; ++i) {
      const JsonItem& item = items_[i];
      if (item.kind != kJsonObject && item.kind != kJsonArray) continue;
      Text prefix = item.kind == kJsonObject ? item.path + "." : item.path;
      std::size_t offset = static_cast<std::size_t>(item.start) - 1;
      collector.Begin(prefix, offset);
      refused = json::ScanContainer(text.substr(offset, static_cast<std::size_t>(item.length)), collector) < 0;
    }
    generationBegin = items_.size();
    items_.reserve(items_.size() + next.size());
    for (JsonItem& item : next) items_.push_back(std::move(item));
  }

  if (refused || items_.empty()) {
    Clear();
    return false;
  }
  rootSize_ = rootSize;
  return true;
}

Text JsonReader::GetText() const { return items_.empty() ? Text() : text_; }

const JsonItem* JsonReader::Find(const Text& path) const {
  for (const JsonItem& item : items_) {
    if (item.path == path) return &item;
  }
  return nullptr;
}

Text JsonReader::GetValue(const Text& path, std::int32_t* kind) const {
  const JsonItem* item = Find(path);
  if (!item) return Text();
  if (kind) *kind = item->kind;
  return text_.substr(static_cast<std::size_t>(item->start) - 1, static_cast<std::size_t>(item->length));
}

std::int32_t JsonReader::CountMembers(const JsonItem& item, std::vector<Text>* names) const {
  std::string_view text(text_);
  MemberCounter counter(names);
  return json::ScanContainer(
      text.substr(static_cast<std::size_t>(item.start) - 1, static_cast<std::size_t>(item.length)), counter);
}

std::int32_t JsonReader::GetSize(const Text& path) const {
  if (items_.empty()) return 0;
  if (path.empty()) return rootSize_;
  const JsonItem* item = Find(path);
  if (!item || (item->kind != kJsonObject && item->kind != kJsonArray)) return 0;
  return CountMembers(*item, nullptr);
}

std::int32_t JsonReader::GetKeys(const Text& path, std::vector<Text>& names, bool fill) const {
  if (items_.empty()) return 0;
  if (path.empty()) {
    if (fill) {
      for (std::int32_t i = 0; i < rootSize_; ++i) names.push_back(items_[static_cast<std::size_t>(i)].path);
    }
    return rootSize_;
  }
  const JsonItem* item = Find(path);
  if (!item || item->kind != kJsonObject) return 0;
  return CountMembers(*item, fill ? &names : nullptr);
}

std::int32_t JsonReader::GetKind(const Text& path) const {
  if (items_.empty()) return kJsonNull;
  if (path.empty()) return rootKind_;
  const JsonItem* item = Find(path);
  return item ? item->kind : kJsonNull;
}

std::int32_t JsonReader::SplitPath(const Text& path, std::vector<Text>& parts) {
  parts.clear();
  Text part;
  auto flush = [&] {
    if (!part.empty()) parts.push_back(part);
    part.clear();
  };
  for (std::size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (c == '.') {
      flush();
    } else if (c == '[') {
      // An index keeps both brackets and ends at its "]".
      flush();
      std::size_t end = path.find(']', i);
      if (end == Text::npos) end = path.size() - 1;
      part = path.substr(i, end - i + 1);
      flush();
      i = end;
    } else {
      part.push_back(c);
    }
  }
  flush();
  return static_cast<std::int32_t>(parts.size());
}
