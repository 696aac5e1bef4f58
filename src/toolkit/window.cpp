#include "toolkit/window.h"

#include "toolkit/backend.h"

namespace toolkit {

namespace {
int g_liveWindows = 0;  // touched only on the user-interface thread
}

Window::Window(const char* name, const Rect& bounds, const Text& caption)
    : Control(Kind::Window, nullptr, name, bounds, caption) {
  visible_ = false;
  OnUiThread([&] { ++g_liveWindows; });
  realize();
}

Window::~Window() { destroy(); }

void Window::show() { setVisible(true); }

Control* Window::focusedControl() const {
  Control* value = nullptr;
  OnUiThread([&] { value = focused_; });
  return value;
}

void Window::notifyCloseRequested() {
  if (destroyed_) return;
  bool allow = onCloseRequested ? onCloseRequested() : true;
  if (allow) destroy();
}

void Window::notifyResized(const Rect& bounds) {
  if (destroyed_) return;
  bounds_ = bounds;
  if (onResized) onResized();
}

void Window::notifyFocusedControl(Control* control) { focused_ = control; }

void Window::onDestroy() {
  focused_ = nullptr;
  if (onDestroyed) onDestroyed();
  if (--g_liveWindows == 0) backend::LastWindowDestroyed();
}

int Window::LiveWindows() {
  int value = 0;
  OnUiThread([&] { value = g_liveWindows; });
  return value;
}

}  // namespace toolkit
