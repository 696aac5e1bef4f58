#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "json/json_reader.h"

namespace {

using Names = std::vector<Text>;

// Every item as "path=kind:value", in the reader's order.
Names Dump(const JsonReader& reader) {
  Names out;
  for (const JsonItem& item : reader.Items()) {
    Text value = reader.GetText().substr(static_cast<std::size_t>(item.start) - 1, static_cast<std::size_t>(item.length));
    out.push_back(item.path + "=" + std::to_string(item.kind) + ":" + value);
  }
  return out;
}

Names ParseAndDump(const Text& document) {
  JsonReader reader;
  EXPECT_TRUE(reader.Parse(document)) << document;
  return Dump(reader);
}

Text Repeat(const Text& piece, std::size_t times) {
  Text out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

Text IndexPath(std::size_t depth) { return Repeat("[0]", depth); }

TEST(JsonReaderParse, ItemsBreadthFirstWithFullPaths) {
  struct Case {
    const char* document;
    Names items;
  } cases[] = {
      {R"({"user":{"name":"x","tags":["a","b"]},"n":5})",
       {R"(user=1:{"name":"x","tags":["a","b"]})", "n=4:5", "user.name=3:x", R"(user.tags=2:["a","b"])",
        "user.tags[0]=3:a", "user.tags[1]=3:b"}},
      {"[1,2]", {"[0]=4:1", "[1]=4:2"}},
      {R"({"a":1.5,"b":{"c":2}})", {"a=4:1.5", R"(b=1:{"c":2})", "b.c=4:2"}},
      {R"({"a":{"x":{"deep":1}},"b":[{"y":2}],"c":3})",
       {R"(a=1:{"x":{"deep":1}})", R"(b=2:[{"y":2}])", "c=4:3", R"(a.x=1:{"deep":1})", R"(b[0]=1:{"y":2})",
        "a.x.deep=4:1", "b[0].y=4:2"}},
      {R"([[1,[2]],{"k":[3]}])",
       {"[0]=2:[1,[2]]", R"([1]=1:{"k":[3]})", "[0][0]=4:1", "[0][1]=2:[2]", "[1].k=2:[3]", "[0][1][0]=4:2",
        "[1].k[0]=4:3"}},
      // Wrapped in a call: only the brackets count.
      {R"(cb({"ip":"1.2.3.4"});)", {"ip=3:1.2.3.4"}},
      // The first "[" comes first, so the outer container is an array up to the last "]".
      {R"(x[1]{"a":2})", {"[0]=4:1"}},
      {R"(<p>{"a":[1]}</p>)", {"a=2:[1]", "a[0]=4:1"}},
      // Separators mean nothing, and their absence goes unnoticed.
      {R"({"a"1"b""s"})", {"a=4:1", "b=3:s"}},
      {"[1 2\t3\n4]", {"[0]=4:1", "[1]=4:2", "[2]=4:3", "[3]=4:4"}},
      // Repeated keys stay repeated items.
      {R"({"a":1,"a":2})", {"a=4:1", "a=4:2"}},
      // Bytes of GBK text are taken as they come.
      {R"({"名字":"张三","列表":["中"]})", {"名字=3:张三", R"(列表=2:["中"])", "列表[0]=3:中"}},
      {R"({"":1,"sp ace":2})", {"=4:1", "sp ace=4:2"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseAndDump(c.document), c.items) << c.document;
}

TEST(JsonReaderParse, TolerantScannerQuirks) {
  struct Case {
    const char* what;
    const char* document;
    Names items;
  } cases[] = {
      {"string ends at an escaped quote, rest read as keys", R"({"s":"a\"b","c":1})", {R"(s=3:a\)"}},
      {"key ends at the next quote", R"({"a\"b":1,"c":2})", {R"(a\=3::1,)"}},
      {"exponent is not part of a number", "[1e5]", {"[0]=4:1", "[1]=4:5"}},
      {"plus sign is no number", "[+7]", {"[0]=4:7"}},
      {"second dot ends a number", "[1.2.3]", {"[0]=4:1.2", "[1]=4:3"}},
      {"lone minus, leading dot, leading zeros", "[-,-.5,007]", {"[0]=4:-", "[1]=4:-.5", "[2]=4:007"}},
      {"minus ends at the next minus", "[--1]", {"[0]=4:-", "[1]=4:-1"}},
      {"literals ignore case and keep it", "[TRUE,False,nULL]", {"[0]=5:TRUE", "[1]=5:False", "[2]=6:nULL"}},
      {"upper-case literal in an object", R"({"a":TRUE})", {"a=5:TRUE"}},
      {"character after a literal never examined", "[true1,null2,false3,4]", {"[0]=5:true", "[1]=6:null", "[2]=5:false", "[3]=4:4"}},
      {"literal glued to the next one", "[truefalse]", {"[0]=5:true"}},
      {"unknown words skipped", "[nul,yes,1]", {"[0]=4:1"}},
      {"closing brace inside a string ends a stepped-over object", R"({"a":{"s":"}"},"b":1})", {R"(a=1:{"s":"})"}},
      {"closing bracket inside a string ends a stepped-over array", R"([["]"],5])", {R"([0]=2:["])", "[1]=4:5"}},
      {"only the opening pair is counted", R"([{"a":[}],1])", {R"([0]=1:{"a":[})", "[1]=4:1"}},
      {"nested same-kind brackets are counted", R"([[[1]],[2]])", {"[0]=2:[[1]]", "[1]=2:[2]", "[0][0]=2:[1]", "[1][0]=4:2", "[0][0][0]=4:1"}},
      {"a value takes the key even after a stray character", R"({"a":,"b":1})", {"a=3:b"}},
      {"a closing brace does not end a pending key", R"({"a":}"b"})", {"a=3:b"}},
      {"values before any key are skipped", R"({1,"k":2})", {"k=4:2"}},
      {"unterminated string ends the useful part", R"(["a",1,"b])", {"[0]=3:a", "[1]=4:1"}},
      {"unterminated inner container yields nothing", R"({"a":[1,2})", {}},
  };
  for (const Case& c : cases) {
    JsonReader reader;
    reader.Parse(c.document);
    EXPECT_EQ(Dump(reader), c.items) << c.what;
  }
}

