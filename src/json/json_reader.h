#pragma once
// The tolerant JSON reader: a reply becomes a flat list of values, each under its full path
// name ("user.name", "list[2].id"), looked up by that name. It skips what it does not know and
// never reports a syntax error; a document it cannot use simply has no values.
#include <cstdint>
#include <vector>

#include "base/text.h"

// Kinds of value; kJsonNull is also the kind of a path that names nothing.
constexpr std::int32_t kJsonObject = 1;
constexpr std::int32_t kJsonArray = 2;
constexpr std::int32_t kJsonString = 3;
constexpr std::int32_t kJsonNumber = 4;
constexpr std::int32_t kJsonBoolean = 5;
constexpr std::int32_t kJsonNull = 6;

struct JsonItem {
  std::int32_t kind = 0;
  Text path;
  std::int32_t start = 0;   // 1-based byte position in the reader's text of the first character
  std::int32_t length = 0;  // bytes: a string without its quotes, a container with both brackets
};

class JsonReader {
 public:
  // Containers this many levels down are still items, but their members are not expanded:
  // real replies are a few levels deep, and every item carries its whole path.
  static constexpr int kMaxDepth = 64;
  // A document whose items' paths would need more text than this is refused as a whole.
  static constexpr std::size_t kMaxPathBytes = std::size_t{64} << 20;

  void Clear();
  // Reads the document from its first opening bracket to the last matching-kind closing one.
  // False, with the reader empty, when no value was found.
  bool Parse(const Text& source);

  // The document as read; empty when the reader is empty.
  Text GetText() const;
  // The value of the first item with exactly this path: a string as written between its quotes,
  // a container with its brackets, a number or literal as written. Writes the kind only when
  // found; empty text when not.
  Text GetValue(const Text& path, std::int32_t* kind = nullptr) const;
  // Direct members of the container at `path` (the outer one for an empty path); 0 otherwise.
  std::int32_t GetSize(const Text& path) const;
  // Like GetSize for objects only; with `fill`, appends the members' names to `names`.
  std::int32_t GetKeys(const Text& path, std::vector<Text>& names, bool fill) const;
  // The kind at `path`, the outer container's for an empty path, kJsonNull when nothing is there.
  std::int32_t GetKind(const Text& path) const;
  // "a.b[2].c" -> a, b, [2], c. Empties `parts` first; answers the number of parts.
  static std::int32_t SplitPath(const Text& path, std::vector<Text>& parts);

  // Breadth first: the outer members in document order, then generation by generation.
  const std::vector<JsonItem>& Items() const { return items_; }

 private:
  const JsonItem* Find(const Text& path) const;
  std::int32_t CountMembers(const JsonItem& item, std::vector<Text>* names) const;

  Text text_;
  std::vector<JsonItem> items_;
  std::int32_t rootKind_ = 0;
  std::int32_t rootSize_ = 0;
};
