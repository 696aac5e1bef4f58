#pragma once
// Windows and controls as small objects with properties and event handlers. The same window
// code runs on the Win32 side and on the headless side used by the tests.
//
// Every property call may come from any thread: the backend carries it to the user-interface
// thread (Win32) or serialises it (headless). Events always run on the user-interface thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/text.h"

namespace toolkit {

using Colour = std::uint32_t;  // 0x00BBGGRR

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

enum class Kind {
  Window,
  Label,
  TransparentLabel,
  LinkLabel,
  Edit,
  CheckBox,
  Button,
  GroupBox,
  PictureBox,
  ProgressBar,
  WebBrowser,
  Timer,
  BalloonTip,
  ListView,
  TreeView,
  Canvas,
  ImageButton,
  AnimationBox,
  TrayIcon,
};

// A property whose value changed in the control's state; the backend brings its side up to date.
enum class Prop {
  Text,
  Bounds,
  Visible,
  Enabled,
  TextColour,
  PasswordMode,
  Checked,
  Progress,  // range or position
  Address,
  Period,
  Tips,
  Focus,  // the control is to take the keyboard focus
  Columns,   // list columns added, resized or fitted; the control's lastChange() says which
  Images,    // image list, or the picture of an image button
  Items,     // list rows or tree items; the control's lastChange() says which
  Selection,
  Drawing,   // canvas runs, colours or font
  Objects,   // animation box objects
  Menu,      // tray menu items
  Popup,     // the tray menu is to open at the pointer
};

class Control;
class Window;

// The backend's side of one control.
class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Update(Prop prop) = 0;
};

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  // The design name, as the window's design calls the control.
  const char* name() const { return name_; }
  Control* parent() const { return parent_; }
  Window* window() const;
  const std::vector<Control*>& children() const { return children_; }
  Peer* peer() const { return peer_.get(); }

  Text text() const;
  void setText(const Text& text);
  Rect bounds() const;
  void setBounds(const Rect& bounds);
  int left() const { return bounds().left; }
  int top() const { return bounds().top; }
  int width() const { return bounds().width; }
  int height() const { return bounds().height; }
  void setLeft(int value);
  void setTop(int value);
  void setWidth(int value);
  void setHeight(int value);
  bool visible() const;
  void setVisible(bool visible);
  bool enabled() const;
  void setEnabled(bool enabled);
  // Gives the control the keyboard focus.
  void focus();
  bool focused() const;

  // Destroys the control and its children; later property calls change nothing.
  void destroy();
  bool destroyed() const;

  // Event entry points: the backends (and the headless test helpers) report what happened.
  void notifyFocus(bool gained);
  void notifyTextChanged(const Text& text);

  std::function<void()> onFocusGained;
  std::function<void()> onFocusLost;
  std::function<void()> onChanged;

 protected:
  Control(Kind kind, Control* parent, const char* name, const Rect& bounds, const Text& text);
  // Creates the backend side; the last step of every concrete control's constructor.
  void realize();
  // Records the change and tells the backend, on the user-interface thread.
  void changed(Prop prop);
  virtual void onDestroy() {}

  // State read and written only through the backend's serialisation.
  Text text_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  bool destroyed_ = false;

 private:
  friend class Window;
  Kind kind_;
  Control* parent_;
  const char* name_;
  std::vector<Control*> children_;
  std::unique_ptr<Peer> peer_;
};

// Runs `work` on the user-interface thread and waits for it (at once when already there).
void OnUiThread(const std::function<void()>& work);
// Runs `work` later on the user-interface thread.
void Post(std::function<void()> work);
// Runs the message loop until the last window is destroyed.
void RunMessageLoop();

}  // namespace toolkit
