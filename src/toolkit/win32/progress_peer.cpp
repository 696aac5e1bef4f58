#include "toolkit/controls.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

class ProgressBarPeer final : public NativePeer {
 public:
  explicit ProgressBarPeer(Control& control) : NativePeer(control) {
    CreateChild(PROGRESS_CLASSW, 0);
    Update(Prop::Progress);
  }

  void Update(Prop prop) override {
    if (prop == Prop::Progress && hwnd_) {
      auto& bar = static_cast<ProgressBar&>(control_);
      SendMessageW(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(bar.minimum()), static_cast<LPARAM>(bar.maximum()));
      SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
      return;
    }
    NativePeer::Update(prop);
  }
};

}  // namespace

std::unique_ptr<Peer> CreateProgressBarPeer(Control& control) {
  return std::make_unique<ProgressBarPeer>(control);
}

}  // namespace toolkit::win32
