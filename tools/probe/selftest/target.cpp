// A window with one control of each kind the probe must read and work. Everything the
// controls see is appended to the log line at the bottom, which the probe reads back.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

enum Id {
  kGroup = 100, kUser = 101, kPassword = 102, kRemember = 103, kLogin = 104, kAsk = 105,
  kDisabled = 106, kNotify = 107, kLog = 108,
};

HWND g_main = nullptr;
WNDPROC g_group_proc = nullptr;
WNDPROC g_static_proc = nullptr;
HWND g_saved_focus = nullptr;

void log_event(const std::wstring& event) {
  HWND log = GetDlgItem(g_main, kLog);
  int n = GetWindowTextLengthW(log);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(log, &text[0], n + 1);
  text.resize(static_cast<size_t>(n));
  SetWindowTextW(log, (text + event + L";").c_str());
}

// The group box owns the user-name edit; its notifications belong to the main window.
LRESULT CALLBACK group_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) return SendMessageW(g_main, msg, wp, lp);
  return CallWindowProcW(g_group_proc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK static_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN) log_event(L"static-down");
  return CallWindowProcW(g_static_proc, hwnd, msg, wp, lp);
}

HWND make(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
          int h, int id, DWORD ex = 0) {
  HWND hwnd = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return hwnd;
}

void create_controls(HWND hwnd) {
  HWND group = make(hwnd, L"BUTTON", L"账号", BS_GROUPBOX, 10, 10, 300, 70, kGroup,
                    WS_EX_CONTROLPARENT);
  g_group_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(group, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(group_proc)));
  make(group, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 30, 200, 24, kUser);
  make(hwnd, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 10, 90, 200, 24,
       kPassword);
  make(hwnd, L"BUTTON", L"记住密码", WS_TABSTOP | BS_AUTOCHECKBOX, 10, 125, 150, 24, kRemember);
  make(hwnd, L"BUTTON", L"登录\n进入", WS_TABSTOP | BS_MULTILINE | BS_PUSHBUTTON, 10, 160, 120, 50,
       kLogin);
  make(hwnd, L"BUTTON", L"询问", WS_TABSTOP | BS_PUSHBUTTON, 10, 220, 100, 28, kAsk);
  make(hwnd, L"BUTTON", L"禁用", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 120, 220, 100, 28,
       kDisabled);
  HWND notify = make(hwnd, L"STATIC", L"点我", SS_NOTIFY, 240, 130, 80, 24, kNotify);
  g_static_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(notify, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(static_proc)));
  make(hwnd, L"STATIC", L"", 0, 10, 260, 460, 24, kLog);
}

void on_command(int id, int code, HWND control) {
  switch (id) {
    case kUser: case kPassword:
      if (code == EN_SETFOCUS) log_event(L"focus:" + std::to_wstring(id));
      break;
    case kRemember:
      if (code == BN_CLICKED)
        log_event(L"check=" + std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0)));
      break;
    case kLogin:
      log_event(L"login");
      MessageBoxW(g_main, L"欢迎\n第二行", L"提示", MB_OK);
      log_event(L"ok-closed");
      break;
    case kAsk: {
      int answer = MessageBoxW(g_main, L"继续吗？", L"询问", MB_YESNO | MB_ICONQUESTION);
      log_event(answer == IDYES ? L"yes" : answer == IDNO ? L"no" : L"other");
      break;
    }
    case kDisabled: log_event(L"disabled-fired"); break;
    case kNotify:
      if (code == STN_CLICKED) log_event(L"static-click");
      break;
    case IDOK: log_event(L"enter"); break;
    case IDCANCEL: log_event(L"escape"); break;
  }
}

LRESULT CALLBACK main_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: g_main = hwnd; create_controls(hwnd); return 0;
    case WM_COMMAND: on_command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)); return 0;
    case WM_ACTIVATE:
      // Like a dialog: the control that had the focus gets it back on reactivation.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) g_saved_focus = focus;
      } else if (g_saved_focus && IsWindow(g_saved_focus)) {
        SetFocus(g_saved_focus);
        return 0;
      }
      break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = main_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"VarkonProbeTarget";
  RegisterClassW(&wc);
  // An optional caption lets a second one stand in front of the first.
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const wchar_t* caption = argc > 1 ? argv[1] : L"探针测试窗口";
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, caption, WS_OVERLAPPEDWINDOW, 100, 100, 500,
                              340, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
