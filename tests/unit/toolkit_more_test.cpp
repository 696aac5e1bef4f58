// The richer controls on the headless toolkit: the state they keep and the events a person's
// actions raise.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/controls_more.h"
#include "toolkit/headless/simulate.h"
#include "toolkit/headless/simulate_more.h"

namespace toolkit {
namespace {

struct Form : Window {
  Form() : Window("frmMore", Rect{50, 50, 600, 500}, "更多控件") {}
  GroupBox group{*this, "fraServers", Rect{10, 10, 500, 300}, ""};
  ListView list{group, "lstServers", Rect{5, 10, 470, 200}};
  TreeView tree{*this, "treGroups", Rect{10, 320, 200, 150}};
  PictureBox viewport{*this, "picTicker", Rect{220, 320, 300, 22}};
  Canvas canvas{viewport, "cnvTicker", Rect{5, 2, 120, 18}};
  ImageButton button{*this, "btnForum", Rect{520, 10, 80, 80}, "论坛主页"};
  AnimationBox box{*this, "aniLogo", Rect{220, 350, 220, 100}};
  TrayIcon tray{*this, "trayMain", "Varkon在线CS同盟平台"};
};

std::vector<Text> Column(const ListView& list, int column) {
  std::vector<Text> texts;
  for (int r = 0; r < list.rowCount(); ++r) texts.push_back(list.cellText(r, column));
  return texts;
}

TEST(HeadlessListView, KeepsColumnsRowsAndCellsAsInserted) {
  Form f;
  f.list.addColumn("id", 40);
  f.list.addColumn("服务器名称", 270);
  f.list.addColumn("杀敌", 40, Align::Centre);
  ASSERT_EQ(3, f.list.columnCount());
  EXPECT_EQ(Text("服务器名称"), f.list.columns()[1].title);
  EXPECT_EQ(Align::Centre, f.list.columns()[2].align);
  EXPECT_EQ(270, f.list.columnWidth(1));

  EXPECT_EQ(0, f.list.addRow("1"));
  EXPECT_EQ(1, f.list.addRow("3"));
  EXPECT_EQ(1, f.list.insertRow(1, "2"));
  EXPECT_EQ(0, f.list.insertRow(-5, "0"));  // clamped to the ends
  f.list.setCellText(1, 1, "测试服务器");
  f.list.setCellImage(1, 1, 0);
  EXPECT_EQ((std::vector<Text>{"0", "1", "2", "3"}), Column(f.list, 0));
  EXPECT_EQ(Text("测试服务器"), f.list.cellText(1, 1));
  EXPECT_EQ(0, f.list.cellImage(1, 1));
  EXPECT_EQ(-1, f.list.cellImage(1, 2));
  // Cells outside the table read empty and ignore writes.
  f.list.setCellText(9, 0, "x");
  f.list.setCellText(0, 7, "x");
  EXPECT_EQ(Text(), f.list.cellText(9, 0));
  EXPECT_EQ(4, f.list.rowCount());

  f.list.removeRow(0);
  EXPECT_EQ((std::vector<Text>{"1", "2", "3"}), Column(f.list, 0));
  f.list.clear();
  EXPECT_EQ(0, f.list.rowCount());
  EXPECT_EQ(3, f.list.columnCount());
}

TEST(HeadlessListView, SelectionFollowsItsRowThroughInsertsRemovalsAndReorders) {
  Form f;
  f.list.addColumn("id", 40);
  for (const char* t : {"a", "b", "c", "d"}) f.list.addRow(t);
  f.list.selectRow(2);  // "c"
  f.list.insertRow(0, "z");
  EXPECT_EQ(3, f.list.selectedRow());
  f.list.removeRow(1);
  EXPECT_EQ(2, f.list.selectedRow());
  EXPECT_EQ(Text("c"), f.list.cellText(f.list.selectedRow(), 0));
  // z b c d -> d c b z
  f.list.reorderRows({3, 2, 1, 0});
  EXPECT_EQ((std::vector<Text>{"d", "c", "b", "z"}), Column(f.list, 0));
  EXPECT_EQ(1, f.list.selectedRow());
  // Not a permutation: nothing moves.
  for (const std::vector<int>& bad : {std::vector<int>{0, 0, 1, 2}, std::vector<int>{0, 1, 2}, std::vector<int>{0, 1, 2, 4}}) {
    f.list.reorderRows(bad);
    EXPECT_EQ((std::vector<Text>{"d", "c", "b", "z"}), Column(f.list, 0));
  }
  f.list.removeRow(1);
  EXPECT_EQ(-1, f.list.selectedRow());
  f.list.selectRow(99);
  EXPECT_EQ(-1, f.list.selectedRow());
}

TEST(HeadlessListView, PersonsActionsRaiseHeaderFocusAndActivationEvents) {
  Form f;
  f.list.addColumn("id", 40);
  f.list.addColumn("地图", 110);
  for (const char* t : {"1", "2", "3"}) f.list.addRow(t);
  std::vector<std::string> events;
  f.list.onColumnClick = [&](int c) { events.push_back("header " + std::to_string(c)); };
  f.list.onFocusChanged = [&](int r) { events.push_back("focus " + std::to_string(r) + " sel " + std::to_string(f.list.selectedRow())); };
  f.list.onActivated = [&](int r) { events.push_back("activate " + std::to_string(r)); };

  headless::ClickColumn(f.list, 1);
  headless::ClickColumn(f.list, 5);  // no such column
  headless::FocusRow(f.list, 2);
  headless::FocusRow(f.list, 2);  // already focused: no new event
  headless::ActivateRow(f.list, 0);
  headless::ActivateRow(f.list, 0);
  headless::FocusRow(f.list, 7);
  f.list.selectRow(1);  // by the program: no event
  EXPECT_EQ((std::vector<std::string>{"header 1", "focus 2 sel 2", "focus 0 sel 0", "activate 0", "activate 0"}), events);
  EXPECT_EQ(1, f.list.selectedRow());

  events.clear();
  f.group.setEnabled(false);
  headless::ClickColumn(f.list, 0);
  headless::ActivateRow(f.list, 2);
  EXPECT_TRUE(events.empty());
}

TEST(HeadlessListView, FitColumnsWidensToTheWidestTextAndTheLastFillsTheRest) {
  Form f;
  f.list.addColumn("id", 100);
  f.list.addColumn("name", 10);
  f.list.addRow("1");
  f.list.setCellText(0, 1, "a-rather-long-server-name");
  f.list.fitColumns();
  int first = f.list.columnWidth(0);
  int second = f.list.columnWidth(1);
  EXPECT_LT(first, 100);  // fits "id", not the design width
  EXPECT_GT(second, static_cast<int>(std::string("a-rather-long-server-name").size()) * 5);
  EXPECT_GE(first + second, f.list.width() - 4);
}

TEST(HeadlessListView, KeepsItsImages) {
  Form f;
  f.list.setImages({PadlockImage(12, true), PadlockImage(12, false)});
  auto images = f.list.images();
  ASSERT_EQ(2u, images.size());
  EXPECT_EQ(12, images[0].width);
  EXPECT_EQ(144u, images[1].pixels.size());
  EXPECT_NE(images[0].pixels, images[1].pixels);
}

TEST(HeadlessTreeView, BuildsItemsUnderParentsAndExpandsThem) {
  Form f;
  int a = f.tree.addItem(-1, "华南电信", 0, true);
  int b = f.tree.addItem(-1, "华北网通", 0, true);
  int s1 = f.tree.addItem(a, "一区", 0);
  int s2 = f.tree.addItem(b, "二区");
  int orphan = f.tree.addItem(42, "无主");
  EXPECT_EQ(5, f.tree.itemCount());
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), (std::vector<int>{a, b, s1, s2, orphan}));
  EXPECT_EQ(a, f.tree.item(s1).parent);
  EXPECT_EQ(b, f.tree.item(s2).parent);
  EXPECT_EQ(-1, f.tree.item(orphan).parent);
  EXPECT_TRUE(f.tree.item(a).bold);
  EXPECT_FALSE(f.tree.item(s1).bold);
  EXPECT_EQ(-1, f.tree.item(s2).image);
  f.tree.setItemText(s2, "二区获取失败");
  EXPECT_EQ(Text("二区获取失败"), f.tree.item(s2).text);
  f.tree.expandAll();
  for (const auto& item : f.tree.items()) EXPECT_TRUE(item.expanded) << item.text;
  f.tree.clear();
  EXPECT_EQ(0, f.tree.itemCount());
  EXPECT_EQ(-1, f.tree.selectedItem());
}

