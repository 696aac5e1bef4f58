// Image buttons: a window of our own class painting a raised face, the picture centred in the
// upper part and the caption under it. BM_CLICK works as on a push button, for other programs.
#include "toolkit/controls_more.h"
#include "toolkit/win32/more_peers.h"

namespace toolkit::win32 {
namespace {

const wchar_t kImageButtonClass[] = L"VarkonImageButton";

class ImageButtonPeer final : public NativePeer {
 public:
  explicit ImageButtonPeer(Control& control) : NativePeer(control) {
    RegisterControlClass(kImageButtonClass, DefWindowProcW, nullptr, CS_HREDRAW | CS_VREDRAW, IDC_HAND);
    CreateChild(kImageButtonClass, WS_TABSTOP);
  }

  void Update(Prop prop) override {
    NativePeer::Update(prop);
    if (hwnd_ && (prop == Prop::Images || prop == Prop::Text || prop == Prop::Enabled)) InvalidateRect(hwnd_, nullptr, TRUE);
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    *result = 0;
    switch (msg) {
      case WM_PAINT:
        Paint();
        return true;
      case WM_LBUTTONDOWN:
        SetFocus(hwnd_);
        SetCapture(hwnd_);
        SetPressed(true);
        return true;
      case WM_MOUSEMOVE:
        if (GetCapture() == hwnd_) SetPressed(Inside(lParam));
        return true;
      case WM_LBUTTONUP:
        if (GetCapture() == hwnd_) {
          bool hit = pressed_;
          ReleaseCapture();
          SetPressed(false);
          if (hit) Click();
        }
        return true;
      case WM_CAPTURECHANGED:
        SetPressed(false);
        return true;
      case WM_KEYUP:
        if (wParam == VK_SPACE || wParam == VK_RETURN) Click();
        return true;
      case WM_GETDLGCODE:
        *result = DLGC_BUTTON;
        return true;
      case BM_CLICK:
        Click();
        return true;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        InvalidateRect(hwnd_, nullptr, FALSE);
        return false;
      default:
        return false;
    }
  }

 private:
  ImageButton& button() const { return static_cast<ImageButton&>(control_); }

  bool Inside(LPARAM lParam) const {
    RECT r;
    GetClientRect(hwnd_, &r);
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&r, p) != FALSE;
  }

  void SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    InvalidateRect(hwnd_, nullptr, FALSE);
  }

  void Click() {
    // A disabled control is not clicked, even by a BM_CLICK sent from outside.
    if (IsWindowEnabled(hwnd_)) button().notifyClick();
  }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    int shift = pressed_ ? 1 : 0;
    Image image = button().image();
    int captionHeight = 16;
    int imageTop = (r.bottom - captionHeight - image.height) / 2;
    if (imageTop < 3) imageTop = 3;
    DrawImage(dc, (r.right - image.width) / 2 + shift, imageTop + shift, image);
    std::wstring caption = Wide(button().text());
    HGDIOBJ old = SelectObject(dc, DefaultFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text = {r.left + 2 + shift, r.bottom - captionHeight - 2 + shift, r.right - 2 + shift, r.bottom - 2 + shift};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (GetFocus() == hwnd_) {
      RECT focus = {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
      DrawFocusRect(dc, &focus);
    }
    SelectObject(dc, old);
    EndPaint(hwnd_, &ps);
  }

  bool pressed_ = false;
};

}  // namespace

std::unique_ptr<Peer> CreateImageButtonPeer(Control& control) {
  return std::make_unique<ImageButtonPeer>(control);
}

}  // namespace toolkit::win32
