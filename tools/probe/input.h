// Clicks and keys delivered the way a person's would arrive.
#pragma once

#include <windows.h>

#include <string>

namespace probe {

enum class Method {
  Input,   // real input through the system's queue (SetCursorPos + SendInput)
  Posted,  // mouse and key messages posted to the control
};

// Raises the window and waits until it is the foreground; false if it never became so.
bool bring_to_front(HWND top);

// A left click at point, given in target's client coordinates.
void click(HWND top, HWND target, POINT point, Method method);

enum class Typed { Done, NotInFront, NoFocus };

// Types the UTF-16 units of text into the focused control of top's thread.
Typed type_text(HWND top, const std::wstring& text, Method method);

// One key press (down and up) to the focused control; vk is a virtual-key code.
Typed press_key(HWND top, WORD vk, Method method);

}  // namespace probe
