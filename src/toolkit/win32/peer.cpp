#include "platform/encoding.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

const wchar_t kPeerProperty[] = L"VarkonPeer";
constexpr UINT_PTR kSubclassId = 1;

// Child identifiers stay clear of IDOK/IDCANCEL and the other small dialog numbers.
UINT_PTR NextChildId() {
  static UINT_PTR next = 1000;
  if (++next > 0xFFF0) next = 1001;
  return next;
}

HFONT MakeFont(bool underline) {
  // 宋体 at 12 pixels, the look every window of the client was designed with.
  return CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, GB2312_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"\u5B8B\u4F53");
}

}  // namespace

std::wstring Wide(const Text& text) {
  std::u16string wide = platform::AnsiToWide(text);
  return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

Text Narrow(const std::wstring& text) {
  return platform::WideToAnsi(std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

Text WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return Text();
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, &buffer[0], length + 1);
  buffer.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return Narrow(buffer);
}

HFONT DefaultFont() {
  static HFONT font = MakeFont(false);
  return font;
}

HFONT LinkFont() {
  static HFONT font = MakeFont(true);
  return font;
}

NativePeer::~NativePeer() {
  if (!hwnd_) return;
  // Unlinked first: the window's last messages must not reach a control being taken down.
  HWND hwnd = hwnd_;
  hwnd_ = nullptr;
  RemovePropW(hwnd, kPeerProperty);
  if (subclassed_) RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
  DestroyWindow(hwnd);
}

NativePeer* NativePeer::FromHwnd(HWND hwnd) {
  return hwnd ? static_cast<NativePeer*>(GetPropW(hwnd, kPeerProperty)) : nullptr;
}

NativePeer* NativePeer::Of(const Control* control) {
  return control ? static_cast<NativePeer*>(control->peer()) : nullptr;
}

HWND NativePeer::ParentHwnd() const {
  NativePeer* parent = Of(control_.parent());
  return parent ? parent->hwnd() : nullptr;
}

void NativePeer::CreateChild(const wchar_t* className, DWORD style, DWORD exStyle) {
  Rect b = control_.bounds();
  // Siblings may overlap (a panel unrolling over a form): each paints only what it shows.
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.visible()) style |= WS_VISIBLE;
  if (!control_.enabled()) style |= WS_DISABLED;
  HWND hwnd = CreateWindowExW(exStyle, className, Wide(control_.text()).c_str(), style, b.left, b.top,
                              b.width, b.height, ParentHwnd(), reinterpret_cast<HMENU>(NextChildId()),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return;
  // Controls declared later lie above those declared before them, as in the designs.
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
  Attach(hwnd, true);
}

void NativePeer::Attach(HWND hwnd, bool subclass) {
  hwnd_ = hwnd;
  SetPropW(hwnd, kPeerProperty, this);
  if (subclass) subclassed_ = SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void NativePeer::ApplyBounds() {
  Rect b = control_.bounds();
  SetWindowPos(hwnd_, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativePeer::Update(Prop prop) {
  if (!hwnd_) return;
  switch (prop) {
    case Prop::Text:
      SetWindowTextW(hwnd_, Wide(control_.text()).c_str());
      break;
    case Prop::Bounds:
      ApplyBounds();
      break;
    case Prop::Visible:
      // A control shown over others (a panel unrolling over a form) comes to the front; the
      // order of creation stays the tab order for everything else.
      if (control_.visible() && control_.parent()) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Prop::Enabled:
      EnableWindow(hwnd_, control_.enabled());
      break;
    case Prop::Focus:
      SetFocus(hwnd_);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK NativePeer::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  auto* peer = reinterpret_cast<NativePeer*>(data);
  switch (msg) {
    case WM_NCDESTROY:
      // Destroyed from outside (with its parent): the peer keeps no dead handle.
      RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
      RemovePropW(hwnd, kPeerProperty);
      peer->hwnd_ = nullptr;
      peer->subclassed_ = false;
      return DefSubclassProc(hwnd, msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      // The class takes the focus change first; the handlers may then destroy the control.
      Control& control = peer->control_;
      LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
      control.notifyFocus(msg == WM_SETFOCUS);
      return result;
    }
    default:
      break;
  }
  LRESULT result = 0;
  if (peer->OnMessage(msg, wParam, lParam, &result)) return result;
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void RegisterControlClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, UINT style, LPCWSTR cursor) {
  WNDCLASSW existing;
  if (GetClassInfoW(GetModuleHandleW(nullptr), name, &existing)) return;
  WNDCLASSW wc = {};
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, cursor);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_NOTIFY:
      if (lParam) child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
      break;
    default:
      return false;
  }
  NativePeer* peer = NativePeer::FromHwnd(child);
  return peer && peer->OnReflected(msg, wParam, lParam, result);
}

}  // namespace toolkit::win32
