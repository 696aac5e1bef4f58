// The Win32 toolkit backend, checked from the Win32 side: what each control shows natively
// and which native events reach the portable handlers.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/encoding.h"
#include "toolkit/controls.h"
#include "toolkit/win32/native.h"

namespace toolkit {
namespace {

HWND Native(const Control& control) {
  win32::NativePeer* peer = win32::NativePeer::Of(&control);
  return peer ? peer->hwnd() : nullptr;
}

std::wstring NativeText(HWND hwnd) {
  wchar_t buffer[512] = {};
  GetWindowTextW(hwnd, buffer, 512);
  return buffer;
}

// What another program reading the window text would get, taken back to GBK.
Text NativeGbk(HWND hwnd) {
  std::wstring wide = NativeText(hwnd);
  return platform::WideToAnsi(std::u16string(wide.begin(), wide.end()));
}

Rect InParent(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void ExpectRect(const Rect& expected, const Rect& actual, const char* what) {
  EXPECT_EQ(expected.left, actual.left) << what;
  EXPECT_EQ(expected.top, actual.top) << what;
  EXPECT_EQ(expected.width, actual.width) << what;
  EXPECT_EQ(expected.height, actual.height) << what;
}

// Runs what is waiting for this thread. Quits left behind by earlier tests' windows are dropped.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps until `done`; the limit only keeps a broken build from hanging the run.
bool PumpUntil(const std::function<bool()>& done) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 20000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

struct Gallery : Window {
  Gallery() : Window("frmGallery", Rect{50, 50, 397, 313}, "Varkon同盟平台") {}
  Label news{*this, "lblNews", Rect{10, 10, 160, 16}, "公告：欢迎光临"};
  TransparentLabel clear{*this, "lblClear", Rect{10, 30, 160, 30}, "第一行\r\n第二行"};
  LinkLabel link{*this, "lblRegister", Rect{10, 64, 80, 14}, "注册帐号"};
  GroupBox group{*this, "fraLogin", Rect{180, 8, 200, 140}, "登陆信息"};
  Edit user{group, "txtUser", Rect{10, 20, 120, 20}, "玩家"};
  Edit password{group, "txtPassword", Rect{10, 46, 120, 20}};
  Button login{group, "cmdLogin", Rect{136, 20, 56, 46}, "登陆\r\n[Login]"};
  CheckBox remember{group, "chkRemember", Rect{10, 72, 120, 18}, "记住密码"};
  TransparentLabel hint{group, "lblHint", Rect{10, 96, 180, 30}, "组内的透明文字"};
  PictureBox picture{*this, "picLogo", Rect{10, 90, 160, 60}};
  Label onPicture{picture, "lblLogo", Rect{4, 4, 100, 16}, "图片框"};
  ProgressBar progress{*this, "pgbUpdate", Rect{10, 160, 370, 16}};
  WebBrowser web{*this, "webNews", Rect{10, 184, 370, 90}};
  Timer timer{*this, "tmrPoll", 0};
  BalloonTip tips{*this, "tipHelp"};

  std::vector<Control*> visibleChildren() {
    return {&news, &clear, &link, &group, &user, &password, &login, &remember, &hint, &picture, &onPicture,
            &progress, &web};
  }
};

TEST(Win32Window, IsCreatedHiddenWithItsOuterRectangleOnTheScreen) {
  Gallery g;
  HWND hwnd = Native(g);
  ASSERT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(50, r.left);
  EXPECT_EQ(50, r.top);
  EXPECT_EQ(397, r.right - r.left);
  EXPECT_EQ(313, r.bottom - r.top);
  EXPECT_EQ(L"Varkon同盟平台", NativeText(hwnd));

  g.show();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  g.setBounds(Rect{60, 70, 400, 300});
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(60, r.left);
  EXPECT_EQ(70, r.top);
  EXPECT_EQ(400, r.right - r.left);
  EXPECT_EQ(300, r.bottom - r.top);
  ExpectRect(Rect{60, 70, 400, 300}, g.bounds(), "window");
}

TEST(Win32Controls, TextsAreShownAsUnicodeAndReadBackAsTheSameGbk) {
  Gallery g;
  struct Case {
    Control* control;
    const wchar_t* design;
  };
  const Case cases[] = {
      {&g.news, L"公告：欢迎光临"}, {&g.clear, L"第一行\r\n第二行"}, {&g.link, L"注册帐号"},
      {&g.group, L"登陆信息"},     {&g.user, L"玩家"},              {&g.login, L"登陆\r\n[Login]"},
      {&g.remember, L"记住密码"},  {&g.hint, L"组内的透明文字"},     {&g, L"Varkon同盟平台"},
  };
  for (const Case& c : cases) {
    HWND hwnd = Native(*c.control);
    EXPECT_EQ(c.design, NativeText(hwnd)) << c.control->name();
    EXPECT_EQ(c.control->text(), NativeGbk(hwnd)) << c.control->name();

    const Text changed = Text("新：") + c.control->name() + "·№";
    c.control->setText(changed);
    EXPECT_EQ(std::wstring(L"新：") + std::wstring(c.control->name(), c.control->name() + strlen(c.control->name())) +
                  L"·№",
              NativeText(hwnd))
        << c.control->name();
    EXPECT_EQ(changed, NativeGbk(hwnd)) << c.control->name();
  }
}

TEST(Win32Controls, AllUseSimSun12AndLinksAreUnderlined) {
  Gallery g;
  for (Control* control : g.visibleChildren()) {
    if (control == &g.picture || control == &g.web) continue;
    auto font = reinterpret_cast<HFONT>(SendMessageW(Native(*control), WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font) << control->name();
    LOGFONTW lf = {};
    ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
    EXPECT_STREQ(L"宋体", lf.lfFaceName) << control->name();
    EXPECT_EQ(-12, lf.lfHeight) << control->name();
    EXPECT_EQ(control == &g.link, lf.lfUnderline != 0) << control->name();
  }
}

TEST(Win32Controls, BoundsAreRelativeToTheParentsClientArea) {
  Gallery g;
  for (Control* control : g.visibleChildren()) {
    ExpectRect(control->bounds(), InParent(Native(*control)), control->name());
  }
  EXPECT_EQ(Native(g.group), GetParent(Native(g.user)));
  EXPECT_EQ(Native(g.picture), GetParent(Native(g.onPicture)));

  g.user.setBounds(Rect{12, 24, 100, 22});
  ExpectRect(Rect{12, 24, 100, 22}, InParent(Native(g.user)), "moved edit");
  g.login.setLeft(140);
  g.login.setHeight(40);
  ExpectRect(Rect{140, 20, 56, 40}, InParent(Native(g.login)), "moved button");
  g.clear.setTop(34);
  ExpectRect(Rect{10, 34, 160, 30}, InParent(Native(g.clear)), "moved transparent label");
}

TEST(Win32Controls, VisibleAndEnabledFollowTheControl) {
  Gallery g;
  g.show();
  for (Control* control : g.visibleChildren()) {
    HWND hwnd = Native(*control);
    EXPECT_TRUE(IsWindowVisible(hwnd)) << control->name();
    control->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(hwnd)) << control->name();
    control->setVisible(true);
    EXPECT_TRUE(IsWindowVisible(hwnd)) << control->name();
    control->setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(hwnd)) << control->name();
    control->setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(hwnd)) << control->name();
  }
  // Hiding a container hides what it holds.
  g.group.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(Native(g.user)));
  g.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(Native(g)));
}

