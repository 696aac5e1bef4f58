#pragma once
// Message boxes: no owner window, task-modal.
#include "base/text.h"

namespace platform {

enum class BoxIcon { None, Error, Information, Question };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

// Without a caption the box is titled "信息：".
BoxAnswer ShowMessageBox(const Text& text, const Text& caption = Text(), BoxIcon icon = BoxIcon::None,
                         BoxButtons buttons = BoxButtons::Ok);

}  // namespace platform
