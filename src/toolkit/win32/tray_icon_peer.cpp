// The notification-area icon: a hidden window of its own receives the icon's callback
// messages and owns the popup menu. The icon is the program's (resource 1), or the stock one.
#include "toolkit/controls_more.h"
#include "toolkit/win32/more_peers.h"

#include <shellapi.h>  // after windows.h, which more_peers.h brings

namespace toolkit::win32 {
namespace {

const wchar_t kTrayClass[] = L"VarkonTray";
constexpr UINT kTrayMessage = WM_APP + 20;
constexpr UINT kIconId = 1;

LRESULT CALLBACK TrayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class TrayIconPeer final : public NativePeer {
 public:
  explicit TrayIconPeer(Control& control) : NativePeer(control) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc = {};
      wc.lpfnWndProc = TrayProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = kTrayClass;
      registered = RegisterClassW(&wc) != 0;
    }
    // A real (hidden) window, not a message-only one: the menu needs a window that can come
    // to the foreground, or it would not close when the user clicks elsewhere.
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return;
    Attach(hwnd, false);
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!icon_) icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    Update(Prop::Visible);
  }

  ~TrayIconPeer() override { Remove(); }

  void Update(Prop prop) override {
    if (!hwnd_) return;
    switch (prop) {
      case Prop::Visible:
        if (control_.visible()) {
          Add();
        } else {
          Remove();
        }
        break;
      case Prop::Text:
        if (added_) {
          NOTIFYICONDATAW data = Data();
          Shell_NotifyIconW(NIM_MODIFY, &data);
        }
        break;
      case Prop::Popup:
        ShowMenu();
        break;
      default:
        break;  // bounds, focus and the rest mean nothing for an icon
    }
  }

  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kTrayMessage && wParam == kIconId) {
      switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONUP:
          tray().notifyAction(TrayAction::LeftClick);
          break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
          tray().notifyAction(TrayAction::RightClick);
          break;
        case WM_LBUTTONDBLCLK:
          tray().notifyAction(TrayAction::DoubleClick);
          break;
        default:
          break;
      }
      return 0;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == 0) {
      tray().notifyMenuItem(LOWORD(wParam));
      return 0;
    }
    if (msg == taskbarCreated_ && added_) {
      // Explorer started again: the icon has to be put back.
      added_ = false;
      Add();
      return 0;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }

  bool added() const { return added_; }

 private:
  TrayIcon& tray() const { return static_cast<TrayIcon&>(control_); }

  NOTIFYICONDATAW Data() const {
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = hwnd_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon_;
    std::wstring tip = Wide(control_.text());
    lstrcpynW(data.szTip, tip.c_str(), static_cast<int>(sizeof(data.szTip) / sizeof(data.szTip[0])));
    return data;
  }

  void Add() {
    if (added_ || !hwnd_) return;
    NOTIFYICONDATAW data = Data();
    added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  }

  void Remove() {
    if (!added_ || !hwnd_) return;
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = hwnd_;
    data.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
  }

  void ShowMenu() {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : tray().menu()) {
      if (item.id == 0) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      } else {
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), Wide(item.text).c_str());
      }
    }
    POINT at;
    GetCursorPos(&at);
    // The documented dance: foreground first so the menu closes on a click elsewhere, and a
    // message after it so a second opening works.
    SetForegroundWindow(hwnd_);
    int chosen = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd_, nullptr);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen > 0) {
      tray().notifyMenuItem(chosen);
    } else {
      tray().notifyMenuClosed();
    }
  }

  HICON icon_ = nullptr;
  bool added_ = false;
  UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
};

LRESULT CALLBACK TrayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* peer = static_cast<TrayIconPeer*>(NativePeer::FromHwnd(hwnd));
  if (!peer) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return peer->Handle(msg, wParam, lParam);
}

}  // namespace

std::unique_ptr<Peer> CreateTrayIconPeer(Control& control) { return std::make_unique<TrayIconPeer>(control); }

}  // namespace toolkit::win32
