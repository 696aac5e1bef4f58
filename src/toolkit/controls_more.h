#pragma once
// The main window's richer controls: list and tree views, a canvas, image buttons, an
// animation box and the notification-area icon. Same rules as controls.h: state lives here,
// property calls may come from any thread, events run on the user-interface thread, and a
// change made by a property call raises no event (only what a person does raises events).
#include <vector>

#include "toolkit/image.h"
#include "toolkit/window.h"

namespace toolkit {

enum class Align { Left, Centre, Right };

struct ListColumn {
  Text title;
  int width = 0;
  Align align = Align::Left;
};

struct ListCell {
  Text text;
  int image = -1;  // index in the image list; -1 none
};

using ListRow = std::vector<ListCell>;  // one cell per column

// What the last property call changed in a list or tree view; read by the backends.
struct ItemChange {
  enum What { All, Insert, Remove, Cell, Columns, FitColumns, Expand } what = All;
  int item = -1;    // row or tree item
  int column = -1;
};

// A list view in report mode: columns with titles, rows of cells, single selection.
class ListView final : public Control {
 public:
  ListView(Control& parent, const char* name, const Rect& bounds);

  void addColumn(const Text& title, int width, Align align = Align::Left);
  std::vector<ListColumn> columns() const;
  int columnCount() const;
  int columnWidth(int column) const;
  void setColumnWidth(int column, int width);
  // Each column as wide as its title and its widest cell; the last one also fills the rest.
  void fitColumns();

  // All images of one size (the first one's); the cells name them by index.
  void setImages(const std::vector<Image>& images);
  std::vector<Image> images() const;

  int rowCount() const;
  // Inserts a row at `row` (clamped to 0..rowCount()) with the first cell's text and image;
  // answers where it went.
  int insertRow(int row, const Text& text, int image = -1);
  int addRow(const Text& text, int image = -1) { return insertRow(0x7FFFFFFF, text, image); }
  void removeRow(int row);
  void clear();
  Text cellText(int row, int column) const;
  void setCellText(int row, int column, const Text& text);
  int cellImage(int row, int column) const;
  void setCellImage(int row, int column, int image);
  std::vector<ListRow> rows() const;
  // Puts the rows in a new order: order[i] is the old position of the row that becomes row i.
  // A selected row stays selected where it went. An order that is not a permutation of
  // 0..rowCount()-1 changes nothing.
  void reorderRows(const std::vector<int>& order);

  // The selected row (single selection; it is also the focused row), -1 for none.
  int selectedRow() const;
  void selectRow(int row);

  std::function<void(int column)> onColumnClick;
  std::function<void(int row)> onFocusChanged;  // a row gained the focus (mouse or keyboard)
  std::function<void(int row)> onActivated;     // double click or Enter on a row

  void notifyColumnClick(int column);
  void notifyFocusedRow(int row);
  void notifyActivated(int row);
  // The native side fitted a column.
  void notifyColumnWidth(int column, int width);

  ItemChange lastChange() const { return change_; }

 private:
  void record(Prop prop, ItemChange::What what, int item = -1, int column = -1);
  std::vector<ListColumn> columns_;
  std::vector<Image> images_;
  std::vector<ListRow> rows_;
  int selected_ = -1;
  ItemChange change_;
};

struct TreeItem {
  int parent = -1;  // -1: top level
  Text text;
  int image = -1;
  bool bold = false;
  bool expanded = false;
};

// A tree view. Items are numbered in the order they were added; a new item goes after its
// parent's earlier children.
class TreeView final : public Control {
 public:
  TreeView(Control& parent, const char* name, const Rect& bounds);

  void setImages(const std::vector<Image>& images);
  std::vector<Image> images() const;

  // Answers the new item's number; a parent that does not exist makes a top-level item.
  int addItem(int parent, const Text& text, int image = -1, bool bold = false);
  int itemCount() const;
  std::vector<TreeItem> items() const;
  TreeItem item(int id) const;
  void setItemText(int id, const Text& text);
  void expand(int id);
  void expandAll();
  void clear();

  int selectedItem() const;  // -1 for none
  Text selectedText() const;
  void selectItem(int id);

  std::function<void()> onSelectionChanged;
  std::function<void()> onDoubleClick;

  void notifySelected(int id);
  void notifyDoubleClick();

  ItemChange lastChange() const { return change_; }

 private:
  void record(Prop prop, ItemChange::What what, int item = -1);
  std::vector<Image> images_;
  std::vector<TreeItem> items_;
  int selected_ = -1;
  ItemChange change_;
};

// A run of text the canvas holds and paints.
struct CanvasRun {
  int x = 0;
  int y = 0;
  int width = 0;
  Text text;
  Colour colour = 0;
};

// What a backend answers about text on a canvas; the headless side has a fixed rule instead.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual int TextWidth(const Text& text) = 0;
};

