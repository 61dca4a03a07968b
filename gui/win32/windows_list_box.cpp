#include "gui/win32/windows_list_box.h"

#include <algorithm>
#include <utility>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_icon_strip.h"

namespace quardeln {
namespace {

// The control shares the image list: the icon strip owns it.
constexpr DWORD kListBoxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP |
                                LVS_NOCOLUMNHEADER | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS |
                                LVS_SINGLESEL | LVS_REPORT;
static_assert(kListBoxStyle == 0x5401404D);
constexpr int kCreationSize = 20;
// Room the control leaves around a label: its margins and the focus rectangle.
constexpr int32_t kLabelPadding = 12;
// Between an item's icon and its label.
constexpr int32_t kIconPadding = 4;

// Messages before which the column must have its width: painting, input that hit-tests
// or scrolls, and the queries of item and column geometry.
bool NeedsFittedColumn(UINT msg) {
  switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_HSCROLL:
    case LVM_GETCOLUMNWIDTH:
    case LVM_GETCOLUMNW:
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT:
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
    case LVM_GETVIEWRECT:
    case LVM_ENSUREVISIBLE:
      return true;
    default:
      return false;
  }
}

// The control's image index: an item without an icon shows none, even where the list
// has a strip (the control would otherwise show the strip's first icon).
int ImageOf(int32_t icon) {
  return icon >= 0 ? icon : I_IMAGENONE;
}

}  // namespace

std::shared_ptr<TWindowsListBox> TWindowsListBox::Create(const GadgetRef& group, int32_t) {
  auto list = std::make_shared<TWindowsListBox>();
  list->Build(group);
  return list;
}

void TWindowsListBox::Build(const GadgetRef& group) {
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  EnsureCommonControls();
  HWND hwnd =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", kListBoxStyle, 0, 0, kCreationSize,
                      kCreationSize, container, nullptr, DriverInstance(), nullptr);
  LVCOLUMNW column{};
  SendMessageW(hwnd, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
  if (TWindowsGUIDriver::CheckCommonControlVersion() != 0) extended |= LVS_EX_DOUBLEBUFFER;
  ListView_SetExtendedListViewStyleEx(hwnd, extended, extended);
  Register(GADGETCLASS_LISTBOX, hwnd, nullptr, 0);
  if (ExplorerStyle) UseExplorerTheme(hwnd);
}

void TWindowsListBox::RedrawResumed() {
  FitColumnIfStale();
  // Wine's list scrolls nothing while its redraw is off: the selection made meanwhile is
  // brought into view now, once.
  if (std::exchange(_showselection, 0) && SelectedIndex() >= 0) {
    ListView_EnsureVisible(Hwnd(), SelectedIndex(), FALSE);
  }
  TWindowsListGadget::RedrawResumed();
}

int32_t TWindowsListBox::SetColor(int32_t r, int32_t g, int32_t b) {
  const COLORREF colour = ColourOf(r, g, b);
  KeepBackColour(static_cast<int32_t>(colour));
  // The items' text background too, or each text would sit on a box of the old colour.
  ListView_SetBkColor(Hwnd(), colour);
  ListView_SetTextBkColor(Hwnd(), colour);
  InvalidateRect(Hwnd(), nullptr, TRUE);
  return 0;
}

int32_t TWindowsListBox::SetTextColor(int32_t r, int32_t g, int32_t b) {
  const COLORREF colour = ColourOf(r, g, b);
  KeepTextColour(static_cast<int32_t>(colour));
  ListView_SetTextColor(Hwnd(), colour);
  InvalidateRect(Hwnd(), nullptr, TRUE);
  return 0;
}

int32_t TWindowsListBox::SetTooltip(const std::u16string&) {
  return 0;
}

int32_t TWindowsListBox::SetIconStrip(const IconStripRef& strip) {
  KeepIcons(strip);
  ListView_SetImageList(Hwnd(), ImageListOf(strip), LVSIL_SMALL);
  _columnstale = 1;  // icons widen the items
  return 0;
}

