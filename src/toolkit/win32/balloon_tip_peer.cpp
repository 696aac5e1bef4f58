// Balloon tips: one tooltip window per BalloonTip, one tool per control it explains.
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

constexpr int kMaxTipWidth = 400;  // a width limit is what makes "\r\n" break the tip's lines

class BalloonTipPeer final : public NativePeer {
 public:
  explicit BalloonTipPeer(Control& control) : NativePeer(control) {
    HWND owner = ParentHwnd();
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_BALLOON | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tip) return;
    Attach(tip, false);
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    Update(Prop::Tips);
  }

  void Update(Prop prop) override {
    if (prop != Prop::Tips || !hwnd_) return;
    for (const auto& tool : added_) {
      TTTOOLINFOW info = Info(tool.first, tool.second);
      SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    added_.clear();
    for (const auto& entry : static_cast<BalloonTip&>(control_).tips()) {
      NativePeer* target = Of(entry.first);
      if (!target || !target->hwnd() || entry.first->destroyed()) continue;
      HWND container = GetParent(target->hwnd());
      std::wstring text = Wide(entry.second);
      TTTOOLINFOW info = Info(container, target->hwnd());
      info.uFlags |= TTF_SUBCLASS;
      info.lpszText = &text[0];
      if (SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
        added_.emplace_back(container, target->hwnd());
      }
    }
  }

 private:
  static TTTOOLINFOW Info(HWND container, HWND tool) {
    TTTOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by the common controls of every version
    info.uFlags = TTF_IDISHWND;
    info.hwnd = container;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
  }

  std::vector<std::pair<HWND, HWND>> added_;
};

}  // namespace

std::unique_ptr<Peer> CreateBalloonTipPeer(Control& control) {
  return std::make_unique<BalloonTipPeer>(control);
}

}  // namespace toolkit::win32
