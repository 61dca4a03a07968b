// The floors: plain Win32 list view, extended combo box, tree view and tool bar controls
// in a plain window, given the native calls the toolkit's driver makes for the same work.
// A batch of list or tree changes runs with the control's redraw off and is drawn once at
// the end, where a list also fits its column once.
#include "runtime/win32/windows_api.h"
//
#include <commctrl.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "bench/win32/gadget_sides.h"

namespace bench {
namespace {

LPWSTR Wide(const std::u16string& text) {
  return const_cast<LPWSTR>(reinterpret_cast<LPCWSTR>(text.c_str()));
}

HINSTANCE Instance() {
  return GetModuleHandleW(nullptr);
}

bool CommonControls6() {
  static const bool six = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    HMODULE library = GetModuleHandleW(L"comctl32.dll");
    auto getVersion = library ? reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(
                                    GetProcAddress(library, "DllGetVersion")))
                              : nullptr;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    return getVersion && SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 6;
  }();
  return six;
}

// Paints what the control was told to draw, as the toolkit's sides do.
void Paint(HWND hwnd) {
  Settle();
  UpdateWindow(hwnd);
}

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_REPORT |
                             LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                             LVS_NOCOLUMNHEADER;
static_assert(kListStyle == 0x5401404D);

class TFloorList final : public TListSide {
 public:
  explicit TFloorList(HWND window) : window_(window) {}
  void Make() override {
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", kListStyle, kGadgetX, kGadgetY,
                            kGadgetW, kGadgetH, window_, nullptr, Instance(), nullptr);
    LVCOLUMNW column{};
    ListView_InsertColumn(hwnd_, 0, &column);
    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
    if (CommonControls6()) extended |= LVS_EX_DOUBLEBUFFER;
    ListView_SetExtendedListViewStyleEx(hwnd_, extended, extended);
    count_ = 0;
    Paint(hwnd_);
  }
  void Free() override { DestroyWindow(hwnd_); }
  void Begin() override { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
  void Finish() override {
    FitColumn();
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    // Wine's list scrolls nothing while its redraw is off: the selection is brought into
    // view once it is back on.
    if (selected_ >= 0) ListView_EnsureVisible(hwnd_, std::exchange(selected_, -1), FALSE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    Paint(hwnd_);
  }
  void Add(const std::u16string& text) override { Insert(count_, text); }
  void SelectLast() override {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(count_ - 1),
                 reinterpret_cast<LPARAM>(&item));
    ListView_EnsureVisible(hwnd_, count_ - 1, FALSE);
    selected_ = count_ - 1;
  }
  void Clear() override {
    ListView_DeleteAllItems(hwnd_);
    count_ = 0;
  }
  void RemoveFirst() override {
    ListView_DeleteItem(hwnd_, 0);
    --count_;
  }
  // The toolkit's list box changes an item by making it anew.
  void Change(int index, const std::u16string& text) override {
    ListView_DeleteItem(hwnd_, index);
    --count_;
    Insert(index, text);
  }
  HWND Native() const override { return hwnd_; }

 private:
  void Insert(int index, const std::u16string& text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_DI_SETITEM | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = Wide(text);
    item.iImage = I_IMAGENONE;
    ListView_InsertItem(hwnd_, &item);
    ++count_;
  }
  // As wide as the widest item, and at least as wide as the control.
  void FitColumn() {
    ListView_SetColumnWidth(hwnd_, 0, LVSCW_AUTOSIZE);
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (ListView_GetColumnWidth(hwnd_, 0) < client.right) {
      ListView_SetColumnWidth(hwnd_, 0, LVSCW_AUTOSIZE_USEHEADER);
    }
  }

  HWND window_;
  HWND hwnd_ = nullptr;
  int count_ = 0;
  int selected_ = -1;  // selected in this batch
};

constexpr DWORD kComboStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                              WS_TABSTOP | CBS_AUTOHSCROLL | CBS_DROPDOWNLIST;
static_assert(kComboStyle == (0x56010040 | 3));
// The control keeps its creation height for its dropped-down list.
constexpr int kDropDownHeight = 180;

