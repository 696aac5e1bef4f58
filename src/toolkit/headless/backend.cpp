// The headless backend: control state lives in the portable objects; this side serialises all
// calls, keeps the keyboard focus and runs timers and posted work on a test clock.
#include "toolkit/backend.h"

#include <deque>
#include <mutex>

#include "toolkit/controls.h"
#include "toolkit/controls_more.h"
#include "toolkit/headless/simulate.h"

namespace toolkit {
namespace {

std::recursive_mutex& Lock() {
  static std::recursive_mutex mutex;
  return mutex;
}

struct TimerSlot {
  Timer* timer;
  int due;
};

struct Clock {
  int now = 0;
  std::vector<TimerSlot> timers;
  std::deque<std::function<void()>> posted;
};

// Never freed: windows held by statics may still be torn down after this file's statics.
Clock& State() {
  static Clock* clock = new Clock;
  return *clock;
}

void ArmTimer(Timer& timer) {
  for (auto& slot : State().timers) {
    if (slot.timer == &timer) {
      slot.due = State().now + timer.period();
      return;
    }
  }
  State().timers.push_back({&timer, State().now + timer.period()});
}

void DisarmTimer(Timer& timer) {
  for (auto it = State().timers.begin(); it != State().timers.end(); ++it) {
    if (it->timer == &timer) {
      State().timers.erase(it);
      return;
    }
  }
}

class HeadlessPeer : public Peer {
 public:
  explicit HeadlessPeer(Control& control) : control_(control) {
    if (control.kind() == Kind::Timer) Update(Prop::Period);
  }
  ~HeadlessPeer() override {
    if (control_.kind() == Kind::Timer) DisarmTimer(static_cast<Timer&>(control_));
  }
  void Update(Prop prop) override {
    if (prop == Prop::Period) {
      auto& timer = static_cast<Timer&>(control_);
      if (timer.period() > 0) {
        ArmTimer(timer);
      } else {
        DisarmTimer(timer);
      }
    } else if (prop == Prop::Focus) {
      headless::Focus(control_);
    }
  }

 private:
  Control& control_;
};

bool Usable(const Control& control) {
  for (const Control* c = &control; c; c = c->parent()) {
    if (c->destroyed() || !c->enabled() || (!c->visible() && c->kind() != Kind::Window)) return false;
  }
  return true;
}

}  // namespace

namespace backend {

std::unique_ptr<Peer> CreatePeer(Control& control) { return std::make_unique<HeadlessPeer>(control); }

void OnUiThread(const std::function<void()>& work) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  work();
}

void Post(std::function<void()> work) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  State().posted.push_back(std::move(work));
}

void RunMessageLoop() {
  while (Window::LiveWindows() > 0) headless::Advance(10);
}

void LastWindowDestroyed() {}

}  // namespace backend

namespace headless {

void Focus(Control& control) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  Window* window = control.window();
  if (!window || control.destroyed()) return;
  Control* previous = window->focusedControl();
  if (previous == &control) return;
  if (previous) previous->notifyFocus(false);
  control.notifyFocus(true);
}

void Click(Control& control) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  if (!Usable(control)) return;
  switch (control.kind()) {
    case Kind::Button:
      Focus(control);
      static_cast<Button&>(control).notifyClick();
      break;
    case Kind::CheckBox: {
      auto& box = static_cast<CheckBox&>(control);
      Focus(control);
      box.notifyClicked(!box.checked());
      break;
    }
    case Kind::LinkLabel:
      static_cast<LinkLabel&>(control).notifyMouseDown();
      break;
    case Kind::ImageButton:
      Focus(control);
      static_cast<ImageButton&>(control).notifyClick();
      break;
    case Kind::Edit:
      Focus(control);
      break;
    default:
      break;
  }
}

void Type(Edit& edit, const Text& text) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  if (!Usable(edit)) return;
  Focus(edit);
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = (static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.size()) ? 2 : 1;
    Text character = text.substr(i, length);
    i += length;
    edit.notifyChar(character);
    if (edit.destroyed()) return;
    edit.notifyTextChanged(edit.text() + character);
  }
}

void Paste(Edit& edit, const Text& text) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  if (!Usable(edit)) return;
  edit.notifyTextChanged(edit.text() + text);
}

void RequestClose(Window& window) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  window.notifyCloseRequested();
}

void RunPosted() {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  while (!State().posted.empty()) {
    auto work = std::move(State().posted.front());
    State().posted.pop_front();
    work();
  }
}

void Advance(int milliseconds) {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  int end = State().now + milliseconds;
  for (;;) {
    RunPosted();
    // The earliest due timer fires next; ties in the order the timers were armed.
    TimerSlot* next = nullptr;
    for (auto& slot : State().timers) {
      if (slot.due <= end && (!next || slot.due < next->due)) next = &slot;
    }
    if (!next) break;
    State().now = next->due;
    Timer* timer = next->timer;
    next->due += timer->period();
    timer->notifyTick();
  }
  State().now = end;
  RunPosted();
}

int Now() {
  std::lock_guard<std::recursive_mutex> hold(Lock());
  return State().now;
}

}  // namespace headless
}  // namespace toolkit