TEST(Win32Edit, PasswordMaskSwitchesBothWays) {
  Gallery g;
  HWND hwnd = Native(g.password);
  g.password.setText("secret");
  EXPECT_EQ(0, SendMessageW(hwnd, EM_GETPASSWORDCHAR, 0, 0));
  for (bool on : {true, false, true, false}) {
    g.password.setPasswordMode(on);
    EXPECT_EQ(on ? L'*' : 0, SendMessageW(hwnd, EM_GETPASSWORDCHAR, 0, 0)) << on;
    EXPECT_EQ(L"secret", NativeText(hwnd));
  }
}

TEST(Win32Edit, TypedCharacterReachesOnCharBeforeTheBoxTakesItIn) {
  Gallery g;
  HWND hwnd = Native(g.user);
  std::vector<Text> seen;
  std::vector<std::wstring> textWhenSeen;
  int changes = 0;
  g.user.onChar = [&](const Text& character) {
    seen.push_back(character);
    textWhenSeen.push_back(NativeText(hwnd));
  };
  g.user.onChanged = [&] { ++changes; };
  SendMessageW(hwnd, EM_SETSEL, 2, 2);  // caret after the design text

  struct Case {
    wchar_t typed;
    Text reported;
    const wchar_t* before;
    const wchar_t* after;
  };
  const Case cases[] = {
      {L'a', "a", L"玩家", L"玩家a"},
      {L'中', "中", L"玩家a", L"玩家a中"},
      {L'\b', "\b", L"玩家a中", L"玩家a"},
      {L'\u0E01', "?", L"玩家a", L"玩家a\u0E01"},  // Thai: no GBK form, so the default character
  };
  for (std::size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
    const Case& c = cases[i];
    SendMessageW(hwnd, WM_CHAR, c.typed, 1);
    ASSERT_EQ(i + 1, seen.size());
    EXPECT_EQ(c.reported, seen[i]) << i;
    EXPECT_EQ(c.before, textWhenSeen[i]) << i;
    EXPECT_EQ(c.after, NativeText(hwnd)) << i;
    EXPECT_EQ(static_cast<int>(i + 1), changes) << i;
    EXPECT_EQ(NativeGbk(hwnd), g.user.text()) << i;
  }
}