// A drawing surface: text written at a moving position in the current colour and font.
// Written text has an opaque background in the canvas colour, so a run written over an
// earlier one of the same place replaces it (the canvas forgets runs that are covered).
class Canvas final : public Control {
 public:
  Canvas(Control& parent, const char* name, const Rect& bounds);

  Colour background() const;
  void setBackground(Colour colour);
  Colour textColour() const;
  void setTextColour(Colour colour);
  Text fontFace() const;
  int fontHeight() const;  // character height in pixels
  void setFont(const Text& face, int pixelHeight);

  int writeX() const;
  int writeY() const;
  void setWritePosition(int x, int y);
  // Draws `text` at the write position and moves the position right past it.
  void write(const Text& text);
  // Width in pixels of `text` in the current font. Headless: half the font height per byte,
  // so 8 px per single-byte and 16 px per double-byte character at 16 px.
  int textWidth(const Text& text) const;
  void clear();
  std::vector<CanvasRun> runs() const;

  std::function<void()> onMouseMove;
  void notifyMouseMove();

  static constexpr int kMaxRuns = 512;

 private:
  int measure(const Text& text) const;
  Colour background_ = 0x000000;
  Colour textColour_ = 0xFFFFFF;
  Text fontFace_ = "宋体";
  int fontHeight_ = 12;
  int x_ = 0;
  int y_ = 0;
  std::vector<CanvasRun> runs_;
};

// A push button showing a picture with its caption under it.
class ImageButton final : public Control {
 public:
  ImageButton(Control& parent, const char* name, const Rect& bounds, const Text& text = Text());
  Image image() const;
  void setImage(const Image& image);
  std::function<void()> onClick;
  void notifyClick();

 private:
  Image image_;
};

struct AnimationObject {
  Rect bounds;  // inside the box
  Image picture;
};

// A box showing objects made from a template object; the template itself is not shown.
// Later objects lie above earlier ones, and pointer events go to the topmost object hit.
class AnimationBox final : public Control {
 public:
  AnimationBox(Control& parent, const char* name, const Rect& bounds);

  AnimationObject templateObject() const;
  void setTemplate(const AnimationObject& object);
  void setTemplatePicture(const Image& picture);
  // A copy of the template at (left, top); answers its index.
  int createObject(int left, int top);
  // Changes one object's picture in place: the pointer stays over the same object, so a
  // picture swapped on entering does not raise a leave and an enter again.
  void setObjectPicture(int index, const Image& picture);
  std::vector<AnimationObject> objects() const;
  int objectCount() const;
  void clearObjects();
  // The topmost object under the point, -1 for none.
  int objectAt(int x, int y) const;
  // The object the pointer is over, -1 for none.
  int hotObject() const;

  std::function<void(int object)> onPointerEnter;
  std::function<void(int object)> onPointerLeave;
  std::function<void(int object)> onLeftButtonDown;
  std::function<void(int object)> onLeftButtonUp;

  // Backend entry points, in the box's client coordinates.
  void notifyPointerMove(int x, int y);
  void notifyPointerLeftBox();
  void notifyLeftButton(bool down, int x, int y);

 private:
  int hitTest(int x, int y) const;
  AnimationObject template_;
  std::vector<AnimationObject> objects_;
  int hot_ = -1;
};

struct MenuItem {
  int id = 0;  // 0: a separator
  Text text;
};

enum class TrayAction { LeftClick, RightClick, DoubleClick };

// The window's icon in the notification area; its text is the tooltip. Created hidden:
// show() puts it in, setVisible(false) or destroy() takes it out. Uses the program's icon.
class TrayIcon final : public Control {
 public:
  TrayIcon(Window& window, const char* name, const Text& tooltip = Text());
  void show() { setVisible(true); }

  void setMenu(const std::vector<MenuItem>& items);
  std::vector<MenuItem> menu() const;
  // Opens the menu at the pointer; the choice arrives through onMenuItem.
  void showMenu();
  bool menuOpen() const;

  std::function<void()> onLeftClick;
  std::function<void()> onRightClick;
  std::function<void()> onDoubleClick;
  std::function<void(int id)> onMenuItem;

  void notifyAction(TrayAction action);
  void notifyMenuClosed();
  void notifyMenuItem(int id);

 private:
  std::vector<MenuItem> menu_;
  bool menuOpen_ = false;
};

}  // namespace toolkit
