#pragma once
// The control kinds. Each takes its parent, its design name, its place and size inside the
// parent's client area, and its design text.
#include <utility>

#include "toolkit/window.h"

namespace toolkit {

class Label final : public Control {
 public:
  Label(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
};

// A label that lets its parent's background show through.
class TransparentLabel final : public Control {
 public:
  TransparentLabel(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
};

// A hyperlink-styled label; a press of the left mouse button is its event.
class LinkLabel final : public Control {
 public:
  LinkLabel(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
  std::function<void()> onMouseDown;
  void notifyMouseDown();
};

class Button final : public Control {
 public:
  Button(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
  std::function<void()> onClick;
  void notifyClick();
};

class CheckBox final : public Control {
 public:
  CheckBox(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
  bool checked() const;
  void setChecked(bool checked);
  std::function<void()> onClick;
  void notifyClicked(bool checked);

 private:
  bool checked_ = false;
};

class GroupBox final : public Control {
 public:
  GroupBox(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
};

class PictureBox final : public Control {
 public:
  PictureBox(Control& parent, const char* name, const Rect& bounds);
};

class Edit final : public Control {
 public:
  static constexpr char kMask = '*';
  Edit(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
  Colour textColour() const;
  void setTextColour(Colour colour);
  // Masked input with '*'.
  bool passwordMode() const;
  void setPasswordMode(bool on);
  // A typed character, before the box takes it in (GBK: one or two bytes).
  std::function<void(const Text& character)> onChar;
  void notifyChar(const Text& character);

 private:
  Colour textColour_ = 0;
  bool passwordMode_ = false;
};

class ProgressBar final : public Control {
 public:
  ProgressBar(Control& parent, const char* name, const Rect& bounds);
  int minimum() const;
  int maximum() const;
  void setRange(int minimum, int maximum);
  int position() const;
  void setPosition(int position);

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
};

// A pane showing a web page. Where no browser engine can be hosted it stays blank; the
// address it was pointed at is kept all the same.
class WebBrowser final : public Control {
 public:
  WebBrowser(Control& parent, const char* name, const Rect& bounds);
  Text address() const;
  void navigate(const Text& url);

 private:
  Text address_;
};

// A periodic event of a window; period 0 stops it.
class Timer final : public Control {
 public:
  Timer(Window& window, const char* name, int periodMs);
  int period() const;
  void setPeriod(int periodMs);
  std::function<void()> onTick;
  void notifyTick();

 private:
  int period_;
};

// Balloon tips shown when the pointer rests on a control.
class BalloonTip final : public Control {
 public:
  BalloonTip(Window& window, const char* name);
  void setTip(Control& control, const Text& tip);
  Text tipOf(const Control& control) const;
  std::vector<std::pair<Control*, Text>> tips() const;

 private:
  std::vector<std::pair<Control*, Text>> tips_;
};

}  // namespace toolkit