TEST(JsonReaderParse, StartsAndLengthsCountBytesOfTheText) {
  JsonReader reader;
  ASSERT_TRUE(reader.Parse(R"(xx{"名":"ab","o":[1,true]})"));
  EXPECT_EQ(reader.GetText(), R"({"名":"ab","o":[1,true]})");
  struct Expected {
    Text path;
    std::int32_t start, length;
  } expected[] = {{"名", 8, 2}, {"o", 16, 8}, {"o[0]", 17, 1}, {"o[1]", 19, 4}};
  ASSERT_EQ(reader.Items().size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(reader.Items()[i].path, expected[i].path);
    EXPECT_EQ(reader.Items()[i].start, expected[i].start) << expected[i].path;
    EXPECT_EQ(reader.Items()[i].length, expected[i].length) << expected[i].path;
  }
}

TEST(JsonReaderParse, DocumentsWithoutValuesLeaveTheReaderEmpty) {
  const char* documents[] = {"", "plain text", "{}", "[]", "{ }", "[ , , ]", "}{", "]x[", R"({"a":})",
                             R"({"a")", "[", "{\"a\":1", R"({"k"})", "[tru]"};
  for (const char* document : documents) {
    JsonReader reader;
    EXPECT_FALSE(reader.Parse(document)) << document;
    EXPECT_TRUE(reader.Items().empty()) << document;
    EXPECT_EQ(reader.GetText(), "") << document;
    EXPECT_EQ(reader.GetKind(""), kJsonNull) << document;
    EXPECT_EQ(reader.GetSize(""), 0) << document;
  }
}

TEST(JsonReaderParse, ParseAndClearReplaceEverything) {
  JsonReader reader;
  ASSERT_TRUE(reader.Parse(R"({"a":1})"));
  ASSERT_TRUE(reader.Parse("[7]"));
  EXPECT_EQ(reader.GetValue("a"), "");
  EXPECT_EQ(reader.GetValue("[0]"), "7");
  EXPECT_EQ(reader.GetKind(""), kJsonArray);

  EXPECT_FALSE(reader.Parse("{}"));
  EXPECT_EQ(reader.GetValue("[0]"), "");
  EXPECT_EQ(reader.GetText(), "");

  ASSERT_TRUE(reader.Parse(R"({"a":1})"));
  reader.Clear();
  EXPECT_TRUE(reader.Items().empty());
  EXPECT_EQ(reader.GetText(), "");
  EXPECT_EQ(reader.GetKind(""), kJsonNull);
  std::int32_t kind = 0;
  EXPECT_EQ(reader.GetValue("a", &kind), "");
  EXPECT_EQ(kind, 0);
}

