#include "toolkit/controls_more.h"

#include <algorithm>

namespace toolkit {
namespace {

bool ValidIndex(int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; }

bool Inside(const Rect& r, int x, int y) {
  return x >= r.left && y >= r.top && x < r.left + r.width && y < r.top + r.height;
}

// The headless width rule, and the stand-in where no backend measures (a destroyed canvas).
int RuleWidth(const Text& text, int height) { return static_cast<int>(text.size()) * (height / 2); }

}  // namespace

// ---- ListView ---------------------------------------------------------------------------

ListView::ListView(Control& parent, const char* name, const Rect& bounds)
    : Control(Kind::ListView, &parent, name, bounds, Text()) {
  realize();
}

void ListView::record(Prop prop, ItemChange::What what, int item, int column) {
  change_ = ItemChange{what, item, column};
  changed(prop);
}

void ListView::addColumn(const Text& title, int width, Align align) {
  OnUiThread([&] {
    if (destroyed_) return;
    columns_.push_back(ListColumn{title, width, align});
    for (auto& row : rows_) row.resize(columns_.size());
    record(Prop::Columns, ItemChange::Columns, -1, static_cast<int>(columns_.size()) - 1);
  });
}

std::vector<ListColumn> ListView::columns() const {
  std::vector<ListColumn> value;
  OnUiThread([&] { value = columns_; });
  return value;
}

int ListView::columnCount() const {
  int value = 0;
  OnUiThread([&] { value = static_cast<int>(columns_.size()); });
  return value;
}

int ListView::columnWidth(int column) const {
  int value = 0;
  OnUiThread([&] {
    if (ValidIndex(column, columns_.size())) value = columns_[column].width;
  });
  return value;
}

void ListView::setColumnWidth(int column, int width) {
  OnUiThread([&] {
    if (destroyed_ || !ValidIndex(column, columns_.size())) return;
    columns_[column].width = width < 0 ? 0 : width;
    record(Prop::Columns, ItemChange::Columns, -1, column);
  });
}

void ListView::fitColumns() {
  OnUiThread([&] {
    if (destroyed_ || columns_.empty()) return;
    // The native side measures and reports back; this is the rule where nothing does
    // (headless): 6 px per byte of the widest text plus the 12 px a cell keeps free.
    int used = 0;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      std::size_t widest = columns_[c].title.size();
      for (const auto& row : rows_) widest = std::max(widest, row[c].text.size());
      columns_[c].width = static_cast<int>(widest) * 6 + 12;
      if (c + 1 < columns_.size()) used += columns_[c].width;
    }
    int rest = bounds_.width - 4 - used;
    if (rest > columns_.back().width) columns_.back().width = rest;
    record(Prop::Columns, ItemChange::FitColumns);
  });
}

void ListView::setImages(const std::vector<Image>& images) {
  OnUiThread([&] {
    if (destroyed_) return;
    images_ = images;
    changed(Prop::Images);
  });
}

std::vector<Image> ListView::images() const {
  std::vector<Image> value;
  OnUiThread([&] { value = images_; });
  return value;
}

int ListView::rowCount() const {
  int value = 0;
  OnUiThread([&] { value = static_cast<int>(rows_.size()); });
  return value;
}

int ListView::insertRow(int row, const Text& text, int image) {
  int at = -1;
  OnUiThread([&] {
    if (destroyed_) return;
    int count = static_cast<int>(rows_.size());
    at = row < 0 ? 0 : row > count ? count : row;
    ListRow cells(std::max<std::size_t>(columns_.size(), 1));
    cells[0] = ListCell{text, image};
    rows_.insert(rows_.begin() + at, std::move(cells));
    if (selected_ >= at) ++selected_;
    record(Prop::Items, ItemChange::Insert, at);
  });
  return at;
}

