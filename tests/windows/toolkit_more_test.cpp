// The richer controls on the Win32 backend: what the native controls hold, read back through
// the Win32 API as another program would, and native events reaching the portable handlers.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/controls_more.h"
#include "toolkit/win32/native.h"

namespace toolkit {
namespace {

HWND Native(const Control& control) {
  win32::NativePeer* peer = win32::NativePeer::Of(&control);
  return peer ? peer->hwnd() : nullptr;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::wstring ListCell(HWND list, int row, int column) {
  wchar_t buffer[256] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

int ListImage(HWND list, int row, int column) {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = column;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void CALLBACK ChooseFirstMenuItem(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (!menu) return;
  KillTimer(nullptr, id);
  PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

struct Form : Window {
  Form() : Window("frmMore", Rect{40, 40, 640, 520}, "更多控件") {}
  GroupBox group{*this, "fraServers", Rect{10, 10, 500, 220}, "服务器"};
  ListView list{group, "lstServers", Rect{5, 16, 480, 190}};
  TreeView tree{*this, "treGroups", Rect{10, 240, 200, 150}};
  PictureBox viewport{*this, "picTicker", Rect{220, 240, 300, 24}};
  Canvas canvas{viewport, "cnvTicker", Rect{2, 2, 290, 20}};
  ImageButton button{*this, "btnForum", Rect{520, 10, 80, 80}, "论坛主页"};
  AnimationBox box{*this, "aniLogo", Rect{220, 280, 220, 100}};
  TrayIcon tray{*this, "trayMain", "Varkon在线CS同盟平台"};

  void fillList() {
    list.addColumn("id", 40);
    list.addColumn("服务器名称", 270);
    list.addColumn("玩家", 50, Align::Centre);
    list.setImages({PadlockImage(12, true), PadlockImage(12, false)});
    for (int i = 0; i < 3; ++i) {
      int row = list.addRow(std::to_string(i + 1));
      list.setCellText(row, 1, "服务器" + std::to_string(i + 1));
      list.setCellImage(row, 1, i % 2);
      list.setCellText(row, 2, std::to_string(i) + "/32");
    }
  }
};

TEST(Win32ListView, NativeListHoldsColumnsRowsCellsAndImages) {
  Form f;
  f.fillList();
  HWND list = Native(f.list);
  ASSERT_TRUE(IsWindow(list));
  EXPECT_EQ(LVS_REPORT, GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK);
  EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL);
  EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  EXPECT_EQ(3, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(40, SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
  EXPECT_EQ(270, SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0));
  EXPECT_EQ(L"2", ListCell(list, 1, 0));
  EXPECT_EQ(L"服务器2", ListCell(list, 1, 1));
  EXPECT_EQ(L"1/32", ListCell(list, 1, 2));
  EXPECT_EQ(1, ListImage(list, 1, 1));
  EXPECT_EQ(0, ListImage(list, 2, 1));
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_TRUE(images);
  EXPECT_EQ(2, ImageList_GetImageCount(images));

  f.list.insertRow(0, "0");
  f.list.removeRow(2);
  EXPECT_EQ(3, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(L"0", ListCell(list, 0, 0));
  EXPECT_EQ(L"1", ListCell(list, 1, 0));
  EXPECT_EQ(L"3", ListCell(list, 2, 0));
  f.list.reorderRows({2, 1, 0});
  EXPECT_EQ(L"3", ListCell(list, 0, 0));
  EXPECT_EQ(L"服务器3", ListCell(list, 0, 1));

  f.list.setColumnWidth(0, 60);
  EXPECT_EQ(60, SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
  f.list.fitColumns();
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(f.list.columnWidth(c), SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0)) << c;
  }
  f.list.selectRow(1);
  EXPECT_EQ(1, SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  f.list.clear();
  EXPECT_EQ(0, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

TEST(Win32ListView, ClicksOnRowsAndHeadersReachTheHandlers) {
  Form f;
  f.fillList();
  f.show();
  Pump();
  HWND list = Native(f.list);
  std::vector<std::string> events;
  f.list.onFocusChanged = [&](int r) { events.push_back("focus " + std::to_string(r)); };
  f.list.onActivated = [&](int r) { events.push_back("activate " + std::to_string(r)); };
  f.list.onColumnClick = [&](int c) { events.push_back("header " + std::to_string(c)); };
  f.list.selectRow(0);  // by the program: no event

  RECT row = {};
  row.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row)));
  int x = row.left + 60, y = (row.top + row.bottom) / 2;
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  SendMessageW(list, WM_LBUTTONUP, 0, At(x, y));
  Pump();
  EXPECT_EQ(2, f.list.selectedRow());
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
  SendMessageW(list, WM_LBUTTONUP, 0, At(x, y));
  Pump();

  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RECT title = {};
  ASSERT_TRUE(SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title)));
  int hx = (title.left + title.right) / 2, hy = (title.top + title.bottom) / 2;
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, At(hx, hy));
  SendMessageW(header, WM_LBUTTONUP, 0, At(hx, hy));
  Pump();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ("focus 2", events[0]);
  EXPECT_EQ("activate 2", events[1]);
  EXPECT_EQ("header 1", events.back());
}

TEST(Win32TreeView, NativeTreeHoldsItemsBoldAndExpanded) {
  Form f;
  f.tree.setImages({PadlockImage(16, false)});
  int a = f.tree.addItem(-1, "华南电信", 0, true);
  int s1 = f.tree.addItem(a, "一区", 0);
  int b = f.tree.addItem(-1, "华北网通", 0, true);
  f.tree.addItem(b, "二区", 0);
  f.tree.expandAll();
  f.tree.setItemText(s1, "一区获取失败");
  HWND tree = Native(f.tree);
  EXPECT_EQ(4, SendMessageW(tree, TVM_GETCOUNT, 0, 0));
  auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  ASSERT_TRUE(root);
  wchar_t buffer[64] = {};
  TVITEMW item = {};
  item.mask = TVIF_TEXT | TVIF_STATE;
  item.stateMask = TVIS_BOLD | TVIS_EXPANDED;
  item.hItem = root;
  item.pszText = buffer;
  item.cchTextMax = 64;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(L"华南电信"), buffer);
  EXPECT_TRUE(item.state & TVIS_BOLD);
  EXPECT_TRUE(item.state & TVIS_EXPANDED);
  auto child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
  item.hItem = child;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(std::wstring(L"一区获取失败"), buffer);
  EXPECT_FALSE(item.state & TVIS_BOLD);

  int selections = 0;
  f.tree.onSelectionChanged = [&] { ++selections; };
  f.tree.selectItem(b);  // by the program: no event
  EXPECT_EQ(0, selections);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));  // as a click would
  EXPECT_EQ(1, selections);
  EXPECT_EQ(Text("一区获取失败"), f.tree.selectedText());
  f.tree.clear();
  EXPECT_EQ(0, SendMessageW(tree, TVM_GETCOUNT, 0, 0));
}