TEST(JsonReaderLookups, GetValueTakesTheFirstWholePathMatch) {
  JsonReader reader;
  ASSERT_TRUE(reader.Parse(R"({"a":{"b":1},"a.b":2,"d":"x","d":"y","s":"\u4e2d","n":null,"o":{"p":[1,2]}})"));
  struct Case {
    Text path;
    Text value;
    std::int32_t kind;
  } cases[] = {
      {"a.b", "2", kJsonNumber},  // the top-level key written with a dot comes first
      {"d", "x", kJsonString},
      {"s", R"(\u4e2d)", kJsonString},  // escapes as written
      {"n", "null", kJsonNull},
      {"o", R"({"p":[1,2]})", kJsonObject},
      {"o.p", "[1,2]", kJsonArray},
      {"o.p[1]", "2", kJsonNumber},
  };
  for (const Case& c : cases) {
    std::int32_t kind = 0;
    EXPECT_EQ(reader.GetValue(c.path, &kind), c.value) << c.path;
    EXPECT_EQ(kind, c.kind) << c.path;
  }
  // Not walked, not case-folded, not trimmed: a miss leaves the kind as the caller set it.
  for (const Text path : {"", "A", "o.p.[1]", "o.p[01]", "o .p", "o.p[2]", "a.b.c", "[0]"}) {
    std::int32_t kind = -7;
    EXPECT_EQ(reader.GetValue(path, &kind), "") << path;
    EXPECT_EQ(kind, -7) << path;
  }
}

TEST(JsonReaderLookups, SizesKeysAndKinds) {
  JsonReader reader;
  ASSERT_TRUE(reader.Parse(R"({"a":{"x":1,"y":[1,2,3],"x":{}},"b":"s","e":{},"f":[]})"));
  struct Case {
    Text path;
    std::int32_t size, keys, kind;
    Names names;
  } cases[] = {
      {"", 4, 4, kJsonObject, {"a", "b", "e", "f"}},
      {"a", 3, 3, kJsonObject, {"x", "y", "x"}},
      {"a.y", 3, 0, kJsonArray, {}},
      {"a.x", 0, 0, kJsonNumber, {}},
      {"b", 0, 0, kJsonString, {}},
      {"e", 0, 0, kJsonObject, {}},
      {"f", 0, 0, kJsonArray, {}},
      {"missing", 0, 0, kJsonNull, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(reader.GetSize(c.path), c.size) << c.path;
    EXPECT_EQ(reader.GetKind(c.path), c.kind) << c.path;
    Names names = {"kept"};
    EXPECT_EQ(reader.GetKeys(c.path, names, true), c.keys) << c.path;
    Names expected = {"kept"};
    expected.insert(expected.end(), c.names.begin(), c.names.end());
    EXPECT_EQ(names, expected) << c.path;
    Names untouched;
    EXPECT_EQ(reader.GetKeys(c.path, untouched, false), c.keys) << c.path;
    EXPECT_TRUE(untouched.empty()) << c.path;
  }

  // An outer array names its members by index; its keys are those names.
  ASSERT_TRUE(reader.Parse(R"([1,{"k":2}])"));
  EXPECT_EQ(reader.GetKind(""), kJsonArray);
  EXPECT_EQ(reader.GetSize(""), 2);
  Names names;
  EXPECT_EQ(reader.GetKeys("", names, true), 2);
  EXPECT_EQ(names, (Names{"[0]", "[1]"}));
  EXPECT_EQ(reader.GetSize("[1]"), 1);

  JsonReader empty;
  Names none;
  EXPECT_EQ(empty.GetSize(""), 0);
  EXPECT_EQ(empty.GetKeys("", none, true), 0);
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(empty.GetKind(""), kJsonNull);
  EXPECT_EQ(empty.GetText(), "");
}

TEST(JsonReaderLookups, SizeOfAContainerCountsWhatAFreshScanFinds) {
  // The scan inside "a" sees the brace in the string and ends "a" there; a fresh scan of what
  // is left still finds the one member it has.
  JsonReader reader;
  ASSERT_TRUE(reader.Parse(R"({"a":{"k":1,"s":"}","t":2},"b":1})"));
  EXPECT_EQ(reader.GetValue("a"), R"({"k":1,"s":"})");
  EXPECT_EQ(reader.GetSize("a"), 1);
}

TEST(JsonReaderSplitPath, Parts) {
  struct Case {
    Text path;
    Names parts;
  } cases[] = {
      {"a.b[2].c", {"a", "b", "[2]", "c"}},
      {"", {}},
      {"..a..", {"a"}},
      {"[0][1]", {"[0]", "[1]"}},
      {"a[x.y]b", {"a", "[x.y]", "b"}},
      {"a[1", {"a", "[1"}},
      {"用户.名字", {"用户", "名字"}},
  };
  for (const Case& c : cases) {
    Names parts = {"old"};
    EXPECT_EQ(JsonReader::SplitPath(c.path, parts), static_cast<std::int32_t>(c.parts.size())) << c.path;
    EXPECT_EQ(parts, c.parts) << c.path;
  }
}

