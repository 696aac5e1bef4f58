#include "lookup.h"

namespace probe {

namespace {
constexpr UINT kSendTimeoutMs = 3000;

BOOL CALLBACK collect(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}
}  // namespace

bool CaptionMatch::matches(const std::wstring& text) const {
  if (prefix) return text.compare(0, caption.size(), caption) == 0;
  return text == caption;
}

std::vector<HWND> top_level_windows() {
  std::vector<HWND> list;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&list));
  return list;
}

HWND find_top(const CaptionMatch& match, bool any_visibility) {
  HWND hidden = nullptr;
  for (HWND hwnd : top_level_windows()) {
    if (!match.matches(caption_of(hwnd))) continue;
    if (IsWindowVisible(hwnd)) return hwnd;
    if (!hidden) hidden = hwnd;
  }
  return any_visibility ? hidden : nullptr;
}

std::wstring caption_of(HWND hwnd) {
  // For another process's window this reads the stored caption without a message.
  wchar_t buffer[1024];
  int n = GetWindowTextW(hwnd, buffer, 1024);
  return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring class_of(HWND hwnd) {
  wchar_t buffer[256];
  int n = GetClassNameW(hwnd, buffer, 256);
  return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring text_of(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length))
    return caption_of(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
    return caption_of(hwnd);
  text.resize(copied < text.size() ? static_cast<size_t>(copied) : text.size() - 1);
  return text;
}

HWND deepest_at(HWND top, POINT& point) {
  RECT client;
  GetClientRect(top, &client);
  if (!PtInRect(&client, point)) return nullptr;
  HWND current = top;
  for (;;) {
    HWND child = ChildWindowFromPointEx(current, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == current) return current;
    MapWindowPoints(current, child, &point, 1);
    current = child;
  }
}

bool enabled_through(HWND hwnd, HWND top) {
  for (HWND w = hwnd; w; w = GetParent(w)) {
    if (!IsWindowEnabled(w)) return false;
    if (w == top) break;
  }
  return true;
}

HWND focus_of(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(top, nullptr);
  if (!GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

void settle(HWND top) {
  for (int round = 0; round < 3; ++round) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    Sleep(15);
  }
}

}  // namespace probe