COLORREF PixelOf(HWND hwnd, int x, int y) {
  HDC screen = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(screen);
  RECT r;
  GetClientRect(hwnd, &r);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  // The window paints itself into our bitmap, whatever lies over it on the screen.
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  COLORREF pixel = GetPixel(memory, x, y);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, screen);
  return pixel;
}

TEST(Win32Canvas, MeasuresWithItsFontAndPaintsItsRuns) {
  Form f;
  f.canvas.setFont("新宋体", 16);
  f.canvas.setBackground(RGB(0, 0, 64));
  int one = f.canvas.textWidth("W");
  EXPECT_GT(one, 0);
  EXPECT_EQ(0, f.canvas.textWidth(""));
  EXPECT_GT(f.canvas.textWidth("WWWW"), 3 * one);
  int small = f.canvas.textWidth("WWWW");
  f.canvas.setFont("新宋体", 32);
  EXPECT_GT(f.canvas.textWidth("WWWW"), small);
  f.canvas.setFont("新宋体", 16);

  f.canvas.setWritePosition(0, 0);
  f.canvas.setTextColour(RGB(255, 0, 0));
  f.canvas.write("■■■■");
  EXPECT_EQ(f.canvas.textWidth("■■■■"), f.canvas.writeX());
  f.show();
  Pump();
  // Count red pixels along the text's middle line: the run was painted.
  HWND hwnd = Native(f.canvas);
  int red = 0;
  for (int x = 0; x < f.canvas.writeX(); ++x) {
    if (PixelOf(hwnd, x, 8) == RGB(255, 0, 0)) ++red;
  }
  EXPECT_GT(red, 0);
  EXPECT_EQ(RGB(0, 0, 64), PixelOf(hwnd, f.canvas.writeX() + 20, 8));

  int moves = 0;
  f.canvas.onMouseMove = [&] { ++moves; };
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, At(3, 3));
  EXPECT_EQ(1, moves);
}

