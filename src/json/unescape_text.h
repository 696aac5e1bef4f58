#pragma once
// Escapes of a string value as the platform writes them (\uXXXX, %XX, \n and the like) decoded
// into GBK text for showing.
#include "base/text.h"

// Empty text when the value cannot be a single-quoted script string once its CR LF pairs and
// apostrophes are set aside (a lone line break, an odd backslash at its end, a malformed \x, a
// backslash before a digit). A decoded NUL ends the text.
Text UnescapeText(const Text& value);