TEST(Win32Edit, OnlyTheUsersChangesFireOnChanged) {
  Gallery g;
  HWND hwnd = Native(g.user);
  int changes = 0;
  g.user.onChanged = [&] { ++changes; };

  g.user.setText("程序写的");
  EXPECT_EQ(0, changes);
  EXPECT_EQ(L"程序写的", NativeText(hwnd));

  // A paste replaces the selection the way the user's Ctrl+V does.
  SendMessageW(hwnd, EM_SETSEL, 0, -1);
  SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"粘贴的"));
  EXPECT_EQ(1, changes);
  EXPECT_EQ("粘贴的", g.user.text());

  g.user.setText("");
  EXPECT_EQ(1, changes);
  EXPECT_EQ("", g.user.text());
}

TEST(Win32Edit, TextColourIsGivenThroughTheGroupBoxAroundIt) {
  Gallery g;
  g.user.setTextColour(RGB(200, 0, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  // The edit asks its parent, the group box; the colour must come back all the same.
  LRESULT brush = SendMessageW(Native(g.group), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(Native(g.user)));
  EXPECT_NE(0, brush);
  EXPECT_EQ(RGB(200, 0, 0), GetTextColor(dc));
  EXPECT_EQ(RGB(255, 255, 255), GetBkColor(dc));
  DeleteDC(dc);
}

TEST(Win32Labels, SeeThroughAndLinkLabelsPaintOnTheParentsBackground) {
  Gallery g;
  struct Case {
    Control* label;
    COLORREF text;
  };
  const Case cases[] = {{&g.clear, GetSysColor(COLOR_WINDOWTEXT)}, {&g.hint, GetSysColor(COLOR_WINDOWTEXT)},
                        {&g.link, RGB(0, 0, 255)}};
  for (const Case& c : cases) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkMode(dc, OPAQUE);
    HWND label = Native(*c.label);
    LRESULT brush = SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)), brush) << c.label->name();
    EXPECT_EQ(TRANSPARENT, GetBkMode(dc)) << c.label->name();
    EXPECT_EQ(c.text, GetTextColor(dc)) << c.label->name();
    DeleteDC(dc);
  }
}

