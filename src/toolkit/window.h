#pragma once
#include "toolkit/control.h"

namespace toolkit {

// A top-level window. Created hidden at its design place; the caption is its text.
class Window : public Control {
 public:
  Window(const char* name, const Rect& bounds, const Text& caption);
  ~Window() override;

  void show();
  Control* focusedControl() const;

  // Answers whether the window may close; without a handler it closes (is destroyed).
  std::function<bool()> onCloseRequested;
  std::function<void()> onDestroyed;
  std::function<void()> onResized;

  // Backend entry points.
  void notifyCloseRequested();
  void notifyResized(const Rect& bounds);
  void notifyFocusedControl(Control* control);

  // Top-level windows not yet destroyed.
  static int LiveWindows();

 protected:
  void onDestroy() override;

 private:
  Control* focused_ = nullptr;
};

}  // namespace toolkit
