#include "gui/win32/windows_combo_box.h"

#include <vector>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_icon_strip.h"

namespace quardeln {
namespace {

// CBS_DROPDOWN or CBS_DROPDOWNLIST is added by kind.
constexpr DWORD kComboBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | CBS_AUTOHSCROLL;
static_assert(kComboBoxStyle == 0x56010040);
// The control keeps its creation height as the height of its dropped-down list and sizes
// itself to one line whatever it is given later.
constexpr int kDropDownHeight = 180;

// The control's image index: an item without an icon shows none, even where the box has
// a strip (the control would otherwise show the strip's first icon).
int ImageOf(int32_t icon) {
  return icon >= 0 ? icon : I_IMAGENONE;
}

constexpr UINT_PTR kTypingWatchId = 0x434258;

// Keys with which the user moves through the list from the field: the control then
// writes the chosen item into the field itself.
bool IsListKey(WPARAM key) {
  return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT;
}

// Messages through which the user changes the text of an edit control.
bool IsUserInput(UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_KEYDOWN:
      return !IsListKey(wParam);
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
      return true;
    default:
      return false;
  }
}

std::u16string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                        static_cast<size_t>(got > 0 ? got : 0));
}

}  // namespace

std::shared_ptr<TWindowsComboBox> TWindowsComboBox::Create(const GadgetRef& group, int32_t given) {
  auto combo = std::make_shared<TWindowsComboBox>();
  combo->Build(group, given);
  return combo;
}

void TWindowsComboBox::Build(const GadgetRef& group, int32_t given) {
  const bool editable = (given & COMBOBOX_EDITABLE) != 0;
  const DWORD native = kComboBoxStyle | (editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  EnsureCommonControls();
  HWND hwnd = CreateWindowExW(0, WC_COMBOBOXEXW, L"", native, 0, 0, 0,
                              ToNative(kDropDownHeight, DpiOfWindow(container)), container, nullptr,
                              DriverInstance(), nullptr);
  Register(GADGETCLASS_COMBOBOX, hwnd, nullptr, 0);
  _comboHwnd = reinterpret_cast<HWND>(SendMessageW(hwnd, CBEM_GETCOMBOCONTROL, 0, 0));
  if (editable) _editHwnd = reinterpret_cast<HWND>(SendMessageW(hwnd, CBEM_GETEDITCONTROL, 0, 0));
  AdoptInner(_editHwnd);
  AdoptInner(_comboHwnd);
  if (_editHwnd) SetWindowSubclass(_editHwnd, &WatchTyping, kTypingWatchId, 0);
  SetColor(255, 255, 255);
}

LRESULT CALLBACK TWindowsComboBox::WatchTyping(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR) {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &WatchTyping, kTypingWatchId);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  // Held for the call: the map may drop the gadget while the control works.
  std::shared_ptr<TWindowsComboBox> combo;
  if (IsUserInput(msg, wParam))
    combo = std::dynamic_pointer_cast<TWindowsComboBox>(GadgetOfHwnd(hwnd));
  if (!combo) return DefSubclassProc(hwnd, msg, wParam, lParam);
  ++combo->_typing;
  const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  --combo->_typing;
  return result;
}

void TWindowsComboBox::AdoptInner(HWND inner) {
  if (!inner) return;
  SetWindowLongW(inner, GWL_STYLE, GetWindowLongW(inner, GWL_STYLE) | WS_TABSTOP);
  TWindowsGUIDriver::RegisterHwnd(inner, WindowsSelf());
}

void TWindowsComboBox::ReleaseNativeResources() {
  // The inner controls go with the control; a handle still entered for this gadget is
  // forgotten here.
  for (HWND inner : {_editHwnd, _comboHwnd}) {
    if (GadgetOfHwnd(inner).get() == this) TWindowsGUIDriver::RemoveHwnd(inner);
  }
  _editHwnd = nullptr;
  _comboHwnd = nullptr;
  TWindowsListGadget::ReleaseNativeResources();
}

int32_t TWindowsComboBox::SetText(const std::u16string& text) {
  if (_editHwnd) {
    TQuietChange quiet(*this);
    SetWindowTextW(_editHwnd, Wide(text));
    KeepSelected(-1);  // the field shows no chosen item now
    return 0;
  }
  SendMessageW(_comboHwnd, CB_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(Wide(text)));
  return 0;
}

