#pragma once
// The two pieces of script semantics the unescaping of string values is defined by: the body of
// a single-quoted ECMAScript 3 string literal and the language's global unescape() (Annex B).
#include <string>

namespace json {

// Resolves the backslash escapes of `body` into `out`. False when `body` cannot stand between
// two apostrophes: a raw apostrophe or line terminator, a malformed \x or \u, a backslash before
// a digit other than a lone \0, or a backslash that escapes the closing apostrophe.
bool ResolveSingleQuotedLiteral(const std::u16string& body, std::u16string& out);

// "%uXXXX" becomes that code unit, "%XX" the unit 00XX; any other "%" stays.
std::u16string ScriptUnescape(const std::u16string& text);

}  // namespace json