TEST(HeadlessTreeView, SelectionAndDoubleClickEvents) {
  Form f;
  int a = f.tree.addItem(-1, "A", 0, true);
  int s = f.tree.addItem(a, "S1");
  std::vector<std::string> events;
  f.tree.onSelectionChanged = [&] { events.push_back("sel " + f.tree.selectedText()); };
  f.tree.onDoubleClick = [&] { events.push_back("dbl " + f.tree.selectedText()); };
  headless::SelectTreeItem(f.tree, s);
  headless::SelectTreeItem(f.tree, s);  // unchanged: no event
  headless::DoubleClickTreeItem(f.tree, a);
  headless::DoubleClickTreeItem(f.tree, a);
  headless::SelectTreeItem(f.tree, 9);
  f.tree.selectItem(s);  // by the program: no event
  EXPECT_EQ((std::vector<std::string>{"sel S1", "sel A", "dbl A", "dbl A"}), events);
  EXPECT_EQ(Text("S1"), f.tree.selectedText());
}

TEST(HeadlessCanvas, WritesAdvanceThePositionByTheTextWidth) {
  Form f;
  f.canvas.setFont("新宋体", 16);
  EXPECT_EQ(Text("新宋体"), f.canvas.fontFace());
  struct Case {
    Text text;
    int width;
  };
  for (const Case& c : {Case{"", 0}, Case{"a", 8}, Case{"abc", 24}, Case{"消息", 32}, Case{"【消息获取失败】", 128},
                        Case{"a中b", 32}}) {
    EXPECT_EQ(c.width, f.canvas.textWidth(c.text)) << c.text;
  }
  f.canvas.setFont("宋体", 12);
  EXPECT_EQ(18, f.canvas.textWidth("abc"));
  f.canvas.setFont("新宋体", 16);

  f.canvas.setWritePosition(0, 0);
  f.canvas.setTextColour(0x0000FF);
  f.canvas.write("服务器");
  f.canvas.setTextColour(0xFFFFFF);
  f.canvas.write(", ok");
  EXPECT_EQ(48 + 32, f.canvas.writeX());
  EXPECT_EQ(0, f.canvas.writeY());
  auto runs = f.canvas.runs();
  ASSERT_EQ(2u, runs.size());
  EXPECT_EQ(0, runs[0].x);
  EXPECT_EQ(48, runs[0].width);
  EXPECT_EQ(0x0000FFu, runs[0].colour);
  EXPECT_EQ(48, runs[1].x);
  EXPECT_EQ(Text(", ok"), runs[1].text);
  EXPECT_EQ(0xFFFFFFu, runs[1].colour);
}