void ListView::removeRow(int row) {
  OnUiThread([&] {
    if (destroyed_ || !ValidIndex(row, rows_.size())) return;
    rows_.erase(rows_.begin() + row);
    if (selected_ == row) {
      selected_ = -1;
    } else if (selected_ > row) {
      --selected_;
    }
    record(Prop::Items, ItemChange::Remove, row);
  });
}

void ListView::clear() {
  OnUiThread([&] {
    if (destroyed_) return;
    rows_.clear();
    selected_ = -1;
    record(Prop::Items, ItemChange::All);
  });
}

Text ListView::cellText(int row, int column) const {
  Text value;
  OnUiThread([&] {
    if (ValidIndex(row, rows_.size()) && ValidIndex(column, rows_[row].size())) value = rows_[row][column].text;
  });
  return value;
}

void ListView::setCellText(int row, int column, const Text& text) {
  OnUiThread([&] {
    if (destroyed_ || !ValidIndex(row, rows_.size()) || !ValidIndex(column, rows_[row].size())) return;
    rows_[row][column].text = text;
    record(Prop::Items, ItemChange::Cell, row, column);
  });
}

int ListView::cellImage(int row, int column) const {
  int value = -1;
  OnUiThread([&] {
    if (ValidIndex(row, rows_.size()) && ValidIndex(column, rows_[row].size())) value = rows_[row][column].image;
  });
  return value;
}

void ListView::setCellImage(int row, int column, int image) {
  OnUiThread([&] {
    if (destroyed_ || !ValidIndex(row, rows_.size()) || !ValidIndex(column, rows_[row].size())) return;
    rows_[row][column].image = image;
    record(Prop::Items, ItemChange::Cell, row, column);
  });
}

std::vector<ListRow> ListView::rows() const {
  std::vector<ListRow> value;
  OnUiThread([&] { value = rows_; });
  return value;
}

void ListView::reorderRows(const std::vector<int>& order) {
  OnUiThread([&] {
    if (destroyed_ || order.size() != rows_.size()) return;
    std::vector<bool> seen(rows_.size(), false);
    for (int old : order) {
      if (!ValidIndex(old, rows_.size()) || seen[old]) return;
      seen[old] = true;
    }
    std::vector<ListRow> sorted;
    sorted.reserve(rows_.size());
    int selected = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
      sorted.push_back(std::move(rows_[order[i]]));
      if (order[i] == selected_) selected = static_cast<int>(i);
    }
    rows_ = std::move(sorted);
    selected_ = selected;
    record(Prop::Items, ItemChange::All);
  });
}

int ListView::selectedRow() const {
  int value = -1;
  OnUiThread([&] { value = selected_; });
  return value;
}

void ListView::selectRow(int row) {
  OnUiThread([&] {
    if (destroyed_) return;
    selected_ = ValidIndex(row, rows_.size()) ? row : -1;
    changed(Prop::Selection);
  });
}

void ListView::notifyColumnClick(int column) {
  if (!destroyed_ && onColumnClick) onColumnClick(column);
}

void ListView::notifyFocusedRow(int row) {
  if (destroyed_ || !ValidIndex(row, rows_.size())) return;
  selected_ = row;
  if (onFocusChanged) onFocusChanged(row);
}

void ListView::notifyActivated(int row) {
  if (destroyed_ || !ValidIndex(row, rows_.size())) return;
  if (onActivated) onActivated(row);
}

void ListView::notifyColumnWidth(int column, int width) {
  if (!destroyed_ && ValidIndex(column, columns_.size())) columns_[column].width = width;
}

// ---- TreeView ---------------------------------------------------------------------------

TreeView::TreeView(Control& parent, const char* name, const Rect& bounds)
    : Control(Kind::TreeView, &parent, name, bounds, Text()) {
  realize();
}

void TreeView::record(Prop prop, ItemChange::What what, int item) {
  change_ = ItemChange{what, item, -1};
  changed(prop);
}

void TreeView::setImages(const std::vector<Image>& images) {
  OnUiThread([&] {
    if (destroyed_) return;
    images_ = images;
    changed(Prop::Images);
  });
}

