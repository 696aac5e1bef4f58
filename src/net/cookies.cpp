#include "net/cookies.h"

#include <algorithm>
#include <vector>

#include "net/http_headers.h"

namespace {

Text WithoutBlanks(const Text& text) {
  Text out;
  for (char c : text) {
    if (c != ' ' && c != '\t') out.push_back(c);
  }
  return out;
}

// Pieces between separators; empty pieces are dropped.
std::vector<Text> Split(const Text& text, const Text& separator) {
  std::vector<Text> pieces;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find(separator, pos);
    if (end == Text::npos) end = text.size();
    if (end > pos) pieces.push_back(text.substr(pos, end - pos));
    pos = end + separator.size();
  }
  return pieces;
}

Text NameOf(const Text& piece) { return TrimBlanks(piece.substr(0, piece.find('='))); }

bool EndsWith(const Text& text, const Text& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

void MergeCookies(Text& cookieText, Text& replyCookies) {
  cookieText = WithoutBlanks(cookieText);
  replyCookies = WithoutBlanks(replyCookies);
  // A reply that sets one cookie twice means its later value, as a browser takes it.
  std::vector<Text> merged;
  for (const Text& piece : Split(replyCookies, ";")) {
    auto same = std::find_if(merged.begin(), merged.end(), [&](const Text& p) { return NameOf(p) == NameOf(piece); });
    if (same == merged.end()) {
      merged.push_back(piece);
    } else {
      *same = piece;
    }
  }
  for (const Text& old : Split(cookieText, ";")) {
    Text name = NameOf(old);
    bool set = std::any_of(merged.begin(), merged.end(), [&](const Text& piece) { return NameOf(piece) == name; });
    if (!set) merged.push_back(old);
  }
  Text joined;
  for (const Text& piece : merged) {
    if (!EndsWith(piece, "=deleted")) joined += piece + "; ";
  }
  if (joined.size() >= 2) joined.erase(joined.size() - 2);

  std::vector<Text> distinct;
  for (const Text& piece : Split(joined, "; ")) {
    if (std::find(distinct.begin(), distinct.end(), piece) == distinct.end()) distinct.push_back(piece);
  }
  cookieText.clear();
  for (std::size_t i = 0; i < distinct.size(); ++i) cookieText += (i ? "; " : "") + distinct[i];
}
