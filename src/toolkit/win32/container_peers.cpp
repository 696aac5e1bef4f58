// Group boxes and picture boxes: controls that hold other controls and hand their children's
// notifications back to them.
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

const wchar_t kPictureClass[] = L"VarkonPicture";

class GroupBoxPeer final : public NativePeer {
 public:
  explicit GroupBoxPeer(Control& control) : NativePeer(control) {
    CreateChild(L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT);
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    // A BUTTON parent would drop its children's notifications.
    if (ReflectToChild(msg, wParam, lParam, result)) return true;
    if (msg == WM_ERASEBKGND) {
      // Opaque, so a panel laid over other controls hides them.
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
      *result = TRUE;
      return true;
    }
    if (msg == WM_NCHITTEST) {
      // The class answers "transparent"; the frame belongs to the window it sits in.
      *result = HTCLIENT;
      return true;
    }
    return false;
  }
};

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(msg, wParam, lParam, &result)) return result;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class PictureBoxPeer final : public NativePeer {
 public:
  explicit PictureBoxPeer(Control& control) : NativePeer(control) {
    RegisterControlClass(kPictureClass, PictureProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0);
    CreateChild(kPictureClass, 0, WS_EX_CONTROLPARENT);
  }
};

}  // namespace

std::unique_ptr<Peer> CreateGroupBoxPeer(Control& control) { return std::make_unique<GroupBoxPeer>(control); }

std::unique_ptr<Peer> CreatePictureBoxPeer(Control& control) {
  return std::make_unique<PictureBoxPeer>(control);
}

}  // namespace toolkit::win32
