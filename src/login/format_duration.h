#pragma once
#include "base/text.h"

// Seconds as hours, minutes and seconds: 3725 gives 1时2分5秒. Hours are not wrapped.
Text FormatDuration(const Text& seconds);
// The decimal number written at the start of a text (0 when it starts with none).
double LeadingNumber(const Text& text);
// A number in its shortest decimal form: no decimal point for whole numbers.
Text ShortestDecimal(double value);