TEST(JsonReaderHostile, ExpansionStopsBelowTheDepthLimit) {
  constexpr std::size_t kLimit = JsonReader::kMaxDepth;
  struct Case {
    std::size_t levels;  // brackets around the innermost number, the outer one included
  } cases[] = {{kLimit - 1}, {kLimit}, {kLimit + 1}, {1u << 19}};  // the last is a 1 MiB reply
  for (const Case& c : cases) {
    JsonReader reader;
    ASSERT_TRUE(reader.Parse(Repeat("[", c.levels) + "1" + Repeat("]", c.levels))) << c.levels;
    std::size_t deepest = std::min(c.levels, kLimit);
    EXPECT_EQ(reader.Items().size(), deepest) << c.levels;
    EXPECT_EQ(reader.Items().back().path, IndexPath(deepest)) << c.levels;
    if (c.levels <= kLimit) {
      EXPECT_EQ(reader.GetValue(IndexPath(c.levels)), "1") << c.levels;
    } else {
      // The last expanded container is an item of its own and still answers for its members.
      EXPECT_EQ(reader.GetKind(IndexPath(kLimit)), kJsonArray) << c.levels;
      EXPECT_EQ(reader.GetSize(IndexPath(kLimit)), 1) << c.levels;
      EXPECT_EQ(reader.GetKind(IndexPath(kLimit + 1)), kJsonNull) << c.levels;
    }
  }

  // Objects likewise, a hundred thousand levels deep.
  const std::size_t levels = 1u << 17;
  JsonReader reader;
  ASSERT_TRUE(reader.Parse(Repeat(R"({"a":)", levels) + "1" + Repeat("}", levels)));
  ASSERT_EQ(reader.Items().size(), kLimit);
  Text deepest = "a" + Repeat(".a", kLimit - 1);
  EXPECT_EQ(reader.Items().back().path, deepest);
  EXPECT_EQ(reader.GetKind(deepest), kJsonObject);
  Names keys;
  EXPECT_EQ(reader.GetKeys(deepest, keys, true), 1);
  EXPECT_EQ(keys, Names{"a"});
}

TEST(JsonReaderHostile, PathTextIsBoundedAsAWhole) {
  // The outer key, then 63 elements under it: 64 long paths plus 10 "[i]" and 53 "[ii]".
  constexpr std::size_t kKey = 1048000;
  constexpr std::size_t kBrackets = 10 * 3 + 53 * 4;
  constexpr std::size_t kPad = JsonReader::kMaxPathBytes - 64 * kKey - kBrackets;
  auto document = [&](std::size_t pad) {
    return "{\"" + Text(pad, 'p') + "\":0,\"" + Text(kKey, 'k') + "\":[" + Repeat("1,", 63) + "]}";
  };
  JsonReader reader;
  EXPECT_TRUE(reader.Parse(document(kPad)));
  EXPECT_EQ(reader.Items().size(), 65u);
  EXPECT_FALSE(reader.Parse(document(kPad + 1)));
  EXPECT_TRUE(reader.Items().empty());
  EXPECT_EQ(reader.GetKind(""), kJsonNull);

  // A 1 MiB reply whose half-million elements would each repeat a half-megabyte key.
  EXPECT_FALSE(reader.Parse("{\"" + Text(1u << 19, 'k') + "\":[" + Repeat("-", 1u << 19) + "]}"));
  EXPECT_TRUE(reader.Items().empty());
  EXPECT_EQ(reader.GetText(), "");
}

TEST(JsonReaderHostile, WideRepliesKeepEveryItem) {
  // A hundred thousand members at the top and half as many one level down.
  JsonReader reader;
  ASSERT_TRUE(reader.Parse("[" + Repeat("-", 1u << 17) + "[" + Repeat("1,", 1u << 16) + "]]"));
  EXPECT_EQ(reader.GetSize(""), (1 << 17) + 1);
  EXPECT_EQ(reader.GetSize("[131072]"), 1 << 16);
  EXPECT_EQ(reader.Items().size(), (1u << 17) + 1 + (1u << 16));
  EXPECT_EQ(reader.GetValue("[131072][65535]"), "1");
}

}  // namespace
