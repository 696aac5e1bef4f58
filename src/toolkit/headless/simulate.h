#pragma once
// Test helpers of the headless toolkit: what a person would do, and a test clock for timers.
#include "toolkit/controls.h"

namespace toolkit::headless {

// A left click: buttons and image buttons fire their click, check boxes toggle, link labels
// see the mouse press, edit boxes take the focus. Disabled, hidden or destroyed controls ignore it.
void Click(Control& control);
// Moves the keyboard focus to `control` (the previous holder loses it first).
void Focus(Control& control);
// Focuses the box and types each character of `text` (GBK): the character event first, then
// the box takes the character in.
void Type(Edit& edit, const Text& text);
// Pastes `text` at the end of the box: the text changes, no character event.
void Paste(Edit& edit, const Text& text);
// The close button of a window.
void RequestClose(Window& window);

// The test clock: advances it and runs due timers and posted work in order.
void Advance(int milliseconds);
// Runs posted work only.
void RunPosted();
int Now();

}  // namespace toolkit::headless
