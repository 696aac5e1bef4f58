// Top-level windows: a fixed-size frame whose bounds are its outer rectangle on the screen.
#include "toolkit/win32/native.h"
#include "toolkit/window.h"

namespace toolkit::win32 {
namespace {

const wchar_t kWindowClass[] = L"VarkonWindow";

class WindowPeer final : public NativePeer {
 public:
  explicit WindowPeer(Control& control) : NativePeer(control) {
    RegisterClassOnce();
    Rect b = control.bounds();
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, Wide(control.text()).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, b.left, b.top,
                                b.width, b.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return;
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    Attach(hwnd, false);
    if (control.visible()) Update(Prop::Visible);
  }

  void Update(Prop prop) override {
    if (!hwnd_) return;
    switch (prop) {
      case Prop::Visible:
        if (control_.visible()) {
          ShowWindow(hwnd_, SW_SHOW);
          SetForegroundWindow(hwnd_);
          BringWindowToTop(hwnd_);
        } else {
          ShowWindow(hwnd_, SW_HIDE);
        }
        break;
      default:
        NativePeer::Update(prop);
        break;
    }
  }

 private:
  static void RegisterClassOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    done = RegisterClassExW(&wc) != 0;
  }

  static Rect OuterRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(msg, wParam, lParam, &result)) return result;
    auto* peer = static_cast<WindowPeer*>(FromHwnd(hwnd));
    if (!peer) return DefWindowProcW(hwnd, msg, wParam, lParam);
    auto& window = static_cast<Window&>(peer->control());
    switch (msg) {
      case WM_CLOSE:
        // The window's own code decides; it destroys the window when it allows the close.
        window.notifyCloseRequested();
        return 0;
      case WM_MOVE:
      case WM_SIZE:
        if (!IsIconic(hwnd)) window.notifyResized(OuterRect(hwnd));
        return 0;
      case WM_TIMER:
        if (DeliverTimer(wParam)) return 0;
        break;
      case WM_ACTIVATE:
        // Coming back to the window puts the focus where it was, not on the frame.
        if (LOWORD(wParam) == WA_INACTIVE) {
          HWND focus = GetFocus();
          if (focus && IsChild(hwnd, focus)) peer->lastFocus_ = focus;
        } else if (peer->lastFocus_ && IsWindow(peer->lastFocus_) && IsChild(hwnd, peer->lastFocus_)) {
          SetFocus(peer->lastFocus_);
          return 0;
        }
        break;
      default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  HWND lastFocus_ = nullptr;
};

}  // namespace

std::unique_ptr<Peer> CreateWindowPeer(Control& control) { return std::make_unique<WindowPeer>(control); }

}  // namespace toolkit::win32