std::vector<Image> TreeView::images() const {
  std::vector<Image> value;
  OnUiThread([&] { value = images_; });
  return value;
}

int TreeView::addItem(int parent, const Text& text, int image, bool bold) {
  int id = -1;
  OnUiThread([&] {
    if (destroyed_) return;
    TreeItem item;
    item.parent = ValidIndex(parent, items_.size()) ? parent : -1;
    item.text = text;
    item.image = image;
    item.bold = bold;
    items_.push_back(std::move(item));
    id = static_cast<int>(items_.size()) - 1;
    record(Prop::Items, ItemChange::Insert, id);
  });
  return id;
}

int TreeView::itemCount() const {
  int value = 0;
  OnUiThread([&] { value = static_cast<int>(items_.size()); });
  return value;
}

std::vector<TreeItem> TreeView::items() const {
  std::vector<TreeItem> value;
  OnUiThread([&] { value = items_; });
  return value;
}

TreeItem TreeView::item(int id) const {
  TreeItem value;
  OnUiThread([&] {
    if (ValidIndex(id, items_.size())) value = items_[id];
  });
  return value;
}

void TreeView::setItemText(int id, const Text& text) {
  OnUiThread([&] {
    if (destroyed_ || !ValidIndex(id, items_.size())) return;
    items_[id].text = text;
    record(Prop::Items, ItemChange::Cell, id);
  });
}

void TreeView::expand(int id) {
  OnUiThread([&] {
    if (destroyed_ || !ValidIndex(id, items_.size())) return;
    items_[id].expanded = true;
    record(Prop::Items, ItemChange::Expand, id);
  });
}

void TreeView::expandAll() {
  OnUiThread([&] {
    for (int id = 0; id < static_cast<int>(items_.size()); ++id) expand(id);
  });
}

void TreeView::clear() {
  OnUiThread([&] {
    if (destroyed_) return;
    items_.clear();
    selected_ = -1;
    record(Prop::Items, ItemChange::All);
  });
}

int TreeView::selectedItem() const {
  int value = -1;
  OnUiThread([&] { value = selected_; });
  return value;
}

Text TreeView::selectedText() const {
  Text value;
  OnUiThread([&] {
    if (ValidIndex(selected_, items_.size())) value = items_[selected_].text;
  });
  return value;
}

void TreeView::selectItem(int id) {
  OnUiThread([&] {
    if (destroyed_) return;
    selected_ = ValidIndex(id, items_.size()) ? id : -1;
    changed(Prop::Selection);
  });
}

void TreeView::notifySelected(int id) {
  if (destroyed_) return;
  int now = ValidIndex(id, items_.size()) ? id : -1;
  if (now == selected_) return;
  selected_ = now;
  if (onSelectionChanged) onSelectionChanged();
}

void TreeView::notifyDoubleClick() {
  if (!destroyed_ && onDoubleClick) onDoubleClick();
}

// ---- Canvas -----------------------------------------------------------------------------

Canvas::Canvas(Control& parent, const char* name, const Rect& bounds)
    : Control(Kind::Canvas, &parent, name, bounds, Text()) {
  realize();
}

Colour Canvas::background() const {
  Colour value = 0;
  OnUiThread([&] { value = background_; });
  return value;
}

void Canvas::setBackground(Colour colour) {
  OnUiThread([&] {
    if (destroyed_) return;
    background_ = colour;
    changed(Prop::Drawing);
  });
}

Colour Canvas::textColour() const {
  Colour value = 0;
  OnUiThread([&] { value = textColour_; });
  return value;
}

void Canvas::setTextColour(Colour colour) {
  OnUiThread([&] {
    if (!destroyed_) textColour_ = colour;
  });
}

Text Canvas::fontFace() const {
  Text value;
  OnUiThread([&] { value = fontFace_; });
  return value;
}

int Canvas::fontHeight() const {
  int value = 0;
  OnUiThread([&] { value = fontHeight_; });
  return value;
}

