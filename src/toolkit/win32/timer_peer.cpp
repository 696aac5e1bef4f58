// Timers run on their top-level window: SetTimer with an identifier of their own, and the
// window's WM_TIMER finds the timer again by it.
#include <map>

#include "toolkit/controls.h"
#include "toolkit/win32/native.h"

namespace toolkit::win32 {
namespace {

class TimerPeer;
std::map<UINT_PTR, TimerPeer*> g_timers;  // user-interface thread only

// Identifiers far from the small numbers other code on the window might use.
UINT_PTR NextTimerId() {
  static UINT_PTR next = 0x7A00;
  return ++next;
}

class TimerPeer final : public NativePeer {
 public:
  explicit TimerPeer(Control& control) : NativePeer(control), window_(ParentHwnd()), id_(NextTimerId()) {
    g_timers[id_] = this;
    Update(Prop::Period);
  }

  ~TimerPeer() override {
    g_timers.erase(id_);
    if (window_) KillTimer(window_, id_);
  }

  void Update(Prop prop) override {
    if (prop != Prop::Period || !window_) return;
    int period = timer().period();
    if (period > 0) {
      SetTimer(window_, id_, static_cast<UINT>(period), nullptr);
    } else {
      KillTimer(window_, id_);
    }
  }

  void Tick() { timer().notifyTick(); }

 private:
  Timer& timer() const { return static_cast<Timer&>(control_); }

  HWND window_;
  UINT_PTR id_;
};

}  // namespace

bool DeliverTimer(UINT_PTR id) {
  auto it = g_timers.find(id);
  if (it == g_timers.end()) return false;
  it->second->Tick();
  return true;
}

std::unique_ptr<Peer> CreateTimerPeer(Control& control) { return std::make_unique<TimerPeer>(control); }

}  // namespace toolkit::win32
