// Labels: plain, see-through, and hyperlink-styled. All are STATIC controls; text with
// "\r\n" shows as lines.
#include "toolkit/controls.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);

class StaticPeer final : public NativePeer {
 public:
  explicit StaticPeer(Control& control) : NativePeer(control) {
    Kind kind = control.kind();
    clear_ = kind != Kind::Label;
    DWORD style = SS_LEFT | SS_NOPREFIX;
    if (kind == Kind::LinkLabel) style |= SS_NOTIFY;
    CreateChild(L"STATIC", style);
    if (hwnd_ && kind == Kind::LinkLabel) {
      SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(LinkFont()), FALSE);
    }
  }

  void Update(Prop prop) override {
    NativePeer::Update(prop);
    // Nothing of this control paints its background, so the old text would stay under the
    // new one: the windows behind it paint that place again first.
    if (clear_ && hwnd_ && (prop == Prop::Text || prop == Prop::Bounds)) RepaintBehind();
  }

  bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg != WM_CTLCOLORSTATIC || !clear_) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, control_.kind() == Kind::LinkLabel ? kLinkColour : GetSysColor(COLOR_WINDOWTEXT));
    *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (control_.kind() == Kind::TransparentLabel && msg == WM_PAINT) {
      PaintLines();
      *result = 0;
      return true;
    }
    if (control_.kind() != Kind::LinkLabel) return false;
    if (msg == WM_SETCURSOR) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      *result = TRUE;
      return true;
    }
    if (msg == WM_LBUTTONDOWN) {
      static_cast<LinkLabel&>(control_).notifyMouseDown();
      *result = 0;
      return true;
    }
    return false;
  }

 private:
  // The area under the label in the top-level window, children included: a group box does not
  // paint its inside, so only the window under it can clear the old text.
  void RepaintBehind() {
    HWND root = GetAncestor(hwnd_, GA_ROOT);
    if (!root || !IsWindowVisible(root)) return;
    RECT r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(root, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  // Lines 12 pixels apart whatever face stands in for 宋体, so text laid out against the
  // design's line height (field names with values beside them) stays in place.
  void PaintLines() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    HGDIOBJ old = SelectObject(dc, DefaultFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    std::wstring text = Wide(control_.text());
    int y = 0;
    for (std::size_t start = 0; start <= text.size(); y += kLineHeight) {
      std::size_t end = text.find(L"\r\n", start);
      if (end == std::wstring::npos) end = text.size();
      if (end > start) TextOutW(dc, 0, y, text.c_str() + start, static_cast<int>(end - start));
      start = end + 2;
    }
    SelectObject(dc, old);
    EndPaint(hwnd_, &ps);
  }

  static constexpr int kLineHeight = 12;
  bool clear_ = false;
};

}  // namespace

std::unique_ptr<Peer> CreateStaticPeer(Control& control) { return std::make_unique<StaticPeer>(control); }

}  // namespace toolkit::win32