std::u16string TWindowsComboBox::GetText() {
  if (_editHwnd) return WindowText(_editHwnd);
  return SelectedIndex() >= 0 ? ItemText(SelectedIndex()) : std::u16string();
}

int32_t TWindowsComboBox::SetIconStrip(const IconStripRef& strip) {
  KeepIcons(strip);
  SendMessageW(Hwnd(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageListOf(strip)));
  return 0;
}

int32_t TWindowsComboBox::ClearListItems() {
  TQuietChange quiet(*this);
  KeepSelected(-1);
  SendMessageW(Hwnd(), CB_RESETCONTENT, 0, 0);
  return 0;
}

int32_t TWindowsComboBox::InsertListItem(int32_t index, const std::u16string& text,
                                         const std::u16string&, int32_t icon, ObjectRef) {
  TQuietChange quiet(*this);
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(Wide(text));
  item.iImage = ImageOf(icon);
  item.iSelectedImage = item.iImage;
  SendMessageW(Hwnd(), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  SelectionInserted(index);
  return 0;
}

int32_t TWindowsComboBox::SetListItem(int32_t index, const std::u16string& text,
                                      const std::u16string&, int32_t icon, ObjectRef) {
  TQuietChange quiet(*this);
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(Wide(text));
  if (Icons()) {
    item.mask |= CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iImage = ImageOf(icon);
    item.iSelectedImage = item.iImage;
  }
  SendMessageW(Hwnd(), CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return 0;
}

int32_t TWindowsComboBox::RemoveListItem(int32_t index) {
  TQuietChange quiet(*this);
  SendMessageW(Hwnd(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  SelectionRemoved(index);
  return 0;
}

int32_t TWindowsComboBox::SetListItemState(int32_t index, int32_t state) {
  TQuietChange quiet(*this);
  if (state & ITEMSTATE_SELECTED) {
    SendMessageW(Hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    KeepSelected(index);
    return 0;
  }
  // Only the chosen item can be unchosen: another item's choice stays.
  if (CurrentSelection() == index) SendMessageW(Hwnd(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  if (SelectedIndex() == index) KeepSelected(-1);
  return 0;
}

int32_t TWindowsComboBox::ListItemState(int32_t index) {
  return CurrentSelection() == index ? ITEMSTATE_SELECTED : 0;
}

int32_t TWindowsComboBox::CurrentSelection() {
  return static_cast<int32_t>(SendMessageW(Hwnd(), CB_GETCURSEL, 0, 0));
}

LRESULT TWindowsComboBox::OnCommand(UINT msg, WPARAM wParam) {
  if (msg != WM_COMMAND) return 0;
  switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
      OnSelectionChange();
      break;
    case CBN_EDITCHANGE:
      OnEditChange();
      break;
    default:
      break;
  }
  return 0;
}

void TWindowsComboBox::OnSelectionChange() {
  const int32_t selection = CurrentSelection();
  if (selection < 0 || selection >= ItemCount() || selection == SelectedIndex()) return;
  KeepSelected(selection);
  PostGuiEvent(GadgetAction, selection, 0, 0, 0, ItemExtra(selection));
}

void TWindowsComboBox::OnEditChange() {
  // The control rewrites the field itself to show the item chosen in its list; moving
  // through the list from the field with the arrow keys tells of the choice only so.
  if (_typing == 0) {
    OnSelectionChange();
    return;
  }
  // Typed text is no item, whatever the list still marks.
  KeepSelected(-1);
  PostGuiEvent(GadgetAction, -1, 0, 0, 0, nullptr);
}

int32_t TWindowsComboBox::StartDoubleBuffer() {
  // Redrawing back on makes a window visible: only a shown box has it switched off.
  if (!_redrawoff && (GetWindowLongW(Hwnd(), GWL_STYLE) & WS_VISIBLE)) {
    _redrawoff = 1;
    SendMessageW(Hwnd(), WM_SETREDRAW, FALSE, 0);
  }
  return TWindowsListGadget::StartDoubleBuffer();
}

int32_t TWindowsComboBox::EndDoubleBuffer() {
  TWindowsListGadget::EndDoubleBuffer();
  if (!_redrawoff) return 0;
  _redrawoff = 0;
  SendMessageW(Hwnd(), WM_SETREDRAW, TRUE, 0);
  // Turning redrawing back on paints nothing by itself.
  RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  return 0;
}

}  // namespace quardeln
