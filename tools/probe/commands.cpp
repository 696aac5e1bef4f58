#include "commands.h"

#include <windows.h>

#include <cwchar>

#include "lookup.h"
#include "output.h"

namespace probe {

namespace {

constexpr DWORD kPollMs = 50;
constexpr int kMessageBoxTextId = 0xFFFF;

int fail(int code, const std::wstring& message) {
  err_line(L"varkon-probe: " + message);
  return code;
}

CaptionMatch match_of(const Args& args) { return CaptionMatch{args.positional[0], args.prefix}; }

bool parse_int(const std::wstring& text, long& value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  value = std::wcstol(text.c_str(), &end, 10);
  return *end == L'\0';
}

// Calls check until it holds or the time runs out.
template <typename Check>
bool poll(unsigned timeout_ms, Check check) {
  DWORD start = GetTickCount();
  for (;;) {
    if (check()) return true;
    if (GetTickCount() - start >= timeout_ms) return false;
    Sleep(kPollMs);
  }
}

std::wstring rect_text(const RECT& r) {
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
         std::to_wstring(r.right - r.left) + L"," + std::to_wstring(r.bottom - r.top);
}

bool is_class(HWND hwnd, const wchar_t* name) {
  if (lstrcmpiW(class_of(hwnd).c_str(), name) == 0) return true;
  wchar_t real[256];
  UINT n = RealGetWindowClassW(hwnd, real, 256);
  return n > 0 && lstrcmpiW(real, name) == 0;
}

bool is_check_button(HWND hwnd) {
  if (!is_class(hwnd, L"Button")) return false;
  switch (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

DWORD_PTR ask(HWND hwnd, UINT message) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, message, 0, 0, SMTO_ABORTIFHUNG, 3000, &result)) return 0;
  return result;
}

std::wstring flags_of(HWND hwnd, HWND focus) {
  std::wstring flags = IsWindowVisible(hwnd) ? L"visible" : L"hidden";
  flags += IsWindowEnabled(hwnd) ? L",enabled" : L",disabled";
  if (is_check_button(hwnd) && ask(hwnd, BM_GETCHECK) == BST_CHECKED) flags += L",checked";
  if (is_class(hwnd, L"Edit")) {
    wchar_t mask = static_cast<wchar_t>(ask(hwnd, EM_GETPASSWORDCHAR));
    if (mask) flags += std::wstring(L",password=") + mask;
  }
  if (hwnd == focus) flags += L",focused";
  return flags;
}

void list_line(HWND hwnd, int depth, const RECT& rect, HWND focus) {
  out_line(std::to_wstring(depth) + L"\t" + class_of(hwnd) + L"\t" + rect_text(rect) + L"\t" +
           flags_of(hwnd, focus) + L"\t" + escaped(text_of(hwnd)));
}

void list_children(HWND parent, int depth, HWND focus) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    list_line(child, depth, rect, focus);
    list_children(child, depth + 1, focus);
  }
}

// The control under a design coordinate of a top-level window, for click and text.
int locate(const Args& args, bool any_visibility, HWND& top, HWND& target, POINT& point) {
  long x = 0, y = 0;
  if (!parse_int(args.positional[1], x) || !parse_int(args.positional[2], y))
    return fail(kUsage, L"X and Y must be integers");
  top = find_top(match_of(args), any_visibility);
  if (!top) return fail(kNotFound, L"no window \"" + args.positional[0] + L"\"");
  point = POINT{x, y};
  target = deepest_at(top, point);
  if (!target) return fail(kNotFound, L"the point lies outside the window's client area");
  return kOk;
}

int typed(Typed result) {
  switch (result) {
    case Typed::Done: return kOk;
    case Typed::NotInFront: return fail(kNotFound, L"the window would not come to the front");
    case Typed::NoFocus: break;
  }
  return fail(kNotFound, L"nothing in that window has the keyboard focus");
}

bool is_message_box(HWND hwnd, const Args& args) {
  if (!IsWindowVisible(hwnd) || class_of(hwnd) != L"#32770") return false;
  if (args.has_caption && caption_of(hwnd) != args.caption) return false;
  return GetDlgItem(hwnd, kMessageBoxTextId) != nullptr;
}

}  // namespace

int cmd_wait(const Args& args) {
  HWND found = nullptr;
  if (!poll(args.timeout_ms, [&] { return (found = find_top(match_of(args))) != nullptr; }))
    return fail(kNotFound, L"timed out waiting for \"" + args.positional[0] + L"\"");
  out_line(escaped(caption_of(found)));
  return kOk;
}

int cmd_gone(const Args& args) {
  if (!poll(args.timeout_ms, [&] { return find_top(match_of(args)) == nullptr; }))
    return fail(kNotFound, L"\"" + args.positional[0] + L"\" is still there");
  return kOk;
}

