// The JSON reader on replies of 1 KiB to 1 MiB, flat and nested, and on hostile nesting.
#include <benchmark/benchmark.h>

#include <string>

#include "json/json_reader.h"
#include "json/unescape_text.h"

namespace {

Text Repeat(const Text& piece, std::size_t times) {
  Text out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// Members like a profile reply's, about 40 bytes each.
Text Members(std::size_t bytes, std::size_t& serial) {
  Text out;
  while (out.size() < bytes) {
    std::size_t n = serial++;
    if (!out.empty()) out += ',';
    switch (n % 3) {
      case 0: out += "\"name" + std::to_string(n) + "\":\"\\u5f20\\u4e09 player\""; break;
      case 1: out += "\"score" + std::to_string(n) + "\":" + std::to_string(n * 7919 % 100000); break;
      default: out += "\"flag" + std::to_string(n) + "\":true"; break;
    }
  }
  return out;
}

// `depth` levels of objects, each with its share of members and the next level under "child".
Text Reply(std::size_t bytes, std::size_t depth) {
  std::size_t serial = 0;
  Text open, close;
  for (std::size_t level = 0; level < depth; ++level) {
    open += "{" + Members(bytes / depth, serial) + (level + 1 < depth ? ",\"child\":" : "");
    close += "}";
  }
  return open + close;
}

void RunParse(benchmark::State& state, const Text& reply, bool expected) {
  std::size_t items = 0;
  for (auto _ : state) {
    JsonReader reader;
    bool parsed = reader.Parse(reply);
    if (parsed != expected) state.SkipWithError("unexpected parse result");
    items = reader.Items().size();
    benchmark::DoNotOptimize(items);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.size()));
  state.counters["items"] = static_cast<double>(items);
  state.counters["bytes"] = static_cast<double>(reply.size());
}

void BM_Parse(benchmark::State& state) {
  Text reply = Reply(static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  RunParse(state, reply, true);
}
BENCHMARK(BM_Parse)
    ->ArgNames({"bytes", "depth"})
    ->ArgsProduct({{1 << 10, 64 << 10, 1 << 20}, {1, 8, 64}})
    ->Unit(benchmark::kMicrosecond);

// Arrays nested all the way through the reply: a million levels in 1 MiB.
void BM_HostileNestedArrays(benchmark::State& state) {
  std::size_t levels = static_cast<std::size_t>(state.range(0)) / 2;
  RunParse(state, Repeat("[", levels) + Repeat("]", levels), true);
}
BENCHMARK(BM_HostileNestedArrays)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

// Objects nested all the way through, five bytes a level.
void BM_HostileNestedObjects(benchmark::State& state) {
  std::size_t levels = static_cast<std::size_t>(state.range(0)) / 6;
  RunParse(state, Repeat("{\"a\":", levels) + "1" + Repeat("}", levels), true);
}
BENCHMARK(BM_HostileNestedObjects)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

// A key of half the reply over an array of the other half: its elements' paths would need
// size²/4 bytes, so the reader gives up at its path budget.
void BM_HostileLongKey(benchmark::State& state) {
  std::size_t half = static_cast<std::size_t>(state.range(0)) / 2;
  bool fits = half * half + half <= JsonReader::kMaxPathBytes;
  RunParse(state, "{\"" + Text(half, 'k') + "\":[" + Repeat("-", half) + "]}", fits);
}
BENCHMARK(BM_HostileLongKey)->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

void BM_GetValue(benchmark::State& state) {
  JsonReader reader;
  reader.Parse(Reply(64 << 10, 8));
  const Text path = reader.Items().back().path;
  for (auto _ : state) {
    std::int32_t kind = 0;
    benchmark::DoNotOptimize(reader.GetValue(path, &kind));
  }
}
BENCHMARK(BM_GetValue)->Unit(benchmark::kMicrosecond);

void BM_UnescapeText(benchmark::State& state) {
  Text value = Repeat(R"(\u5f20\u4e09 it's 100%25\n)", static_cast<std::size_t>(state.range(0)) / 25);
  for (auto _ : state) benchmark::DoNotOptimize(UnescapeText(value));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * value.size()));
}
BENCHMARK(BM_UnescapeText)->Arg(64)->Arg(64 << 10)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