TEST(Win32ImageButton, ClickedByMouseAndByBmClickUnlessDisabled) {
  Form f;
  f.show();
  Pump();
  HWND button = Native(f.button);
  int clicks = 0;
  f.button.onClick = [&] { ++clicks; };
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageW(button, WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_EQ(1, clicks);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, At(200, 10));  // dragged off before release
  SendMessageW(button, WM_LBUTTONUP, 0, At(200, 10));
  EXPECT_EQ(1, clicks);
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(2, clicks);
  f.button.setEnabled(false);
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(2, clicks);
  wchar_t caption[32] = {};
  GetWindowTextW(button, caption, 32);
  EXPECT_EQ(std::wstring(L"论坛主页"), caption);
}

TEST(Win32AnimationBox, PointerMessagesBecomeObjectEvents) {
  Form f;
  f.box.setTemplate(AnimationObject{Rect{30, 2, 210, 93}, PlaceholderImage(210, 93, 0xFF2060A0)});
  f.box.createObject(0, 2);
  f.show();
  Pump();
  HWND box = Native(f.box);
  std::vector<std::string> events;
  f.box.onPointerEnter = [&](int i) { events.push_back("enter " + std::to_string(i)); };
  f.box.onPointerLeave = [&](int i) { events.push_back("leave " + std::to_string(i)); };
  f.box.onLeftButtonUp = [&](int i) { events.push_back("up " + std::to_string(i)); };
  SendMessageW(box, WM_MOUSEMOVE, 0, At(50, 50));
  SendMessageW(box, WM_LBUTTONUP, 0, At(50, 50));
  SendMessageW(box, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ((std::vector<std::string>{"enter 0", "up 0", "leave 0"}), events);
}

TEST(Win32TrayIcon, IsAddedShownAndRemovedAndPassesClicksOn) {
  auto tray = std::make_unique<Form>();
  HWND hwnd = Native(tray->tray);
  ASSERT_TRUE(IsWindow(hwnd));
  NOTIFYICONDATAW probe = {};
  probe.cbSize = NOTIFYICONDATAW_V2_SIZE;
  probe.hWnd = hwnd;
  probe.uID = 1;
  probe.uFlags = NIF_TIP;
  // Only an icon that is there can be modified.
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
  tray->tray.show();
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &probe));

  std::vector<std::string> events;
  tray->tray.onLeftClick = [&] { events.push_back("left"); };
  tray->tray.onRightClick = [&] { events.push_back("right"); };
  tray->tray.onDoubleClick = [&] { events.push_back("double"); };
  tray->tray.onMenuItem = [&](int id) { events.push_back("item " + std::to_string(id)); };
  tray->tray.setMenu({{1, "显示界面"}, {0, ""}, {5, "退出"}});
  SendMessageW(hwnd, WM_APP + 20, 1, WM_LBUTTONUP);
  SendMessageW(hwnd, WM_APP + 20, 1, WM_LBUTTONDBLCLK);
  SendMessageW(hwnd, WM_APP + 20, 1, WM_RBUTTONUP);
  SendMessageW(hwnd, WM_COMMAND, 5, 0);  // what the menu sends for "退出"
  SendMessageW(hwnd, WM_COMMAND, 9, 0);  // not on the menu
  EXPECT_EQ((std::vector<std::string>{"left", "double", "right", "item 5"}), events);

  // The menu opens and a choice made in it arrives: keys sent to the menu window once it is up.
  SetTimer(nullptr, 0, 200, ChooseFirstMenuItem);
  tray->tray.showMenu();
  EXPECT_FALSE(tray->tray.menuOpen());
  EXPECT_EQ("item 1", events.back());

  tray->tray.setVisible(false);
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
  tray->tray.show();
  tray.reset();  // destroying the window takes the icon away
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe));
}

}  // namespace
}  // namespace toolkit