int cmd_windows(const Args&) {
  for (HWND hwnd : top_level_windows())
    out_line(class_of(hwnd) + L"\t" + (IsWindowVisible(hwnd) ? L"visible" : L"hidden") + L"\t" +
             escaped(caption_of(hwnd)));
  return kOk;
}

int cmd_list(const Args& args) {
  HWND top = find_top(match_of(args), true);
  if (!top) return fail(kNotFound, L"no window \"" + args.positional[0] + L"\"");
  HWND focus = focus_of(top);
  RECT rect;
  GetWindowRect(top, &rect);
  list_line(top, 0, rect, focus);
  list_children(top, 1, focus);
  return kOk;
}

int cmd_click(const Args& args) {
  HWND top = nullptr, target = nullptr;
  POINT point{};
  if (int code = locate(args, false, top, target, point)) return code;
  // Read before clicking: the click may well destroy the control.
  std::wstring what = class_of(target) + L"\t" + escaped(text_of(target));
  if (!enabled_through(target, top)) {
    err_line(L"disabled");
    return kOk;
  }
  click(top, target, point, args.method);
  out_line(what);
  return kOk;
}

int cmd_type(const Args& args) {
  HWND top = find_top(match_of(args));
  if (!top) return fail(kNotFound, L"no window \"" + args.positional[0] + L"\"");
  return typed(type_text(top, args.positional[1], args.method));
}

int cmd_key(const Args& args) {
  static const struct { const wchar_t* name; WORD vk; } keys[] = {
      {L"tab", VK_TAB},       {L"enter", VK_RETURN}, {L"backspace", VK_BACK},
      {L"escape", VK_ESCAPE}, {L"space", VK_SPACE},  {L"delete", VK_DELETE},
      {L"left", VK_LEFT},     {L"right", VK_RIGHT},  {L"up", VK_UP},
      {L"down", VK_DOWN},     {L"home", VK_HOME},    {L"end", VK_END},
  };
  WORD vk = 0;
  for (const auto& key : keys)
    if (args.positional[1] == key.name) vk = key.vk;
  if (!vk) return fail(kUsage, L"unknown key \"" + args.positional[1] + L"\"");
  HWND top = find_top(match_of(args));
  if (!top) return fail(kNotFound, L"no window \"" + args.positional[0] + L"\"");
  return typed(press_key(top, vk, args.method));
}

int cmd_box(const Args& args) {
  int id = 0;
  if (args.answer == L"ok") id = IDOK;
  else if (args.answer == L"yes") id = IDYES;
  else if (args.answer == L"no") id = IDNO;
  else if (args.answer != L"none") return fail(kUsage, L"--answer takes ok, yes, no or none");

  HWND box = nullptr;
  bool found = poll(args.timeout_ms, [&] {
    for (HWND hwnd : top_level_windows())
      if (is_message_box(hwnd, args)) return (box = hwnd) != nullptr;
    return false;
  });
  if (!found) return fail(kNotFound, L"timed out waiting for a message box");
  out_line(escaped(caption_of(box)) + L"\t" +
           escaped(text_of(GetDlgItem(box, kMessageBoxTextId))));
  if (!id) return kOk;

  HWND button = GetDlgItem(box, id);
  if (!button) return fail(kNotFound, L"the message box has no \"" + args.answer + L"\" button");
  // A box that has only just appeared may not take the first click yet; a person clicks again.
  for (int attempt = 0; attempt < 5; ++attempt) {
    RECT rect;
    GetClientRect(button, &rect);
    click(box, button, POINT{rect.right / 2, rect.bottom / 2}, args.method);
    if (poll(1500, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) return kOk;
  }
  return fail(kNotFound, L"the message box is still open after the clicks");
}

int cmd_text(const Args& args) {
  HWND top = nullptr, target = nullptr;
  POINT point{};
  if (int code = locate(args, true, top, target, point)) return code;
  out_line(escaped(text_of(target)));
  return kOk;
}

int cmd_pid(const Args& args) {
  HWND top = find_top(match_of(args), true);
  if (!top) return fail(kNotFound, L"no window \"" + args.positional[0] + L"\"");
  DWORD pid = 0;
  GetWindowThreadProcessId(top, &pid);
  out_line(std::to_wstring(pid));
  return kOk;
}

// The close button of the caption: the window gets the same system command a click on it sends.
int cmd_close(const Args& args) {
  HWND top = find_top(match_of(args), true);
  if (!top) return fail(kNotFound, L"no window \"" + args.positional[0] + L"\"");
  PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  return kOk;
}

}  // namespace probe