TEST(Win32Events, ClicksReachTheirHandlersAlsoInsideAGroupBox) {
  Gallery g;
  g.show();
  int clicks = 0, boxClicks = 0, linkPresses = 0;
  g.login.onClick = [&] { ++clicks; };
  g.remember.onClick = [&] { ++boxClicks; };
  g.link.onMouseDown = [&] { ++linkPresses; };

  SendMessageW(Native(g.login), BM_CLICK, 0, 0);
  EXPECT_EQ(1, clicks);

  SendMessageW(Native(g.remember), BM_CLICK, 0, 0);
  EXPECT_EQ(1, boxClicks);
  EXPECT_TRUE(g.remember.checked());
  SendMessageW(Native(g.remember), BM_CLICK, 0, 0);
  EXPECT_EQ(2, boxClicks);
  EXPECT_FALSE(g.remember.checked());

  SendMessageW(Native(g.link), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(Native(g.link), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(1, linkPresses);

  // Disabled controls stay out of it, also when the click is sent from outside.
  g.login.setEnabled(false);
  SendMessageW(Native(g.login), BM_CLICK, 0, 0);
  EXPECT_EQ(1, clicks);
  g.remember.setEnabled(false);
  SendMessageW(Native(g.remember), BM_CLICK, 0, 0);
  EXPECT_EQ(2, boxClicks);
  EXPECT_FALSE(g.remember.checked());
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(Native(g.remember), BM_GETCHECK, 0, 0));
}

TEST(Win32CheckBox, CheckedStateIsShownWithoutAClick) {
  Gallery g;
  int clicks = 0;
  g.remember.onClick = [&] { ++clicks; };
  HWND hwnd = Native(g.remember);
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
  g.remember.setChecked(true);
  EXPECT_EQ(BST_CHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
  g.remember.setChecked(false);
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(hwnd, BM_GETCHECK, 0, 0));
  EXPECT_EQ(0, clicks);
}

TEST(Win32ProgressBar, ShowsTheRangeAndPosition) {
  Gallery g;
  HWND hwnd = Native(g.progress);
  EXPECT_EQ(0, SendMessageW(hwnd, PBM_GETPOS, 0, 0));
  g.progress.setRange(10, 50);
  g.progress.setPosition(30);
  EXPECT_EQ(10, SendMessageW(hwnd, PBM_GETRANGE, TRUE, 0));
  EXPECT_EQ(50, SendMessageW(hwnd, PBM_GETRANGE, FALSE, 0));
  EXPECT_EQ(30, SendMessageW(hwnd, PBM_GETPOS, 0, 0));
  g.progress.setPosition(80);
  EXPECT_EQ(50, SendMessageW(hwnd, PBM_GETPOS, 0, 0));
}

TEST(Win32Focus, FollowsTheNativeFocus) {
  Gallery g;
  g.show();
  std::vector<std::string> events;
  g.user.onFocusGained = [&] { events.push_back("user+"); };
  g.user.onFocusLost = [&] { events.push_back("user-"); };
  g.password.onFocusGained = [&] { events.push_back("password+"); };

  g.user.focus();
  EXPECT_EQ(Native(g.user), GetFocus());
  EXPECT_EQ(&g.user, g.focusedControl());
  EXPECT_TRUE(g.user.focused());
  g.password.focus();
  EXPECT_EQ(Native(g.password), GetFocus());
  EXPECT_EQ(&g.password, g.focusedControl());
  EXPECT_EQ((std::vector<std::string>{"user+", "user-", "password+"}), events);

  g.login.focus();
  EXPECT_EQ(Native(g.login), GetFocus());
  EXPECT_EQ(&g.login, g.focusedControl());
}

TEST(Win32Timer, TicksWhileMessagesArePumpedAndStopsAtPeriodZero) {
  Gallery g;
  int ticks = 0;
  g.timer.onTick = [&] {
    if (++ticks == 3) g.timer.setPeriod(0);
  };
  g.timer.setPeriod(10);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  // A second timer on the same window keeps running after the first stopped; by the time it
  // ticked a few times a stale tick of the first would have come too.
  Timer other(g, "tmrOther", 10);
  int otherTicks = 0;
  other.onTick = [&] { ++otherTicks; };
  ASSERT_TRUE(PumpUntil([&] { return otherTicks >= 3; }));
  EXPECT_EQ(3, ticks);
}

TEST(Win32Timer, TickMayDestroyItsWindow) {
  auto window = std::make_unique<Window>("frmShort", Rect{10, 10, 200, 100}, "短");
  Timer timer(*window, "tmrClose", 5);
  HWND hwnd = Native(*window);
  timer.onTick = [&] { window->destroy(); };
  ASSERT_TRUE(PumpUntil([&] { return window->destroyed(); }));
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Win32Window, CloseAsksTheWindowFirst) {
  Gallery g;
  g.show();
  HWND hwnd = Native(g);
  HWND child = Native(g.user);
  bool allow = false;
  int asked = 0, destroyed = 0;
  g.onCloseRequested = [&] {
    ++asked;
    return allow;
  };
  g.onDestroyed = [&] { ++destroyed; };

  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(1, asked);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(g.destroyed());

  allow = true;
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(2, asked);
  EXPECT_EQ(1, destroyed);
  EXPECT_TRUE(g.destroyed());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindow(child));
  // The objects outlive their windows; changing them is harmless.
  g.user.setText("无窗口");
  EXPECT_EQ(nullptr, Native(g.user));
}

TEST(Win32Controls, ADestroyedChildLosesItsWindowOnly) {
  Gallery g;
  HWND label = Native(g.news);
  g.news.destroy();
  EXPECT_FALSE(IsWindow(label));
  EXPECT_TRUE(IsWindow(Native(g)));
  g.news.setText("不显示");
  EXPECT_TRUE(g.news.destroyed());
}