TEST(HeadlessCanvas, RedrawingTheSameTextEveryTickKeepsTheRunsBounded) {
  Form f;
  f.canvas.setFont("新宋体", 16);
  for (int tick = 0; tick < 2000; ++tick) {
    f.canvas.setWritePosition(0, 0);
    f.canvas.setTextColour(0x008000);
    f.canvas.write("a");
    f.canvas.setTextColour(0xFF8800);
    f.canvas.write("c");
  }
  EXPECT_EQ(2u, f.canvas.runs().size());
  // Runs that are never covered still stay within the limit.
  for (int i = 0; i < Canvas::kMaxRuns + 50; ++i) {
    f.canvas.setWritePosition(0, i);
    f.canvas.write("x");
  }
  EXPECT_EQ(static_cast<std::size_t>(Canvas::kMaxRuns), f.canvas.runs().size());
  f.canvas.clear();
  EXPECT_TRUE(f.canvas.runs().empty());
}

TEST(HeadlessCanvas, MouseMoveEvent) {
  Form f;
  int moves = 0;
  f.canvas.onMouseMove = [&] { ++moves; };
  headless::MoveMouse(f.canvas);
  f.viewport.setVisible(false);
  headless::MoveMouse(f.canvas);
  EXPECT_EQ(1, moves);
}

