#pragma once
// What the Win32 peers share: the native handle of each control, the messages its container
// hands back to it, and the conversions and resources every peer needs.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "toolkit/control.h"

namespace toolkit::win32 {

std::wstring Wide(const Text& text);
Text Narrow(const std::wstring& text);
// The current window text, as GBK.
Text WindowText(HWND hwnd);

// The one font of every control, and its underlined twin for link labels.
HFONT DefaultFont();
HFONT LinkFont();

// The native side of one control. Child controls are subclassed so that focus changes and
// the notifications their container reflects back reach the peer.
class NativePeer : public Peer {
 public:
  explicit NativePeer(Control& control) : control_(control) {}
  ~NativePeer() override;

  void Update(Prop prop) override;
  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }

  // A message the control sent to its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*...),
  // handed back by the container. True when handled, with the answer in *result.
  virtual bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) { return false; }
  // A message to the control itself, before its class sees it.
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) { return false; }

  static NativePeer* FromHwnd(HWND hwnd);
  static NativePeer* Of(const Control* control);

 protected:
  // Creates a child control in the parent's client area from the control's state.
  void CreateChild(const wchar_t* className, DWORD style, DWORD exStyle = 0);
  // Takes ownership of a window made elsewhere and links it to this peer.
  void Attach(HWND hwnd, bool subclass);
  // The parent's native handle (a top-level window for timers and tips).
  HWND ParentHwnd() const;
  void ApplyBounds();

  Control& control_;
  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  bool subclassed_ = false;
};

// Registers a window class of the toolkit once; later calls change nothing.
void RegisterControlClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, UINT style = 0,
                          LPCWSTR cursor = IDC_ARROW);

// Hands a message a child sent to its container back to the child's peer. Containers call it
// first from their window procedure.
bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Timers live on their top-level window; the window's WM_TIMER comes here.
bool DeliverTimer(UINT_PTR id);

std::unique_ptr<Peer> CreateWindowPeer(Control& control);
std::unique_ptr<Peer> CreateStaticPeer(Control& control);
std::unique_ptr<Peer> CreateButtonPeer(Control& control);
std::unique_ptr<Peer> CreateGroupBoxPeer(Control& control);
std::unique_ptr<Peer> CreatePictureBoxPeer(Control& control);
std::unique_ptr<Peer> CreateEditPeer(Control& control);
std::unique_ptr<Peer> CreateProgressBarPeer(Control& control);
std::unique_ptr<Peer> CreateWebBrowserPeer(Control& control);
std::unique_ptr<Peer> CreateTimerPeer(Control& control);
std::unique_ptr<Peer> CreateBalloonTipPeer(Control& control);

}  // namespace toolkit::win32