class TFloorCombo final : public TListSide {
 public:
  explicit TFloorCombo(HWND window) : window_(window) {}
  void Make() override {
    hwnd_ = CreateWindowExW(0, WC_COMBOBOXEXW, L"", kComboStyle, 0, 0, 0, kDropDownHeight, window_,
                            nullptr, Instance(), nullptr);
    MoveWindow(hwnd_, kGadgetX, kGadgetY, kGadgetW, kComboH, TRUE);
    count_ = 0;
    Paint(hwnd_);
  }
  void Free() override { DestroyWindow(hwnd_); }
  void Finish() override { Paint(hwnd_); }
  void Add(const std::u16string& text) override {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = count_;
    item.pszText = Wide(text);
    item.iImage = I_IMAGENONE;
    item.iSelectedImage = I_IMAGENONE;
    SendMessageW(hwnd_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ++count_;
  }
  void SelectLast() override {
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(count_ - 1), 0);
  }
  void Clear() override {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    count_ = 0;
  }
  void RemoveFirst() override {
    SendMessageW(hwnd_, CB_DELETESTRING, 0, 0);
    --count_;
  }
  void Change(int index, const std::u16string& text) override {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = Wide(text);
    SendMessageW(hwnd_, CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  HWND Native() const override { return hwnd_; }

 private:
  HWND window_;
  HWND hwnd_ = nullptr;
  int count_ = 0;
};

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TVS_HASBUTTONS |
                             TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS;
static_assert(kTreeStyle == 0x540000A7);
constexpr DWORD kTreeExStyle = WS_EX_CLIENTEDGE | WS_EX_COMPOSITED;

class TFloorTree final : public TListSide {
 public:
  explicit TFloorTree(HWND window) : window_(window) {}
  void Make() override {
    hwnd_ = CreateWindowExW(kTreeExStyle, WC_TREEVIEWW, L"", kTreeStyle, kGadgetX, kGadgetY,
                            kGadgetW, kGadgetH, window_, nullptr, Instance(), nullptr);
    if (CommonControls6()) {
      TreeView_SetExtendedStyle(hwnd_, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
    }
    items_.clear();
    first_ = 0;
    Paint(hwnd_);
  }
  void Free() override { DestroyWindow(hwnd_); }
  void Begin() override { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
  void Finish() override {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    // Wine's tree scrolls nothing while its redraw is off: the selection is brought into
    // view once it is back on.
    if (selected_) TreeView_EnsureVisible(hwnd_, std::exchange(selected_, nullptr));
    InvalidateRect(hwnd_, nullptr, TRUE);
    Paint(hwnd_);
  }
  void Add(const std::u16string& text) override {
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = Wide(text);
    insert.item.lParam = static_cast<LPARAM>(items_.size());
    items_.push_back(TreeView_InsertItem(hwnd_, &insert));
  }
  void SelectLast() override {
    TreeView_SelectItem(hwnd_, items_.back());
    selected_ = items_.back();
  }
  void Clear() override {
    TreeView_DeleteAllItems(hwnd_);
    items_.clear();
    first_ = 0;
  }
  void RemoveFirst() override { TreeView_DeleteItem(hwnd_, items_[first_++]); }
  void Change(int index, const std::u16string& text) override {
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = items_[first_ + static_cast<size_t>(index)];
    item.pszText = Wide(text);
    TreeView_SetItem(hwnd_, &item);
  }
  HWND Native() const override { return hwnd_; }

 private:
  HWND window_;
  HWND hwnd_ = nullptr;
  std::vector<HTREEITEM> items_;
  size_t first_ = 0;              // items before it are removed
  HTREEITEM selected_ = nullptr;  // selected in this batch
};

constexpr DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
static_assert(kToolBarStyle == 0x54008800);
constexpr DWORD kToolBarExtendedStyle = TBSTYLE_EX_HIDECLIPPEDBUTTONS | TBSTYLE_EX_DOUBLEBUFFER;
static_assert(kToolBarExtendedStyle == 0x90);

// A 32-bit image list of the strip's icons, added as one bitmap.
HIMAGELIST ImageListOf(const TIconStripPixels& strip) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = strip.Width();
  info.bmiHeader.biHeight = -strip.size;  // top-down rows, as the pixels are kept
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::memcpy(bits, strip.argb.data(), strip.argb.size() * sizeof(uint32_t));
  HIMAGELIST list = ImageList_Create(strip.size, strip.size, ILC_COLOR32, 0, 1);
  ImageList_Add(list, bitmap, nullptr);
  DeleteObject(bitmap);
  return list;
}

class TFloorToolBar final : public TToolBarSide {
 public:
  TFloorToolBar(HWND window, const TIconStripPixels& strip) : window_(window), strip_(strip) {}
  void Make() override {
    hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", kToolBarStyle, 0, 0, 0, 0, window_, nullptr,
                            Instance(), nullptr);
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, kToolBarExtendedStyle);
    tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, Instance(), nullptr);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 300);
    SendMessageW(hwnd_, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips_), 0);
    Place();
    images_ = ImageListOf(strip_);
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
    Place();
    for (int i = 0; i < strip_.count; ++i) InsertButton(i);
    Paint(hwnd_);
  }
  // The toolkit gives a button its tip by making the button anew.
  void SetTips(const std::vector<std::u16string>& tips) override {
    for (int i = 0; i < static_cast<int>(tips.size()) && i < strip_.count; ++i) {
      DeleteTool(i);
      SendMessageW(hwnd_, TB_DELETEBUTTON, static_cast<WPARAM>(i), 0);
      InsertButton(i);
      AddTool(i, tips[static_cast<size_t>(i)]);
    }
    Paint(hwnd_);
  }
  void Free() override {
    DestroyWindow(hwnd_);
    ImageList_Destroy(images_);
  }
  HWND Native() const override { return hwnd_; }

 private:
  // At the top of the window, as wide as its client area.
  void Place() {
    RECT own{};
    GetWindowRect(hwnd_, &own);
    RECT client{};
    GetClientRect(window_, &client);
    MoveWindow(hwnd_, 0, 0, client.right, own.bottom - own.top, TRUE);
  }
  void InsertButton(int index) {
    TBBUTTON button{};
    button.iString = -1;
    button.iBitmap = index;
    button.idCommand = index + 1;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    SendMessageW(hwnd_, TB_INSERTBUTTONW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&button));
  }
  void DeleteTool(int index) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = hwnd_;
    tool.uId = static_cast<UINT_PTR>(index) + 1;
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  void AddTool(int index, const std::u16string& tip) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = static_cast<UINT_PTR>(index) + 1;
    SendMessageW(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&tool.rect));
    tool.lpszText = Wide(tip);
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }

  HWND window_;
  const TIconStripPixels& strip_;
  HWND hwnd_ = nullptr;
  HWND tips_ = nullptr;
  HIMAGELIST images_ = nullptr;
};

