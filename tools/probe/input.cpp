#include "input.h"

#include "lookup.h"

namespace probe {

namespace {

void send_inputs(INPUT* inputs, UINT count) { SendInput(count, inputs, sizeof(INPUT)); }

INPUT key_input(WORD vk, WORD scan, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  return in;
}

LPARAM key_lparam(WORD vk, bool up) {
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) & 0xFF);
  LPARAM lp = 1 | (scan << 16);
  if (up) lp |= (1L << 30) | (1L << 31);
  return lp;
}

}  // namespace

bool bring_to_front(HWND top) {
  if (IsIconic(top)) ShowWindow(top, SW_RESTORE);
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (GetForegroundWindow() == top) return true;
    SetForegroundWindow(top);
    BringWindowToTop(top);
    settle(top);
  }
  return GetForegroundWindow() == top;
}

void click(HWND top, HWND target, POINT point, Method method) {
  bring_to_front(top);
  if (method == Method::Input) {
    POINT screen = point;
    ClientToScreen(target, &screen);
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send_inputs(inputs, 2);
  } else {
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(target, WM_MOUSEMOVE, 0, at);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(target, WM_LBUTTONUP, 0, at);
  }
  settle(top);
}

namespace {

// Keys go to the foreground, and under Wine a thread in the background reports no focus
// at all, so the window comes to the front before the focus is looked at.
Typed ready_for_keys(HWND top, HWND& focus) {
  if (!bring_to_front(top)) return Typed::NotInFront;
  focus = focus_of(top);
  return focus ? Typed::Done : Typed::NoFocus;
}

}  // namespace

Typed type_text(HWND top, const std::wstring& text, Method method) {
  HWND focus = nullptr;
  Typed ready = ready_for_keys(top, focus);
  if (ready != Typed::Done) return ready;
  if (method == Method::Input) {
    for (wchar_t unit : text) {
      INPUT inputs[2] = {key_input(0, unit, KEYEVENTF_UNICODE),
                         key_input(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
      send_inputs(inputs, 2);
    }
    settle(top);
    return Typed::Done;
  }
  for (wchar_t unit : text) {
    // Asked again for every character: typing may move the focus, and a person's next
    // key goes where the focus went.
    focus = focus_of(top);
    if (!focus) return Typed::NoFocus;
    PostMessageW(focus, WM_CHAR, unit, 1);
    settle(top);
  }
  return Typed::Done;
}

Typed press_key(HWND top, WORD vk, Method method) {
  HWND focus = nullptr;
  Typed ready = ready_for_keys(top, focus);
  if (ready != Typed::Done) return ready;
  if (method == Method::Input) {
    WORD scan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    INPUT inputs[2] = {key_input(vk, scan, 0), key_input(vk, scan, KEYEVENTF_KEYUP)};
    send_inputs(inputs, 2);
  } else {
    // The target's own TranslateMessage turns the key-down into the character, as usual.
    PostMessageW(focus, WM_KEYDOWN, vk, key_lparam(vk, false));
    PostMessageW(focus, WM_KEYUP, vk, key_lparam(vk, true));
  }
  settle(top);
  return Typed::Done;
}

}  // namespace probe
