// Animation boxes: a window of our own class painting its objects in order (later ones on
// top) and passing the pointer on in its client coordinates; the control finds the object.
#include "toolkit/controls_more.h"
#include "toolkit/win32/more_peers.h"

namespace toolkit::win32 {
namespace {

const wchar_t kAnimationClass[] = L"VarkonAnimation";

class AnimationBoxPeer final : public NativePeer {
 public:
  explicit AnimationBoxPeer(Control& control) : NativePeer(control) {
    RegisterControlClass(kAnimationClass, DefWindowProcW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0);
    CreateChild(kAnimationClass, 0);
  }

  void Update(Prop prop) override {
    NativePeer::Update(prop);
    if (prop == Prop::Objects && hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
  }

  bool OnMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) override {
    *result = 0;
    int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
      case WM_PAINT:
        Paint();
        return true;
      case WM_MOUSEMOVE:
        if (!tracking_) {
          // Without this the box never hears that the pointer went away.
          TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, hwnd_, 0};
          tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        box().notifyPointerMove(x, y);
        return true;
      case WM_MOUSELEAVE:
        tracking_ = false;
        box().notifyPointerLeftBox();
        return true;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
        box().notifyLeftButton(msg == WM_LBUTTONDOWN, x, y);
        return true;
      default:
        return false;
    }
  }

 private:
  AnimationBox& box() const { return static_cast<AnimationBox&>(control_); }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    for (const AnimationObject& object : box().objects()) {
      int saved = SaveDC(dc);
      const Rect& b = object.bounds;
      IntersectClipRect(dc, b.left, b.top, b.left + b.width, b.top + b.height);
      DrawImage(dc, b.left, b.top, object.picture);
      RestoreDC(dc, saved);
    }
    EndPaint(hwnd_, &ps);
  }

  bool tracking_ = false;
};

}  // namespace

std::unique_ptr<Peer> CreateAnimationBoxPeer(Control& control) {
  return std::make_unique<AnimationBoxPeer>(control);
}

}  // namespace toolkit::win32
