#include "json/json_scan.h"

namespace json {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `word` is lower case; letters of `text` are compared without regard to case.
bool StartsWithWord(std::string_view text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t j = 0; j < word.size(); ++j) {
    if ((text[at + j] | 0x20) != word[j]) return false;
  }
  return true;
}

}  // namespace

std::int32_t ScanContainer(std::string_view source, MemberSink& sink) {
  if (source.empty() || (source[0] != '[' && source[0] != '{')) return 0;
  if (source.size() < 3) return 0;
  const bool inArray = source[0] == '[';
  const std::size_t n = source.size();

  std::int32_t index = 0;
  std::int32_t found = 0;
  std::string_view key;
  bool keyPending = false;
  bool stopped = false;

  auto emit = [&](std::int32_t kind, std::size_t start, std::size_t length) {
    ScannedMember member{kind, inArray ? std::string_view() : key, inArray ? index++ : -1, start, length};
    ++found;
    if (!sink.Take(member)) stopped = true;
  };

  // The opening bracket itself is never looked at.
  std::size_t i = 1;
  while (i < n && !stopped) {
    const char c = source[i];
    if (!inArray && !keyPending) {
      // A key runs to the next quote whatever precedes it; nothing else counts before a key.
      if (c == '"') {
        std::size_t end = source.find('"', i + 1);
        if (end != std::string_view::npos) {
          key = source.substr(i + 1, end - i - 1);
          keyPending = true;
          i = end + 1;
          continue;
        }
      }
      ++i;
      continue;
    }

    if (c == '{' || c == '[') {
      // A value container is stepped over counting only its own pair of brackets, so a closing
      // bracket inside one of its strings ends it early.
      const char open = c;
      const char close = c == '[' ? ']' : '}';
      const std::size_t start = i;
      std::size_t depth = 1;
      for (++i; i < n; ++i) {
        if (source[i] == open) {
          ++depth;
        } else if (source[i] == close && --depth == 0) {
          break;
        }
      }
      if (i == n) break;  // never closed: nothing after it can count
      keyPending = false;
      emit(open == '[' ? 2 : 1, start, i - start + 1);
      ++i;
      continue;
    }
    if (c == '"') {
      // No escape is recognised: a string ends at the next quote.
      std::size_t end = source.find('"', i + 1);
      keyPending = false;
      if (end == std::string_view::npos) {
        ++i;
        continue;
      }
      emit(3, i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    if (c == '-' || IsDigit(c)) {
      // Digits with at most one dot; no exponent, so 1e5 is the number 1.
      std::size_t end = i + 1;
      bool dot = false;
      while (end < n && (IsDigit(source[end]) || (source[end] == '.' && !dot))) {
        if (source[end] == '.') dot = true;
        ++end;
      }
      keyPending = false;
      emit(4, i, end - i);
      i = end;
      continue;
    }
    // The character right after a literal is never examined.
    if (StartsWithWord(source, i, "true")) {
      keyPending = false;
      emit(5, i, 4);
      i += 5;
      continue;
    }
    if (StartsWithWord(source, i, "false")) {
      keyPending = false;
      emit(5, i, 5);
      i += 6;
      continue;
    }
    if (StartsWithWord(source, i, "null")) {
      keyPending = false;
      emit(6, i, 4);
      i += 5;
      continue;
    }
    ++i;  // whitespace, ':' and ',' mean nothing of their own
  }
  return stopped ? -1 : found;
}

}  // namespace json
