#pragma once
// What the Linux side of the platform records in place of Windows-only effects, for tests.
#include <vector>

#include "base/text.h"
#include "platform/dialogs.h"

namespace platform::recorded {

struct Box {
  Text text;
  Text caption;
  BoxIcon icon;
  BoxButtons buttons;
};

// Message boxes shown so far, oldest first; each is also written to stderr in UTF-8.
std::vector<Box> Boxes();
// The answer given to every following Yes/No box (Ok boxes always answer Ok).
void AnswerBoxesWith(BoxAnswer answer);
// Pages handed to the browser so far.
std::vector<Text> OpenedPages();
// Forgets boxes, pages and every registry value.
void Reset();

}  // namespace platform::recorded
