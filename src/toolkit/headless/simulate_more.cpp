#include "toolkit/headless/simulate_more.h"

namespace toolkit::headless {
namespace {

// Whether a person could reach the control: it and its parents shown, enabled, alive.
bool Reachable(const Control& control) {
  for (const Control* c = &control; c; c = c->parent()) {
    if (c->destroyed() || !c->enabled() || (!c->visible() && c->kind() != Kind::Window)) return false;
  }
  return true;
}

}  // namespace

void ClickColumn(ListView& list, int column) {
  OnUiThread([&] {
    if (Reachable(list) && column >= 0 && column < list.columnCount()) list.notifyColumnClick(column);
  });
}

void FocusRow(ListView& list, int row) {
  OnUiThread([&] {
    if (!Reachable(list) || row < 0 || row >= list.rowCount()) return;
    if (list.selectedRow() != row) list.notifyFocusedRow(row);
  });
}

void ActivateRow(ListView& list, int row) {
  OnUiThread([&] {
    if (!Reachable(list) || row < 0 || row >= list.rowCount()) return;
    FocusRow(list, row);
    list.notifyActivated(row);
  });
}

void SelectTreeItem(TreeView& tree, int id) {
  OnUiThread([&] {
    if (Reachable(tree) && id >= 0 && id < tree.itemCount()) tree.notifySelected(id);
  });
}

void DoubleClickTreeItem(TreeView& tree, int id) {
  OnUiThread([&] {
    if (!Reachable(tree) || id < 0 || id >= tree.itemCount()) return;
    tree.notifySelected(id);
    tree.notifyDoubleClick();
  });
}

void MoveMouse(Canvas& canvas) {
  OnUiThread([&] {
    if (Reachable(canvas)) canvas.notifyMouseMove();
  });
}

void MovePointer(AnimationBox& box, int x, int y) {
  OnUiThread([&] {
    if (!Reachable(box)) return;
    Rect b = box.bounds();
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) {
      box.notifyPointerLeftBox();
    } else {
      box.notifyPointerMove(x, y);
    }
  });
}

void PointerLeaves(AnimationBox& box) {
  OnUiThread([&] {
    if (Reachable(box)) box.notifyPointerLeftBox();
  });
}

void PressLeft(AnimationBox& box, int x, int y) {
  OnUiThread([&] {
    if (!Reachable(box)) return;
    MovePointer(box, x, y);
    box.notifyLeftButton(true, x, y);
  });
}

void ReleaseLeft(AnimationBox& box, int x, int y) {
  OnUiThread([&] {
    if (!Reachable(box)) return;
    MovePointer(box, x, y);
    box.notifyLeftButton(false, x, y);
  });
}

void TrayClick(TrayIcon& tray, TrayAction action) {
  OnUiThread([&] {
    // Only an icon in the notification area can be clicked; the window may well be hidden.
    if (!tray.destroyed() && tray.visible()) tray.notifyAction(action);
  });
}

bool ChooseMenuItem(TrayIcon& tray, int id) {
  bool chosen = false;
  OnUiThread([&] {
    if (tray.destroyed() || !tray.menuOpen() || id == 0) return;
    for (const auto& item : tray.menu()) chosen = chosen || item.id == id;
    if (chosen) tray.notifyMenuItem(id);
  });
  return chosen;
}

void DismissMenu(TrayIcon& tray) {
  OnUiThread([&] { tray.notifyMenuClosed(); });
}

}  // namespace toolkit::headless
