// Finding the target's windows and reading them from outside, as another process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace probe {

struct CaptionMatch {
  std::wstring caption;
  bool prefix = false;
  bool matches(const std::wstring& text) const;
};

// Top-level windows in EnumWindows order.
std::vector<HWND> top_level_windows();

// The first visible top-level window with the caption; with any_visibility a hidden one
// is accepted when no visible one matches.
HWND find_top(const CaptionMatch& match, bool any_visibility = false);

std::wstring caption_of(HWND hwnd);
std::wstring class_of(HWND hwnd);
// The control's text as its window procedure reports it (WM_GETTEXT), bounded in time.
std::wstring text_of(HWND hwnd);

// The deepest visible window under a point given in top's client coordinates; point is
// rewritten to that window's client coordinates. Null when the point is off the client.
HWND deepest_at(HWND top, POINT& point);

// Enabled itself and through every ancestor up to and including top.
bool enabled_through(HWND hwnd, HWND top);

// The window that has the keyboard focus in top's thread.
HWND focus_of(HWND top);

// Lets the target's thread catch up with what was queued for it: it answers a sent
// message only between the messages it dispatches, so a few spaced round trips leave
// it time to work through the queue before the probe reads or exits.
void settle(HWND top);

}  // namespace probe
