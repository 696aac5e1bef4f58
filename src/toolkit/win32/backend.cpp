// The Win32 backend: the thread that makes the first window is the user-interface thread;
// calls from other threads reach it through a hidden message-only window.
#include "toolkit/backend.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <vector>

#include "toolkit/win32/more_peers.h"
#include "toolkit/win32/native.h"
#include "toolkit/window.h"

namespace toolkit {
namespace {

constexpr UINT kRunNow = WM_APP + 1;    // lParam: a Call, run while the sender waits
constexpr UINT kRunPosted = WM_APP + 2;  // lParam: a heap std::function, run and freed
const wchar_t kDispatcherClass[] = L"VarkonDispatcher";

struct Call {
  const std::function<void()>* work;
  std::exception_ptr error;
};

std::atomic<DWORD> g_uiThread{0};
HWND g_dispatcher = nullptr;
// Guards the start-up: work that runs before the user-interface thread exists, and posts
// made before the dispatcher can take them.
std::recursive_mutex g_startLock;
std::vector<std::function<void()>*> g_early;

LRESULT CALLBACK DispatcherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kRunNow) {
    auto* call = reinterpret_cast<Call*>(lParam);
    try {
      (*call->work)();
    } catch (...) {
      call->error = std::current_exception();
    }
    return 0;
  }
  if (msg == kRunPosted) {
    std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lParam));
    (*work)();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void BecomeUiThread() {
  if (g_uiThread.load() != 0) return;
  std::lock_guard<std::recursive_mutex> hold(g_startLock);
  if (g_uiThread.load() != 0) return;

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSW wc = {};
  wc.lpfnWndProc = DispatcherProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kDispatcherClass;
  RegisterClassW(&wc);
  g_dispatcher = CreateWindowExW(0, kDispatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
  g_uiThread.store(GetCurrentThreadId());
  for (auto* work : g_early) {
    if (!PostMessageW(g_dispatcher, kRunPosted, 0, reinterpret_cast<LPARAM>(work))) delete work;
  }
  g_early.clear();
}

// The tab stops of a window in the order its controls are declared (their stacking order is
// the other way round: later controls lie above earlier ones).
void CollectTabStops(const Control& control, std::vector<HWND>& stops) {
  for (const Control* child : control.children()) {
    win32::NativePeer* peer = win32::NativePeer::Of(child);
    HWND hwnd = peer ? peer->hwnd() : nullptr;
    if (!hwnd || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) continue;
    if (GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) stops.push_back(hwnd);
    CollectTabStops(*child, stops);
  }
}

HWND NextTabStop(const Control& window, HWND current, bool backwards) {
  std::vector<HWND> stops;
  CollectTabStops(window, stops);
  if (stops.empty()) return nullptr;
  auto at = std::find(stops.begin(), stops.end(), current);
  std::size_t n = stops.size();
  if (at == stops.end()) return backwards ? stops.back() : stops.front();
  std::size_t i = static_cast<std::size_t>(at - stops.begin());
  return stops[backwards ? (i + n - 1) % n : (i + 1) % n];
}

// Tab and Shift+Tab move through the window's tab stops. Only Tab: the dialog manager would
// also take Enter and Esc, which the edit boxes' character event has to see.
bool TabNavigation(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  win32::NativePeer* peer = win32::NativePeer::FromHwnd(root);
  if (!peer || peer->control().kind() != Kind::Window) return false;
  // Asked without the message: with it, Wine's edit box switches to dialog behaviour for good.
  if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
  bool backwards = GetKeyState(VK_SHIFT) < 0;
  HWND next = NextTabStop(peer->control(), GetFocus(), backwards);
  if (!next) return true;
  SetFocus(next);
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
  return true;
}

}  // namespace

namespace backend {

std::unique_ptr<Peer> CreatePeer(Control& control) {
  BecomeUiThread();
  switch (control.kind()) {
    case Kind::Window:
      return win32::CreateWindowPeer(control);
    case Kind::Label:
    case Kind::TransparentLabel:
    case Kind::LinkLabel:
      return win32::CreateStaticPeer(control);
    case Kind::Button:
    case Kind::CheckBox:
      return win32::CreateButtonPeer(control);
    case Kind::GroupBox:
      return win32::CreateGroupBoxPeer(control);
    case Kind::PictureBox:
      return win32::CreatePictureBoxPeer(control);
    case Kind::Edit:
      return win32::CreateEditPeer(control);
    case Kind::ProgressBar:
      return win32::CreateProgressBarPeer(control);
    case Kind::WebBrowser:
      return win32::CreateWebBrowserPeer(control);
    case Kind::Timer:
      return win32::CreateTimerPeer(control);
    case Kind::BalloonTip:
      return win32::CreateBalloonTipPeer(control);
    case Kind::ListView:
      return win32::CreateListViewPeer(control);
    case Kind::TreeView:
      return win32::CreateTreeViewPeer(control);
    case Kind::Canvas:
      return win32::CreateCanvasPeer(control);
    case Kind::ImageButton:
      return win32::CreateImageButtonPeer(control);
    case Kind::AnimationBox:
      return win32::CreateAnimationBoxPeer(control);
    case Kind::TrayIcon:
      return win32::CreateTrayIconPeer(control);
  }
  return nullptr;
}

void OnUiThread(const std::function<void()>& work) {
  DWORD ui = g_uiThread.load();
  if (ui == GetCurrentThreadId()) {
    work();
    return;
  }
  if (ui == 0) {
    std::lock_guard<std::recursive_mutex> hold(g_startLock);
    if (g_uiThread.load() == 0) {
      work();
      return;
    }
  }
  Call call{&work, nullptr};
  SendMessageW(g_dispatcher, kRunNow, 0, reinterpret_cast<LPARAM>(&call));
  if (call.error) std::rethrow_exception(call.error);
}

void Post(std::function<void()> work) {
  auto* heap = new std::function<void()>(std::move(work));
  if (g_uiThread.load() == 0) {
    std::lock_guard<std::recursive_mutex> hold(g_startLock);
    if (g_uiThread.load() == 0) {
      g_early.push_back(heap);
      return;
    }
  }
  if (!PostMessageW(g_dispatcher, kRunPosted, 0, reinterpret_cast<LPARAM>(heap))) delete heap;
}

void RunMessageLoop() {
  if (Window::LiveWindows() == 0) return;
  MSG msg;
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) return;
    // A quit left over from windows closed before the current ones were made is not ours.
    if (got == 0) {
      if (Window::LiveWindows() == 0) return;
      continue;
    }
    if (TabNavigation(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void LastWindowDestroyed() { PostQuitMessage(0); }

}  // namespace backend
}  // namespace toolkit