TEST(HeadlessImageButton, ClickAndPicture) {
  Form f;
  int clicks = 0;
  f.button.onClick = [&] { ++clicks; };
  EXPECT_FALSE(f.button.image().empty());  // a stand-in picture until one is set
  f.button.setImage(PlaceholderImage(48, 48, 0xFFC03030));
  EXPECT_EQ(48, f.button.image().width);
  headless::Click(f.button);
  f.button.setEnabled(false);
  headless::Click(f.button);
  EXPECT_EQ(1, clicks);
  EXPECT_EQ(Text("论坛主页"), f.button.text());
}

TEST(HeadlessAnimationBox, PointerEventsGoToTheTopmostObjectUnderThePointer) {
  Form f;
  f.box.setTemplate(AnimationObject{Rect{30, 2, 210, 93}, PlaceholderImage(210, 93, 0xFF2060A0)});
  EXPECT_EQ(0, f.box.objectCount());  // the template is not shown
  int first = f.box.createObject(0, 2);
  EXPECT_EQ(0, first);
  EXPECT_EQ(0, f.box.objects()[0].bounds.left);
  EXPECT_EQ(210, f.box.objects()[0].bounds.width);

  const Image normal = PlaceholderImage(210, 93, 0xFF2060A0), hover = PlaceholderImage(210, 93, 0xFFA02060);
  std::vector<std::string> events;
  f.box.onPointerEnter = [&](int i) {
    events.push_back("enter " + std::to_string(i));
    f.box.setObjectPicture(i, hover);
  };
  f.box.onPointerLeave = [&](int i) {
    events.push_back("leave " + std::to_string(i));
    f.box.setObjectPicture(i, normal);
  };
  f.box.onLeftButtonDown = [&](int i) { events.push_back("down " + std::to_string(i)); };
  f.box.onLeftButtonUp = [&](int i) { events.push_back("up " + std::to_string(i)); };

  headless::MovePointer(f.box, 215, 50);  // right of the object (0..209)
  headless::MovePointer(f.box, 100, 50);
  EXPECT_EQ(hover.pixels, f.box.objects()[0].picture.pixels);
  headless::MovePointer(f.box, 101, 50);  // still over it: nothing new
  headless::PressLeft(f.box, 101, 51);
  headless::ReleaseLeft(f.box, 101, 51);
  headless::PointerLeaves(f.box);
  EXPECT_EQ(normal.pixels, f.box.objects()[0].picture.pixels);
  headless::PressLeft(f.box, 215, 1);  // on no object
  // A newer object over the old one takes the pointer: the old one is left.
  headless::MovePointer(f.box, 100, 50);
  f.box.createObject(50, 2);
  headless::MovePointer(f.box, 101, 50);
  EXPECT_EQ((std::vector<std::string>{"enter 0", "down 0", "up 0", "leave 0", "enter 0", "leave 0", "enter 1"}), events);
  EXPECT_EQ(1, f.box.hotObject());
  EXPECT_EQ(2, f.box.objectCount());
  EXPECT_EQ(1, f.box.objectAt(60, 5));
  EXPECT_EQ(0, f.box.objectAt(5, 5));
  EXPECT_EQ(-1, f.box.objectAt(5, 1));
  f.box.clearObjects();
  EXPECT_EQ(-1, f.box.objectAt(5, 5));
  EXPECT_EQ(-1, f.box.hotObject());
}