void Canvas::setFont(const Text& face, int pixelHeight) {
  OnUiThread([&] {
    if (destroyed_) return;
    fontFace_ = face;
    fontHeight_ = pixelHeight < 1 ? 1 : pixelHeight;
    changed(Prop::Drawing);
  });
}

int Canvas::writeX() const {
  int value = 0;
  OnUiThread([&] { value = x_; });
  return value;
}

int Canvas::writeY() const {
  int value = 0;
  OnUiThread([&] { value = y_; });
  return value;
}

void Canvas::setWritePosition(int x, int y) {
  OnUiThread([&] {
    x_ = x;
    y_ = y;
  });
}

int Canvas::measure(const Text& text) const {
  if (text.empty()) return 0;
  if (auto* native = dynamic_cast<TextMeasure*>(peer())) return native->TextWidth(text);
  return RuleWidth(text, fontHeight_);
}

void Canvas::write(const Text& text) {
  OnUiThread([&] {
    if (destroyed_ || text.empty()) return;
    CanvasRun run{x_, y_, measure(text), text, textColour_};
    // A run the new one covers can no longer be seen.
    runs_.erase(std::remove_if(runs_.begin(), runs_.end(),
                               [&](const CanvasRun& old) {
                                 return old.y == run.y && old.x >= run.x && old.x + old.width <= run.x + run.width;
                               }),
                runs_.end());
    runs_.push_back(run);
    if (runs_.size() > kMaxRuns) runs_.erase(runs_.begin());
    x_ += run.width;
    changed(Prop::Drawing);
  });
}

int Canvas::textWidth(const Text& text) const {
  int value = 0;
  OnUiThread([&] { value = measure(text); });
  return value;
}

void Canvas::clear() {
  OnUiThread([&] {
    if (destroyed_) return;
    runs_.clear();
    changed(Prop::Drawing);
  });
}

std::vector<CanvasRun> Canvas::runs() const {
  std::vector<CanvasRun> value;
  OnUiThread([&] { value = runs_; });
  return value;
}

void Canvas::notifyMouseMove() {
  if (!destroyed_ && onMouseMove) onMouseMove();
}

// ---- ImageButton ------------------------------------------------------------------------

ImageButton::ImageButton(Control& parent, const char* name, const Rect& bounds, const Text& text)
    : Control(Kind::ImageButton, &parent, name, bounds, text), image_(PlaceholderImage(32, 32, 0xFF3070C0)) {
  realize();
}

Image ImageButton::image() const {
  Image value;
  OnUiThread([&] { value = image_; });
  return value;
}

void ImageButton::setImage(const Image& image) {
  OnUiThread([&] {
    if (destroyed_) return;
    image_ = image;
    changed(Prop::Images);
  });
}

void ImageButton::notifyClick() {
  if (!destroyed_ && onClick) onClick();
}

// ---- AnimationBox -----------------------------------------------------------------------

AnimationBox::AnimationBox(Control& parent, const char* name, const Rect& bounds)
    : Control(Kind::AnimationBox, &parent, name, bounds, Text()) {
  realize();
}

AnimationObject AnimationBox::templateObject() const {
  AnimationObject value;
  OnUiThread([&] { value = template_; });
  return value;
}

void AnimationBox::setTemplate(const AnimationObject& object) {
  OnUiThread([&] { template_ = object; });
}

void AnimationBox::setTemplatePicture(const Image& picture) {
  OnUiThread([&] { template_.picture = picture; });
}

int AnimationBox::createObject(int left, int top) {
  int index = -1;
  OnUiThread([&] {
    if (destroyed_) return;
    AnimationObject object = template_;
    object.bounds.left = left;
    object.bounds.top = top;
    objects_.push_back(std::move(object));
    index = static_cast<int>(objects_.size()) - 1;
    changed(Prop::Objects);
  });
  return index;
}

