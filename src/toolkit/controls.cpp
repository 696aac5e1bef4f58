#include "toolkit/controls.h"

namespace toolkit {

Label::Label(Control& parent, const char* name, const Rect& bounds, const Text& text)
    : Control(Kind::Label, &parent, name, bounds, text) {
  realize();
}

TransparentLabel::TransparentLabel(Control& parent, const char* name, const Rect& bounds,
                                   const Text& text)
    : Control(Kind::TransparentLabel, &parent, name, bounds, text) {
  realize();
}

LinkLabel::LinkLabel(Control& parent, const char* name, const Rect& bounds, const Text& text)
    : Control(Kind::LinkLabel, &parent, name, bounds, text) {
  realize();
}

void LinkLabel::notifyMouseDown() {
  if (!destroyed_ && onMouseDown) onMouseDown();
}

Button::Button(Control& parent, const char* name, const Rect& bounds, const Text& text)
    : Control(Kind::Button, &parent, name, bounds, text) {
  realize();
}

void Button::notifyClick() {
  if (!destroyed_ && onClick) onClick();
}

CheckBox::CheckBox(Control& parent, const char* name, const Rect& bounds, const Text& text)
    : Control(Kind::CheckBox, &parent, name, bounds, text) {
  realize();
}

bool CheckBox::checked() const {
  bool value = false;
  OnUiThread([&] { value = checked_; });
  return value;
}

void CheckBox::setChecked(bool checked) {
  OnUiThread([&] {
    if (destroyed_) return;
    checked_ = checked;
    changed(Prop::Checked);
  });
}

void CheckBox::notifyClicked(bool checked) {
  if (destroyed_) return;
  checked_ = checked;
  if (onClick) onClick();
}

GroupBox::GroupBox(Control& parent, const char* name, const Rect& bounds, const Text& text)
    : Control(Kind::GroupBox, &parent, name, bounds, text) {
  realize();
}

PictureBox::PictureBox(Control& parent, const char* name, const Rect& bounds)
    : Control(Kind::PictureBox, &parent, name, bounds, Text()) {
  realize();
}

Edit::Edit(Control& parent, const char* name, const Rect& bounds, const Text& text)
    : Control(Kind::Edit, &parent, name, bounds, text) {
  realize();
}

Colour Edit::textColour() const {
  Colour value = 0;
  OnUiThread([&] { value = textColour_; });
  return value;
}

void Edit::setTextColour(Colour colour) {
  OnUiThread([&] {
    if (destroyed_) return;
    textColour_ = colour;
    changed(Prop::TextColour);
  });
}

bool Edit::passwordMode() const {
  bool value = false;
  OnUiThread([&] { value = passwordMode_; });
  return value;
}

void Edit::setPasswordMode(bool on) {
  OnUiThread([&] {
    if (destroyed_) return;
    passwordMode_ = on;
    changed(Prop::PasswordMode);
  });
}

void Edit::notifyChar(const Text& character) {
  if (!destroyed_ && onChar) onChar(character);
}

ProgressBar::ProgressBar(Control& parent, const char* name, const Rect& bounds)
    : Control(Kind::ProgressBar, &parent, name, bounds, Text()) {
  realize();
}

int ProgressBar::minimum() const {
  int value = 0;
  OnUiThread([&] { value = minimum_; });
  return value;
}

int ProgressBar::maximum() const {
  int value = 0;
  OnUiThread([&] { value = maximum_; });
  return value;
}

void ProgressBar::setRange(int minimum, int maximum) {
  OnUiThread([&] {
    if (destroyed_) return;
    minimum_ = minimum;
    maximum_ = maximum;
    if (position_ < minimum_) position_ = minimum_;
    if (position_ > maximum_) position_ = maximum_;
    changed(Prop::Progress);
  });
}

int ProgressBar::position() const {
  int value = 0;
  OnUiThread([&] { value = position_; });
  return value;
}

void ProgressBar::setPosition(int position) {
  OnUiThread([&] {
    if (destroyed_) return;
    // A progress bar shows nothing outside its range; keep the value it can show.
    position_ = position < minimum_ ? minimum_ : position > maximum_ ? maximum_ : position;
    changed(Prop::Progress);
  });
}

WebBrowser::WebBrowser(Control& parent, const char* name, const Rect& bounds)
    : Control(Kind::WebBrowser, &parent, name, bounds, Text()) {
  realize();
}

Text WebBrowser::address() const {
  Text value;
  OnUiThread([&] { value = address_; });
  return value;
}

void WebBrowser::navigate(const Text& url) {
  OnUiThread([&] {
    if (destroyed_) return;
    address_ = url;
    changed(Prop::Address);
  });
}

Timer::Timer(Window& window, const char* name, int periodMs)
    : Control(Kind::Timer, &window, name, Rect(), Text()), period_(periodMs) {
  realize();
}

int Timer::period() const {
  int value = 0;
  OnUiThread([&] { value = period_; });
  return value;
}

void Timer::setPeriod(int periodMs) {
  OnUiThread([&] {
    if (destroyed_) return;
    period_ = periodMs < 0 ? 0 : periodMs;
    changed(Prop::Period);
  });
}

void Timer::notifyTick() {
  if (!destroyed_ && period_ > 0 && onTick) onTick();
}

BalloonTip::BalloonTip(Window& window, const char* name)
    : Control(Kind::BalloonTip, &window, name, Rect(), Text()) {
  realize();
}

void BalloonTip::setTip(Control& control, const Text& tip) {
  OnUiThread([&] {
    if (destroyed_) return;
    for (auto& entry : tips_) {
      if (entry.first == &control) {
        entry.second = tip;
        changed(Prop::Tips);
        return;
      }
    }
    tips_.emplace_back(&control, tip);
    changed(Prop::Tips);
  });
}

Text BalloonTip::tipOf(const Control& control) const {
  Text value;
  OnUiThread([&] {
    for (const auto& entry : tips_) {
      if (entry.first == &control) value = entry.second;
    }
  });
  return value;
}

std::vector<std::pair<Control*, Text>> BalloonTip::tips() const {
  std::vector<std::pair<Control*, Text>> value;
  OnUiThread([&] { value = tips_; });
  return value;
}

}  // namespace toolkit
