#pragma once
// Test helpers of the headless toolkit for the richer controls: what a person does with them.
// Disabled, hidden or destroyed controls ignore it, as with the helpers of simulate.h.
#include "toolkit/controls_more.h"

namespace toolkit::headless {

// A click on a column header.
void ClickColumn(ListView& list, int column);
// A click on a row (or the arrow keys reaching it): it is selected and gains the focus; the
// focus event fires when the row was not the focused one already.
void FocusRow(ListView& list, int row);
// A double click on a row: it gains the focus first, then is activated.
void ActivateRow(ListView& list, int row);

// A click on a tree item: the selection event fires when the selection changes.
void SelectTreeItem(TreeView& tree, int id);
// A double click on a tree item: selected first, then the double-click event.
void DoubleClickTreeItem(TreeView& tree, int id);

// The pointer moving over a canvas.
void MoveMouse(Canvas& canvas);

// The pointer at (x, y) in the box, leaving the box, and the left button there.
void MovePointer(AnimationBox& box, int x, int y);
void PointerLeaves(AnimationBox& box);
void PressLeft(AnimationBox& box, int x, int y);
void ReleaseLeft(AnimationBox& box, int x, int y);

// A mouse action on a tray icon that is in the notification area.
void TrayClick(TrayIcon& tray, TrayAction action);
// Chooses the item of the open tray menu; answers false (and does nothing) when the menu
// is not open or holds no such item.
bool ChooseMenuItem(TrayIcon& tray, int id);
// Closes the open tray menu without a choice (Esc, or a click elsewhere).
void DismissMenu(TrayIcon& tray);

}  // namespace toolkit::headless
