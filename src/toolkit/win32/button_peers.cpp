// Push buttons (captions may run over two lines) and check boxes.
#include "toolkit/controls.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

class ButtonPeer final : public NativePeer {
 public:
  explicit ButtonPeer(Control& control) : NativePeer(control) {
    bool box = control.kind() == Kind::CheckBox;
    CreateChild(L"BUTTON", WS_TABSTOP | (box ? BS_AUTOCHECKBOX : BS_PUSHBUTTON | BS_MULTILINE));
    if (box) Update(Prop::Checked);
  }

  void Update(Prop prop) override {
    if (prop == Prop::Checked && hwnd_) {
      bool checked = static_cast<CheckBox&>(control_).checked();
      SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
      return;
    }
    NativePeer::Update(prop);
  }

  bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    *result = 0;
    // A disabled control is not clicked, even by a BM_CLICK sent from outside.
    if (!IsWindowEnabled(hwnd_)) {
      if (control_.kind() == Kind::CheckBox) Update(Prop::Checked);
      return true;
    }
    if (control_.kind() == Kind::CheckBox) {
      bool checked = SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
      static_cast<CheckBox&>(control_).notifyClicked(checked);
    } else {
      static_cast<Button&>(control_).notifyClick();
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<Peer> CreateButtonPeer(Control& control) { return std::make_unique<ButtonPeer>(control); }

}  // namespace toolkit::win32