TEST(Win32Threads, PropertyCallsFromAnotherThreadRunOnTheUiThread) {
  Gallery g;
  const DWORD ui = GetCurrentThreadId();
  std::atomic<bool> done{false};
  DWORD ranOn = 0, postedOn = 0;
  Text readBack;
  int changes = 0;
  g.user.onChanged = [&] { ++changes; };

  std::thread worker([&] {
    g.news.setText("来自线程");
    g.user.setText("线程写的");
    g.progress.setPosition(42);
    g.remember.setChecked(true);
    readBack = g.user.text();
    OnUiThread([&] { ranOn = GetCurrentThreadId(); });
    Post([&] { postedOn = GetCurrentThreadId(); });
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return done && postedOn != 0; }));
  worker.join();

  EXPECT_EQ(ui, ranOn);
  EXPECT_EQ(ui, postedOn);
  EXPECT_EQ(L"来自线程", NativeText(Native(g.news)));
  EXPECT_EQ(L"线程写的", NativeText(Native(g.user)));
  EXPECT_EQ("线程写的", readBack);
  EXPECT_EQ(0, changes);
  EXPECT_EQ(42, SendMessageW(Native(g.progress), PBM_GETPOS, 0, 0));
  EXPECT_EQ(BST_CHECKED, SendMessageW(Native(g.remember), BM_GETCHECK, 0, 0));
}

TEST(Win32WebBrowser, WindowTextIsTheAddress) {
  Gallery g;
  HWND pane = Native(g.web);
  EXPECT_EQ(L"", NativeText(pane));
  const Text addresses[] = {"http://127.0.0.1:8889/forum/index.php?from=client&lang=zh",
                            "http://127.0.0.1:8889/论坛/公告.htm"};
  const wchar_t* expected[] = {L"http://127.0.0.1:8889/forum/index.php?from=client&lang=zh",
                               L"http://127.0.0.1:8889/论坛/公告.htm"};
  for (int i = 0; i < 2; ++i) {
    g.web.navigate(addresses[i]);
    EXPECT_EQ(expected[i], NativeText(pane));
    EXPECT_EQ(addresses[i], g.web.address());
  }
  // The design text never replaces the address.
  g.web.setText("别的");
  EXPECT_EQ(expected[1], NativeText(pane));
  Pump();
}

TEST(Win32BalloonTip, OneToolPerControlWithItsText) {
  Gallery g;
  HWND tip = Native(g.tips);
  ASSERT_TRUE(IsWindow(tip));
  EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON);
  g.tips.setTip(g.user, "请输入帐号");
  g.tips.setTip(g.login, "登陆到平台");
  g.tips.setTip(g.user, "请输入\r\n游戏帐号");
  EXPECT_EQ(2, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
  EXPECT_GT(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 0);

  struct Case {
    Control* control;
    const wchar_t* text;
  };
  for (const Case& c : {Case{&g.user, L"请输入\r\n游戏帐号"}, Case{&g.login, L"登陆到平台"}}) {
    wchar_t buffer[128] = {};
    TTTOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = Native(g.group);
    info.uId = reinterpret_cast<UINT_PTR>(Native(*c.control));
    info.lpszText = buffer;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(c.text, buffer) << c.control->name();
  }
}

// Keys go through the real loop: Tab moves between tab stops (into the group box), while Enter
// stays a character of the edit box.
TEST(Win32MessageLoop, TabMovesTheFocusAndEnterReachesTheEditBox) {
  Gallery g;
  const HWND password = Native(g.password);
  ASSERT_TRUE(IsWindow(password));
  g.show();
  std::vector<Text> typed;
  g.password.onChar = [&](const Text& character) {
    typed.push_back(character);
    Post([&] { g.destroy(); });
  };
  // Only keeps a broken build from waiting for ever.
  Timer guard(g, "tmrGuard", 10000);
  guard.onTick = [&] { g.destroy(); };
  g.user.focus();
  auto key = [](HWND hwnd, UINT vk) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(hwnd, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(hwnd, WM_KEYUP, vk, scan | 1 | (1u << 30) | (1u << 31));
  };
  key(Native(g.user), VK_TAB);
  HWND afterTab = nullptr;
  Post([&] {
    afterTab = GetFocus();
    key(afterTab, VK_RETURN);
  });
  RunMessageLoop();
  EXPECT_EQ(password, afterTab);
  EXPECT_EQ(std::vector<Text>{"\r"}, typed);
}

TEST(Win32MessageLoop, EndsWhenTheLastWindowIsDestroyed) {
  Window window("frmLast", Rect{20, 20, 200, 100}, "最后");
  ASSERT_TRUE(IsWindow(Native(window)));
  window.show();
  Post([&] { SendMessageW(Native(window), WM_CLOSE, 0, 0); });
  RunMessageLoop();
  EXPECT_TRUE(window.destroyed());
  EXPECT_EQ(0, Window::LiveWindows());
}

}  // namespace
}  // namespace toolkit