TEST(HeadlessTrayIcon, ClicksAndTheMenu) {
  Form f;
  std::vector<std::string> events;
  f.tray.onLeftClick = [&] { events.push_back("left"); };
  f.tray.onRightClick = [&] {
    events.push_back("right");
    f.tray.showMenu();
  };
  f.tray.onDoubleClick = [&] { events.push_back("double"); };
  f.tray.onMenuItem = [&](int id) { events.push_back("item " + std::to_string(id)); };
  f.tray.setMenu({{1, "显示界面"}, {2, "隐藏界面"}, {0, ""}, {3, "设置"}, {0, ""}, {4, "关于"}, {0, ""}, {5, "退出"}});
  ASSERT_EQ(8u, f.tray.menu().size());
  EXPECT_EQ(Text("Varkon在线CS同盟平台"), f.tray.text());

  EXPECT_FALSE(f.tray.visible());
  headless::TrayClick(f.tray, TrayAction::DoubleClick);  // not in the notification area yet
  f.tray.show();
  headless::TrayClick(f.tray, TrayAction::LeftClick);
  headless::TrayClick(f.tray, TrayAction::DoubleClick);
  EXPECT_FALSE(headless::ChooseMenuItem(f.tray, 1));  // no menu open
  headless::TrayClick(f.tray, TrayAction::RightClick);
  EXPECT_TRUE(f.tray.menuOpen());
  EXPECT_FALSE(headless::ChooseMenuItem(f.tray, 0));   // a separator
  EXPECT_FALSE(headless::ChooseMenuItem(f.tray, 77));  // not on the menu
  EXPECT_TRUE(headless::ChooseMenuItem(f.tray, 4));
  EXPECT_FALSE(f.tray.menuOpen());
  headless::TrayClick(f.tray, TrayAction::RightClick);
  headless::DismissMenu(f.tray);
  EXPECT_FALSE(f.tray.menuOpen());
  EXPECT_FALSE(headless::ChooseMenuItem(f.tray, 5));
  // The window hidden (the tray is all that is left) still gets the icon's clicks.
  f.setVisible(false);
  headless::TrayClick(f.tray, TrayAction::DoubleClick);
  EXPECT_EQ((std::vector<std::string>{"left", "double", "right", "item 4", "right", "double"}), events);
  f.tray.setVisible(false);
  headless::TrayClick(f.tray, TrayAction::LeftClick);
  EXPECT_EQ(6u, events.size());
}

TEST(HeadlessMoreControls, DestroyedControlsKeepQuiet) {
  Form f;
  f.list.addColumn("id", 40);
  f.list.addRow("1");
  int events = 0;
  f.list.onActivated = [&](int) { ++events; };
  f.tree.onDoubleClick = [&] { ++events; };
  f.tray.onDoubleClick = [&] { ++events; };
  f.tree.addItem(-1, "A");
  f.tray.show();
  f.destroy();
  headless::ActivateRow(f.list, 0);
  headless::DoubleClickTreeItem(f.tree, 0);
  headless::TrayClick(f.tray, TrayAction::DoubleClick);
  f.list.addRow("2");
  f.canvas.write("x");
  EXPECT_EQ(0, events);
  EXPECT_EQ(1, f.list.rowCount());
  EXPECT_TRUE(f.canvas.runs().empty());
}

TEST(ToolkitImages, PadlocksDifferAndHaveSeeThroughCorners) {
  for (int size : {12, 16}) {
    Image gold = PadlockImage(size, true), grey = PadlockImage(size, false);
    ASSERT_EQ(static_cast<std::size_t>(size * size), gold.pixels.size());
    EXPECT_EQ(0u, gold.at(0, 0) >> 24);
    EXPECT_EQ(0xFFu, gold.at(size / 2, size - 2) >> 24);
    EXPECT_NE(gold.pixels, grey.pixels);
  }
}

}  // namespace
}  // namespace toolkit