void AnimationBox::setObjectPicture(int index, const Image& picture) {
  OnUiThread([&] {
    if (destroyed_ || !ValidIndex(index, objects_.size())) return;
    objects_[index].picture = picture;
    changed(Prop::Objects);
  });
}

std::vector<AnimationObject> AnimationBox::objects() const {
  std::vector<AnimationObject> value;
  OnUiThread([&] { value = objects_; });
  return value;
}

int AnimationBox::objectCount() const {
  int value = 0;
  OnUiThread([&] { value = static_cast<int>(objects_.size()); });
  return value;
}

void AnimationBox::clearObjects() {
  OnUiThread([&] {
    if (destroyed_) return;
    objects_.clear();
    hot_ = -1;
    changed(Prop::Objects);
  });
}

int AnimationBox::hitTest(int x, int y) const {
  for (int i = static_cast<int>(objects_.size()) - 1; i >= 0; --i) {
    if (Inside(objects_[i].bounds, x, y)) return i;
  }
  return -1;
}

int AnimationBox::objectAt(int x, int y) const {
  int value = -1;
  OnUiThread([&] { value = hitTest(x, y); });
  return value;
}

int AnimationBox::hotObject() const {
  int value = -1;
  OnUiThread([&] { value = hot_; });
  return value;
}

void AnimationBox::notifyPointerMove(int x, int y) {
  if (destroyed_) return;
  int now = hitTest(x, y);
  if (now == hot_) return;
  int was = hot_;
  hot_ = now;
  // A handler may make new objects (a picture change); the indices stay valid, as objects
  // are only ever appended.
  if (was >= 0 && onPointerLeave) onPointerLeave(was);
  if (destroyed_) return;
  if (now >= 0 && onPointerEnter) onPointerEnter(now);
}

void AnimationBox::notifyPointerLeftBox() {
  if (destroyed_ || hot_ < 0) return;
  int was = hot_;
  hot_ = -1;
  if (onPointerLeave) onPointerLeave(was);
}

void AnimationBox::notifyLeftButton(bool down, int x, int y) {
  if (destroyed_) return;
  int hit = hitTest(x, y);
  if (hit < 0) return;
  if (down) {
    if (onLeftButtonDown) onLeftButtonDown(hit);
  } else {
    if (onLeftButtonUp) onLeftButtonUp(hit);
  }
}

// ---- TrayIcon ---------------------------------------------------------------------------

TrayIcon::TrayIcon(Window& window, const char* name, const Text& tooltip)
    : Control(Kind::TrayIcon, &window, name, Rect(), tooltip) {
  visible_ = false;
  realize();
}

void TrayIcon::setMenu(const std::vector<MenuItem>& items) {
  OnUiThread([&] {
    if (destroyed_) return;
    menu_ = items;
    changed(Prop::Menu);
  });
}

std::vector<MenuItem> TrayIcon::menu() const {
  std::vector<MenuItem> value;
  OnUiThread([&] { value = menu_; });
  return value;
}

void TrayIcon::showMenu() {
  OnUiThread([&] {
    if (destroyed_ || menu_.empty()) return;
    menuOpen_ = true;
    changed(Prop::Popup);
  });
}

bool TrayIcon::menuOpen() const {
  bool value = false;
  OnUiThread([&] { value = menuOpen_; });
  return value;
}

void TrayIcon::notifyAction(TrayAction action) {
  if (destroyed_) return;
  const std::function<void()>& handler = action == TrayAction::LeftClick    ? onLeftClick
                                         : action == TrayAction::RightClick ? onRightClick
                                                                             : onDoubleClick;
  if (handler) handler();
}

void TrayIcon::notifyMenuClosed() { menuOpen_ = false; }

void TrayIcon::notifyMenuItem(int id) {
  menuOpen_ = false;
  if (destroyed_ || id == 0) return;
  bool known = false;
  for (const auto& item : menu_) known = known || item.id == id;
  if (known && onMenuItem) onMenuItem(id);
}

}  // namespace toolkit
