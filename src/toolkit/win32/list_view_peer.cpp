// List views in report mode: full-row, single selection, images in any cell. The portable
// side says what changed (lastChange), so a new row costs one insert, not a rebuild.
#include "toolkit/controls_more.h"
#include "toolkit/win32/more_peers.h"

namespace toolkit::win32 {
namespace {

int NativeImage(int image) { return image < 0 ? I_IMAGENONE : image; }

int NativeAlign(Align align) {
  return align == Align::Centre ? LVCFMT_CENTER : align == Align::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
}

class ListViewPeer final : public NativePeer {
 public:
  explicit ListViewPeer(Control& control) : NativePeer(control) {
    CreateChild(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, WS_EX_CLIENTEDGE);
    if (!hwnd_) return;
    DWORD extra = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, extra, extra);
    Update(Prop::Images);
    for (int c = 0; c < static_cast<int>(list().columns().size()); ++c) InsertColumn(c);
    Rebuild();
  }

  ~ListViewPeer() override {
    if (images_) ImageList_Destroy(images_);
  }

  void Update(Prop prop) override {
    if (!hwnd_) return;
    Guard guard(updating_);
    ItemChange change = list().lastChange();
    switch (prop) {
      case Prop::Columns:
        if (change.what == ItemChange::FitColumns) {
          Fit();
        } else if (change.column >= ColumnCount()) {
          InsertColumn(change.column);
          Rebuild();
        } else if (change.column >= 0) {
          SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, change.column, list().columnWidth(change.column));
        }
        break;
      case Prop::Images: {
        HIMAGELIST fresh = MakeImageList(list().images());
        SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(fresh));
        if (images_) ImageList_Destroy(images_);
        images_ = fresh;
        break;
      }
      case Prop::Items:
        if (change.what == ItemChange::Insert) {
          InsertRow(change.item);
          ShowSelection();
        } else if (change.what == ItemChange::Remove) {
          SendMessageW(hwnd_, LVM_DELETEITEM, change.item, 0);
        } else if (change.what == ItemChange::Cell) {
          SetCell(change.item, change.column);
        } else {
          Rebuild();
        }
        break;
      case Prop::Selection:
        ShowSelection();
        break;
      default:
        NativePeer::Update(prop);
        break;
    }
  }

  bool OnReflected(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) override {
    if (msg != WM_NOTIFY || updating_) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    *result = 0;
    switch (header->code) {
      case LVN_COLUMNCLICK:
        list().notifyColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        return true;
      case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        bool gained = (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_FOCUSED) &&
                      !(change->uOldState & LVIS_FOCUSED);
        if (gained && change->iItem >= 0) list().notifyFocusedRow(change->iItem);
        return true;
      }
      case LVN_ITEMACTIVATE: {
        int row = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (row >= 0) list().notifyActivated(row);
        return true;
      }
      default:
        return false;
    }
  }

 private:
  struct Guard {
    explicit Guard(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Guard() { flag_ = was_; }
    bool& flag_;
    bool was_;
  };

  ListView& list() const { return static_cast<ListView&>(control_); }

  int ColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  }

  void InsertColumn(int index) {
    ListColumn column = list().columns()[index];
    std::wstring title = Wide(column.title);
    LVCOLUMNW lvc = {};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    lvc.fmt = NativeAlign(column.align);
    lvc.cx = column.width;
    lvc.pszText = &title[0];
    lvc.iSubItem = index;
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&lvc));
    if (index == 0 && column.align != Align::Left) {
      // The first column takes its alignment only once it exists.
      lvc.mask = LVCF_FMT;
      SendMessageW(hwnd_, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&lvc));
    }
  }

  void InsertRow(int row) {
    ListRow cells = list().rows()[row];
    std::wstring text = Wide(cells.empty() ? Text() : cells[0].text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = &text[0];
    item.iImage = NativeImage(cells.empty() ? -1 : cells[0].image);
    SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int c = 1; c < static_cast<int>(cells.size()); ++c) SetCell(row, c, cells[c]);
  }

  void SetCell(int row, int column) {
    std::vector<ListRow> rows = list().rows();
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 || column >= static_cast<int>(rows[row].size())) {
      return;
    }
    SetCell(row, column, rows[row][column]);
  }

  void SetCell(int row, int column, const ListCell& cell) {
    std::wstring text = Wide(cell.text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = &text[0];
    item.iImage = NativeImage(cell.image);
    SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }

  void Rebuild() {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    int count = list().rowCount();
    for (int r = 0; r < count; ++r) InsertRow(r);
    ShowSelection();
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  void ShowSelection() {
    int selected = list().selectedRow();
    LVITEMW clear = {};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (selected < 0) return;
    LVITEMW set = {};
    set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    set.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&set));
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, selected, FALSE);
  }

  void Fit() {
    int count = ColumnCount();
    for (int c = 0; c < count; ++c) {
      SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE_USEHEADER);
      list().notifyColumnWidth(c, static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, c, 0)));
    }
  }

  HIMAGELIST images_ = nullptr;
  bool updating_ = false;
};

}  // namespace

std::unique_ptr<Peer> CreateListViewPeer(Control& control) { return std::make_unique<ListViewPeer>(control); }

}  // namespace toolkit::win32