int32_t TWindowsListBox::ClearListItems() {
  TQuietChange quiet(*this);
  DeferRedraw();
  KeepSelected(-1);
  ListView_DeleteAllItems(Hwnd());
  _widths.clear();
  _widest = 0;
  _widestcount = 0;
  _columnstale = 1;
  return 0;
}

int32_t TWindowsListBox::InsertListItem(int32_t index, const std::u16string& text,
                                        const std::u16string&, int32_t icon, ObjectRef) {
  TQuietChange quiet(*this);
  DeferRedraw();
  // The control keeps its own copy of the text; tips and extras are read from `items`.
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_DI_SETITEM | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(Wide(text));
  item.iImage = ImageOf(icon);
  const int inserted =
      static_cast<int>(SendMessageW(Hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (inserted < 0) return 0;
  SelectionInserted(inserted);
  AddWidth(inserted, MeasureText(text));
  return 0;
}

int32_t TWindowsListBox::SetListItem(int32_t index, const std::u16string& text,
                                     const std::u16string& tip, int32_t icon, ObjectRef extra) {
  RemoveListItem(index);
  return InsertListItem(index, text, tip, icon, std::move(extra));
}

int32_t TWindowsListBox::RemoveListItem(int32_t index) {
  TQuietChange quiet(*this);
  DeferRedraw();
  if (!ListView_DeleteItem(Hwnd(), index)) return 0;
  SelectionRemoved(index);
  RemoveWidth(index);
  return 0;
}

int32_t TWindowsListBox::SetListItemState(int32_t index, int32_t state) {
  TQuietChange quiet(*this);
  const bool select = (state & ITEMSTATE_SELECTED) != 0;
  ListView_SetItemState(Hwnd(), index, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
  if (select) {
    KeepSelected(index);
    if (RedrawDeferred()) {
      _showselection = 1;
    } else {
      ListView_EnsureVisible(Hwnd(), index, FALSE);
    }
  } else if (SelectedIndex() == index) {
    KeepSelected(-1);
  }
  return 0;
}

int32_t TWindowsListBox::ListItemState(int32_t index) {
  return (ListView_GetItemState(Hwnd(), index, LVIS_SELECTED) & LVIS_SELECTED) ? ITEMSTATE_SELECTED
                                                                               : 0;
}

int32_t TWindowsListBox::Selection() {
  return ListView_GetNextItem(Hwnd(), -1, LVNI_SELECTED);
}

int32_t TWindowsListBox::MeasureText(const std::u16string& text) {
  // The wide message: commctrl's macro sends the narrow one in this build.
  return static_cast<int32_t>(
      SendMessageW(Hwnd(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(Wide(text))));
}

void TWindowsListBox::AddWidth(int32_t index, int32_t measured) {
  const auto at = std::clamp<ptrdiff_t>(index, 0, std::ssize(_widths));
  _widths.insert(_widths.begin() + at, measured);
  if (measured > _widest) {
    _widest = measured;
    _widestcount = 1;
  } else if (measured == _widest) {
    ++_widestcount;
  }
  _columnstale = 1;
}

void TWindowsListBox::RemoveWidth(int32_t index) {
  if (index < 0 || index >= std::ssize(_widths)) return;
  const int32_t gone = _widths[static_cast<size_t>(index)];
  _widths.erase(_widths.begin() + index);
  // The last of the widest leaves: the next fit looks for the new widest.
  if (gone == _widest) --_widestcount;
  _columnstale = 1;
}

void TWindowsListBox::RescanWidths() {
  _widest = 0;
  _widestcount = 0;
  for (const int32_t measured : _widths) {
    if (measured > _widest) {
      _widest = measured;
      _widestcount = 1;
    } else if (measured == _widest) {
      ++_widestcount;
    }
  }
}

int32_t TWindowsListBox::SetFont(const FontRef& font) {
  TWindowsGadget::SetFont(font);
  // Every text is as wide as the new font makes it.
  for (int32_t index = 0; index < std::ssize(_widths); ++index) {
    _widths[static_cast<size_t>(index)] = MeasureText(ItemText(index));
  }
  RescanWidths();
  _columnstale = 1;
  return 0;
}

void TWindowsListBox::FitColumn() {
  _columnstale = 0;  // first: the width messages pass through WndProc again
  if (_widestcount <= 0 && !_widths.empty()) RescanWidths();
  int32_t needed = _widths.empty() ? 0 : _widest + kLabelPadding;
  int iconW = 0;
  int iconH = 0;
  if (HIMAGELIST images = ListView_GetImageList(Hwnd(), LVSIL_SMALL);
      images && ImageList_GetIconSize(images, &iconW, &iconH)) {
    needed += iconW + kIconPadding;
  }
  // As wide as the widest item, so a long one can be scrolled to, and at least as wide as
  // the control, so a selected row is marked across all of it.
  RECT client{};
  GetClientRect(Hwnd(), &client);
  const int fitted = std::max<int>(needed, client.right);
  if (ListView_GetColumnWidth(Hwnd(), 0) != fitted) ListView_SetColumnWidth(Hwnd(), 0, fitted);
}

void TWindowsListBox::FitColumnIfStale() {
  if (_columnstale) FitColumn();
}

int32_t TWindowsListBox::HasResized() {
  FitColumn();
  return 0;
}

LRESULT TWindowsListBox::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd != Hwnd()) return 0;
  if (const LRESULT handled = TWindowsListGadget::WndProc(hwnd, msg, wParam, lParam)) {
    return handled;
  }
  if (msg == WM_ERASEBKGND) {
    // A double-buffered control paints its background with its items.
    const DWORD extended = ListView_GetExtendedListViewStyle(Hwnd());
    return (extended & LVS_EX_DOUBLEBUFFER) ? 1 : 0;
  }
  if (NeedsFittedColumn(msg)) FitColumnIfStale();
  return 0;
}

LRESULT TWindowsListBox::OnNotify(WPARAM, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  switch (header->code) {
    case LVN_GETINFOTIPW:
      CopyTip(*reinterpret_cast<NMLVGETINFOTIPW*>(lParam));
      break;
    case LVN_ITEMCHANGED:
      OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(lParam));
      break;
    case NM_CLICK:
      OnClick();
      break;
    case NM_DBLCLK:
      OnDoubleClick();
      break;
    case NM_RCLICK:
      OnRightClick();
      break;
    default:
      break;
  }
  return 0;
}

void TWindowsListBox::CopyTip(NMLVGETINFOTIPW& request) {
  if (request.iItem < 0 || request.iItem >= ItemCount()) return;
  if (!request.pszText || request.cchTextMax <= 0) return;
  const std::u16string tip = ItemTip(request.iItem);
  const size_t room = static_cast<size_t>(request.cchTextMax) - 1;
  const size_t length = std::min(tip.size(), room);
  std::copy_n(tip.data(), length, reinterpret_cast<char16_t*>(request.pszText));
  request.pszText[length] = L'\0';
}

void TWindowsListBox::OnItemChanged(const NMLISTVIEW& change) {
  // Most changes (inserts, deselections) select nothing. In a single-selection list the
  // item that gains the selection is the selection: looking it up with LVM_GETNEXTITEM
  // would walk the items before it, at every selection the program makes.
  if (!(change.uNewState & LVIS_SELECTED) || (change.uOldState & LVIS_SELECTED)) return;
  const int32_t selection = change.iItem;
  if (selection < 0 || selection == SelectedIndex()) return;
  KeepSelected(selection);
  PostGuiEvent(GadgetSelect, selection, 0, 0, 0, ItemExtra(selection));
}

void TWindowsListBox::OnClick() {
  // A click beside the items takes the selection away.
  if (Selection() >= 0 || SelectedIndex() < 0) return;
  KeepSelected(-1);
  PostGuiEvent(GadgetSelect, -1, 0, 0, 0, nullptr);
}

void TWindowsListBox::OnDoubleClick() {
  const int32_t selection = Selection();
  if (selection < 0 || selection >= ItemCount()) return;
  PostGuiEvent(GadgetAction, selection, 0, 0, 0, ItemExtra(selection));
}

void TWindowsListBox::OnRightClick() {
  const int32_t selection = Selection();
  if (selection < 0 || selection >= ItemCount()) return;
  PostGuiEvent(GadgetMenu, selection, 0, 0, 0, ItemExtra(selection));
}

}  // namespace quardeln
