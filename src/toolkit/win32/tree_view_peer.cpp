// Tree views: lines and buttons at the root, items numbered as the portable side numbers them
// (the item's lParam carries its number back in notifications).
#include <vector>

#include "toolkit/controls_more.h"
#include "toolkit/win32/more_peers.h"

namespace toolkit::win32 {
namespace {

class TreeViewPeer final : public NativePeer {
 public:
  explicit TreeViewPeer(Control& control) : NativePeer(control) {
    CreateChild(WC_TREEVIEWW, WS_TABSTOP | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE);
    if (!hwnd_) return;
    Update(Prop::Images);
    Rebuild();
  }

  ~TreeViewPeer() override {
    if (images_) ImageList_Destroy(images_);
  }

  void Update(Prop prop) override {
    if (!hwnd_) return;
    bool was = updating_;
    updating_ = true;
    ItemChange change = tree().lastChange();
    switch (prop) {
      case Prop::Images: {
        HIMAGELIST fresh = MakeImageList(tree().images());
        SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(fresh));
        if (images_) ImageList_Destroy(images_);
        images_ = fresh;
        break;
      }
      case Prop::Items:
        if (change.what == ItemChange::Insert && change.item == static_cast<int>(handles_.size())) {
          Insert(change.item);
        } else if (change.what == ItemChange::Cell) {
          SetText(change.item);
        } else if (change.what == ItemChange::Expand) {
          if (Valid(change.item)) SendMessageW(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handles_[change.item]));
        } else {
          Rebuild();
        }
        break;
      case Prop::Selection: {
        int id = tree().selectedItem();
        SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Valid(id) ? handles_[id] : nullptr));
        break;
      }
      default:
        NativePeer::Update(prop);
        break;
    }
    updating_ = was;
  }

  bool OnReflected(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) override {
    if (msg != WM_NOTIFY || updating_) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    *result = 0;
    switch (header->code) {
      case TVN_SELCHANGEDW: {
        const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
        tree().notifySelected(change->itemNew.hItem ? static_cast<int>(change->itemNew.lParam) : -1);
        return true;
      }
      case NM_DBLCLK:
        tree().notifyDoubleClick();
        return false;  // the class still expands or collapses the item
      default:
        return false;
    }
  }

 private:
  TreeView& tree() const { return static_cast<TreeView&>(control_); }
  bool Valid(int id) const { return id >= 0 && id < static_cast<int>(handles_.size()); }

  void Insert(int id) {
    TreeItem item = tree().item(id);
    std::wstring text = Wide(item.text);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = Valid(item.parent) ? handles_[item.parent] : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = &text[0];
    insert.item.iImage = insert.item.iSelectedImage = item.image < 0 ? I_IMAGENONE : item.image;
    insert.item.lParam = id;
    insert.item.stateMask = TVIS_BOLD;
    insert.item.state = item.bold ? TVIS_BOLD : 0;
    auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    handles_.push_back(handle);
    if (item.expanded && Valid(id)) SendMessageW(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handle));
  }

  void SetText(int id) {
    if (!Valid(id)) return;
    std::wstring text = Wide(tree().item(id).text);
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = handles_[id];
    item.pszText = &text[0];
    SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }

  void Rebuild() {
    SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    handles_.clear();
    int count = tree().itemCount();
    for (int id = 0; id < count; ++id) Insert(id);
    // Expanding needs the children in place, so it comes after all items.
    for (int id = 0; id < count; ++id) {
      if (tree().item(id).expanded) SendMessageW(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handles_[id]));
    }
  }

  std::vector<HTREEITEM> handles_;
  HIMAGELIST images_ = nullptr;
  bool updating_ = false;
};

}  // namespace

std::unique_ptr<Peer> CreateTreeViewPeer(Control& control) { return std::make_unique<TreeViewPeer>(control); }

}  // namespace toolkit::win32
