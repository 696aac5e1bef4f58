// Single-line edit boxes: typed characters are reported before the box takes them in, and
// only the user's changes count as changes.
#include "toolkit/controls.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

class EditPeer final : public NativePeer {
 public:
  explicit EditPeer(Control& control) : NativePeer(control) {
    CreateChild(L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    if (edit().passwordMode()) Update(Prop::PasswordMode);
  }

  void Update(Prop prop) override {
    if (!hwnd_) return;
    switch (prop) {
      case Prop::Text: {
        // The program's own change is no user edit: EN_CHANGE, sent from inside, is not passed on.
        settingText_ = true;
        SetWindowTextW(hwnd_, Wide(control_.text()).c_str());
        settingText_ = false;
        break;
      }
      case Prop::PasswordMode:
        SendMessageW(hwnd_, EM_SETPASSWORDCHAR, edit().passwordMode() ? Edit::kMask : 0, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
      case Prop::TextColour:
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
      default:
        NativePeer::Update(prop);
        break;
    }
  }

  bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg == WM_CTLCOLOREDIT) {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, edit().textColour());
      SetBkColor(dc, RGB(255, 255, 255));
      *result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
      if (!settingText_) control_.notifyTextChanged(WindowText(hwnd_));
      *result = 0;
      return true;
    }
    return false;
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg != WM_CHAR) return false;
    auto unit = static_cast<wchar_t>(wParam);
    std::wstring character;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      // The first half of a pair: the character is reported with its second half.
      highSurrogate_ = unit;
      return false;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_) character.push_back(highSurrogate_);
    highSurrogate_ = 0;
    character.push_back(unit);
    HWND hwnd = hwnd_;
    edit().notifyChar(Narrow(character));
    // The handler may have destroyed the box; then there is nothing left to type into.
    if (!IsWindow(hwnd) || NativePeer::FromHwnd(hwnd) != this) {
      *result = 0;
      return true;
    }
    return false;
  }

 private:
  Edit& edit() const { return static_cast<Edit&>(control_); }

  bool settingText_ = false;
  wchar_t highSurrogate_ = 0;
};

}  // namespace

std::unique_ptr<Peer> CreateEditPeer(Control& control) { return std::make_unique<EditPeer>(control); }

}  // namespace toolkit::win32