LRESULT CALLBACK FloorWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void Settle() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::string LastSelectedShown(TGadgetKind kind, HWND control) {
  char text[160];
  switch (kind) {
    case TGadgetKind::ListBox: {
      const int last = ListView_GetItemCount(control) - 1;
      const int top = ListView_GetTopIndex(control);
      const int page = ListView_GetCountPerPage(control);
      const bool selected = ListView_GetItemState(control, last, LVIS_SELECTED) != 0;
      if (selected && last >= top && last < top + page) return {};
      std::snprintf(text, sizeof text, "last %d %s, top %d, page %d", last,
                    selected ? "selected" : "not selected", top, page);
      return text;
    }
    case TGadgetKind::ComboBox: {
      const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
      const LRESULT chosen = SendMessageW(control, CB_GETCURSEL, 0, 0);
      if (chosen == count - 1) return {};
      std::snprintf(text, sizeof text, "chosen %d of %d", static_cast<int>(chosen),
                    static_cast<int>(count));
      return text;
    }
    case TGadgetKind::TreeView: {
      HTREEITEM selected = TreeView_GetSelection(control);
      HTREEITEM last = TreeView_GetLastVisible(control);
      RECT item{};
      RECT client{};
      GetClientRect(control, &client);
      const bool rect = selected && TreeView_GetItemRect(control, selected, &item, TRUE);
      if (rect && selected == last && item.top >= 0 && item.bottom <= client.bottom) return {};
      std::snprintf(text, sizeof text, "selected %s the last, at %ld..%ld of %ld",
                    selected == last ? "is" : "is not", rect ? item.top : -1L,
                    rect ? item.bottom : -1L, client.bottom);
      return text;
    }
  }
  return "unknown kind";
}

TIconStripPixels MakeIconStripPixels(int count, int size) {
  TIconStripPixels strip{count, size, {}};
  strip.argb.assign(static_cast<size_t>(strip.Width()) * static_cast<size_t>(size), 0xFFFFFFFF);
  for (int icon = 0; icon < count; ++icon) {
    const uint32_t frame = 0xFF000000u | (static_cast<uint32_t>(icon) * 0x050A13u & 0xFFFFFFu);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const bool edge = x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
        if (edge) strip.argb[static_cast<size_t>(y * strip.Width() + icon * size + x)] = frame;
      }
    }
  }
  return strip;
}

HWND MakeFloorWindow(int x, int y, int w, int h) {
  static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &FloorWindowProc;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = L"FLOOR_GADGETS";
    return RegisterClassW(&windowClass);
  }();
  (void)atom;
  CommonControls6();
  HWND window = CreateWindowExW(0, L"FLOOR_GADGETS", L"floor",
                                WS_OVERLAPPED | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN, x, y, w,
                                h, nullptr, nullptr, Instance(), nullptr);
  Paint(window);
  return window;
}

std::unique_ptr<TListSide> MakeFloorList(TGadgetKind kind, HWND window) {
  switch (kind) {
    case TGadgetKind::ListBox:
      return std::make_unique<TFloorList>(window);
    case TGadgetKind::ComboBox:
      return std::make_unique<TFloorCombo>(window);
    case TGadgetKind::TreeView:
      return std::make_unique<TFloorTree>(window);
  }
  return nullptr;
}

std::unique_ptr<TToolBarSide> MakeFloorToolBar(HWND window, const TIconStripPixels& strip) {
  return std::make_unique<TFloorToolBar>(window, strip);
}

}  // namespace bench
