#include "toolkit/control.h"

#include <algorithm>

#include "toolkit/backend.h"
#include "toolkit/window.h"

namespace toolkit {

Control::Control(Kind kind, Control* parent, const char* name, const Rect& bounds, const Text& text)
    : text_(text), bounds_(bounds), kind_(kind), parent_(parent), name_(name) {
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
  OnUiThread([&] {
    // Children are members declared after their parent, so they are gone already; a
    // control that outlives its parent must not reach back into it.
    peer_.reset();
    if (parent_) {
      auto& siblings = parent_->children_;
      siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
  });
}

void Control::realize() {
  OnUiThread([&] {
    if (parent_ && parent_->destroyed_) {
      destroyed_ = true;
      return;
    }
    peer_ = backend::CreatePeer(*this);
  });
}

Window* Control::window() const {
  const Control* c = this;
  while (c->parent_) c = c->parent_;
  return c->kind_ == Kind::Window ? static_cast<Window*>(const_cast<Control*>(c)) : nullptr;
}

void Control::changed(Prop prop) {
  if (!destroyed_ && peer_) peer_->Update(prop);
}

Text Control::text() const {
  Text value;
  OnUiThread([&] { value = text_; });
  return value;
}

void Control::setText(const Text& text) {
  OnUiThread([&] {
    if (destroyed_) return;
    text_ = text;
    changed(Prop::Text);
  });
}

Rect Control::bounds() const {
  Rect value;
  OnUiThread([&] { value = bounds_; });
  return value;
}

void Control::setBounds(const Rect& bounds) {
  OnUiThread([&] {
    if (destroyed_) return;
    bounds_ = bounds;
    changed(Prop::Bounds);
  });
}

void Control::setLeft(int value) {
  OnUiThread([&] {
    Rect r = bounds_;
    r.left = value;
    setBounds(r);
  });
}

void Control::setTop(int value) {
  OnUiThread([&] {
    Rect r = bounds_;
    r.top = value;
    setBounds(r);
  });
}

void Control::setWidth(int value) {
  OnUiThread([&] {
    Rect r = bounds_;
    r.width = value;
    setBounds(r);
  });
}

void Control::setHeight(int value) {
  OnUiThread([&] {
    Rect r = bounds_;
    r.height = value;
    setBounds(r);
  });
}

bool Control::visible() const {
  bool value = false;
  OnUiThread([&] { value = visible_; });
  return value;
}

void Control::setVisible(bool visible) {
  OnUiThread([&] {
    if (destroyed_) return;
    visible_ = visible;
    changed(Prop::Visible);
  });
}

bool Control::enabled() const {
  bool value = false;
  OnUiThread([&] { value = enabled_; });
  return value;
}

void Control::setEnabled(bool enabled) {
  OnUiThread([&] {
    if (destroyed_) return;
    enabled_ = enabled;
    changed(Prop::Enabled);
  });
}

void Control::focus() {
  OnUiThread([&] { changed(Prop::Focus); });
}

bool Control::focused() const {
  bool value = false;
  OnUiThread([&] {
    Window* w = window();
    value = w && w->focusedControl() == this;
  });
  return value;
}

void Control::destroy() {
  OnUiThread([&] {
    if (destroyed_) return;
    // Children first, so the native side is taken down from the leaves up.
    std::vector<Control*> children = children_;
    for (Control* child : children) child->destroy();
    // A destroyed control cannot hold the keyboard focus any more.
    Window* w = window();
    if (w && w != this && w->focusedControl() == this) w->notifyFocusedControl(nullptr);
    destroyed_ = true;
    peer_.reset();
    onDestroy();
  });
}

bool Control::destroyed() const {
  bool value = true;
  OnUiThread([&] { value = destroyed_; });
  return value;
}

void Control::notifyFocus(bool gained) {
  if (destroyed_) return;
  if (Window* w = window()) {
    if (gained) {
      w->notifyFocusedControl(this);
    } else if (w->focusedControl() == this) {
      w->notifyFocusedControl(nullptr);
    }
  }
  if (gained) {
    if (onFocusGained) onFocusGained();
  } else {
    if (onFocusLost) onFocusLost();
  }
}

void Control::notifyTextChanged(const Text& text) {
  if (destroyed_) return;
  text_ = text;
  if (onChanged) onChanged();
}

void OnUiThread(const std::function<void()>& work) { backend::OnUiThread(work); }
void Post(std::function<void()> work) { backend::Post(std::move(work)); }
void RunMessageLoop() { backend::RunMessageLoop(); }

}  // namespace toolkit
