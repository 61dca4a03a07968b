// The list box and the combo box on real native controls under Wine, made through the
// driver and driven with real mouse and keyboard input: the events a user's choices post
// with their data and extras, the silence of program-made changes, the texts of the two
// kinds of combo box, and a batch of list box changes drawn once, its column fitted once.
#include "gui/api.h"
#include "gui/win32/windows_combo_box.h"
#include "gui/win32/windows_list_box.h"
#include "tests/gui/win32/gadget_test_support.h"

namespace quardeln::test {
namespace {

class WindowsListTest : public DriverTest {
 protected:
  template <typename G>
  std::shared_ptr<G> New(int32_t class_, int32_t style, int32_t x = 10, int32_t y = 10,
                         int32_t w = 200, int32_t h = 150) {
    return Keep(Make<G>(class_, u"", x, y, w, h, Window(), style));
  }
  // The suite's window in front with `focus` focused, so real input reaches it.
  void BringToFront(HWND focus) {
    SetWindowPos(NativeOf(Window()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(NativeOf(Window()));
    SetFocus(focus);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == focus; })) << "the window cannot get focus";
  }
  void TearDown() override {
    SetWindowPos(NativeOf(Window()), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    DriverTest::TearDown();
  }
};

std::vector<int32_t> DataOf(const std::vector<EventRef>& events) {
  std::vector<int32_t> data;
  for (const EventRef& event : events) data.push_back(event->data);
  return data;
}

// Real mouse input at a point of `hwnd`'s client area: a move there, then `buttons`.
void Mouse(HWND hwnd, POINT at, std::initializer_list<DWORD> buttons) {
  ClientToScreen(hwnd, &at);
  const int screen_w = GetSystemMetrics(SM_CXSCREEN);
  const int screen_h = GetSystemMetrics(SM_CYSCREEN);
  std::vector<INPUT> inputs(buttons.size() + 1);
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + screen_w / 2) / screen_w;
    input.mi.dy = (at.y * 65536 + screen_h / 2) / screen_h;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  size_t i = 1;
  for (DWORD button : buttons) inputs[i++].mi.dwFlags = button | MOUSEEVENTF_ABSOLUTE;
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Click(HWND hwnd, POINT at) {
  Mouse(hwnd, at, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
}

// Real key strokes, each pressed and released.
void Keys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// ---- list box ----

// The middle of item `index` of a list box, in its client coordinates.
POINT ItemPoint(const std::shared_ptr<TWindowsListBox>& list, int32_t index) {
  RECT rect{};
  rect.left = LVIR_LABEL;
  SendMessageW(NativeOf(list), LVM_GETITEMRECT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&rect));
  return POINT{rect.left + 5, (rect.top + rect.bottom) / 2};
}

std::u16string NativeItemText(const std::shared_ptr<TWindowsListBox>& list, int32_t index) {
  wchar_t text[64] = {};
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(NativeOf(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
  return reinterpret_cast<const char16_t*>(text);
}

TEST_F(WindowsListTest, ProgramSelectionIsSilentAndAModifiedItemLosesIt) {
  auto list = New<TWindowsListBox>(GADGETCLASS_LISTBOX, 0);
  ASSERT_TRUE(list);
  for (const char16_t* text : {u"uno", u"due", u"tre"}) GadgetAddItem(list, text);
  GadgetSelectItem(list, 1);
  EXPECT_EQ(GadgetSelectedItem(list), 1);
  EXPECT_EQ(list->SelectedIndex(), 1);

  GadgetModifyItem(list, 1, u"DUE", 0, -1, u"", nullptr);
  EXPECT_EQ(NativeItemText(list, 1), u"DUE");
  EXPECT_EQ(NativeItemText(list, 2), u"tre");
  EXPECT_EQ(GadgetSelectedItem(list), -1);
  EXPECT_EQ(list->SelectedIndex(), -1);
  PumpPending();
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsListTest, ClicksSelectAndAClickBesideTheItemsDeselectsOnce) {
  auto list = New<TWindowsListBox>(GADGETCLASS_LISTBOX, 0);
  auto first = NewText(u"first");
  GadgetAddItem(list, u"uno", 0, -1, u"", first);
  GadgetAddItem(list, u"due");
  BringToFront(NativeOf(list));

  Click(NativeOf(list), ItemPoint(list, 0));
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(GadgetSelect, list).empty(); }));
  EXPECT_EQ(EventsOf(GadgetSelect, list)[0]->data, 0);
  EXPECT_EQ(EventsOf(GadgetSelect, list)[0]->extra, first);

  RecordedEvents().clear();
  const POINT beside{20, ClientRectOf(NativeOf(list)).bottom - 10};
  Click(NativeOf(list), beside);
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(GadgetSelect, list).empty(); }));
  Click(NativeOf(list), beside);
  PumpFor(300);
  EXPECT_EQ(DataOf(EventsOf(GadgetSelect, list)), (std::vector<int32_t>{-1}));
  EXPECT_EQ(EventsOf(GadgetSelect, list)[0]->extra, nullptr);
}

TEST_F(WindowsListTest, DoubleAndRightClicksCarryTheItemsExtra) {
  auto list = New<TWindowsListBox>(GADGETCLASS_LISTBOX, 0);
  auto second = NewText(u"second");
  auto third = NewText(u"third");
  GadgetAddItem(list, u"uno");
  GadgetAddItem(list, u"due", 0, -1, u"", second);
  GadgetAddItem(list, u"tre", 0, -1, u"", third);
  BringToFront(NativeOf(list));

  Mouse(NativeOf(list), ItemPoint(list, 1),
        {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(GadgetAction, list).empty(); }))
      << DescribeRecorded();
  EXPECT_EQ(EventsOf(GadgetAction, list)[0]->data, 1);
  EXPECT_EQ(EventsOf(GadgetAction, list)[0]->extra, second);

  Mouse(NativeOf(list), ItemPoint(list, 2), {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(GadgetMenu, list).empty(); })) << DescribeRecorded();
  EXPECT_EQ(EventsOf(GadgetMenu, list)[0]->data, 2);
  EXPECT_EQ(EventsOf(GadgetMenu, list)[0]->extra, third);
  EXPECT_EQ(EventsOf(GadgetAction, list).size(), 1u);
}

int ColumnWidthCalls = 0;
int Paints = 0;

LRESULT CALLBACK CountColumnFits(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
  if (msg == LVM_SETCOLUMNWIDTH) ++ColumnWidthCalls;
  if (msg == WM_PAINT) ++Paints;
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowsListTest, BatchIsDrawnOnceWithTheColumnFittingTheWidestItem) {
  auto list = New<TWindowsListBox>(GADGETCLASS_LISTBOX, 0);
  PumpPending();
  ColumnWidthCalls = 0;
  Paints = 0;
  ASSERT_TRUE(SetWindowSubclass(NativeOf(list), &CountColumnFits, 1, 0));
  std::u16string widest;
  for (int i = 0; i < 200; ++i) {
    widest = u"voce " + std::u16string(static_cast<size_t>(i / 4), u'x');
    GadgetAddItem(list, widest);
  }
  EXPECT_EQ(ColumnWidthCalls, 0) << "no fit per insert";
  const LRESULT width = SendMessageW(NativeOf(list), LVM_GETCOLUMNWIDTH, 0, 0);
  const LRESULT needed = SendMessageW(NativeOf(list), LVM_GETSTRINGWIDTHW, 0,
                                      reinterpret_cast<LPARAM>(widest.c_str()));
  EXPECT_GE(width, needed);
  PumpFor(100);
  // One fit for the batch, before the width was read: one or two width calls.
  EXPECT_GE(ColumnWidthCalls, 1);
  EXPECT_LE(ColumnWidthCalls, 2);
  EXPECT_GE(Paints, 1) << "the batch is drawn once the message loop runs";
  RemoveWindowSubclass(NativeOf(list), &CountColumnFits, 1);
}

// Native item measurements: one per LVM_GETSTRINGWIDTHW, and every item for each width
// the control fits to its items itself (LVSCW_AUTOSIZE and LVSCW_AUTOSIZE_USEHEADER).
// And the items the control walks looking for the selection (LVM_GETNEXTITEM from the
// start), up to the one it finds.
int Measurements = 0;
int ItemsSearched = 0;

LRESULT CALLBACK CountMeasurements(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
  if (msg == LVM_GETSTRINGWIDTHW) ++Measurements;
  const auto width = static_cast<short>(LOWORD(lParam));
  if (msg == LVM_SETCOLUMNWIDTH && (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)) {
    Measurements += ListView_GetItemCount(hwnd);
  }
  const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == LVM_GETNEXTITEM && (lParam & LVNI_SELECTED)) {
    ItemsSearched += result >= 0 ? static_cast<int>(result) + 1 : ListView_GetItemCount(hwnd);
  }
  return result;
}

TEST_F(WindowsListTest, AddingAndSelectingEachMeasuresItOnceSearchesNoneAndShowsTheLast) {
  auto list = New<TWindowsListBox>(GADGETCLASS_LISTBOX, 0);
  const HWND hwnd = reinterpret_cast<HWND>(list->Query(QUERY_NATIVE));
  Measurements = 0;
  ItemsSearched = 0;
  ASSERT_TRUE(SetWindowSubclass(hwnd, &CountMeasurements, 1, 0));
  constexpr int kItems = 300;
  for (int i = 0; i < kItems; ++i) {
    GadgetAddItem(list, u"riga " + std::u16string(static_cast<size_t>(i % 50), u'x'));
    GadgetSelectItem(list, i);  // scrolls it into view: the column must fit
  }
  EXPECT_EQ(Measurements, kItems);
  EXPECT_EQ(ItemsSearched, 0) << "a search per selection walks the items before it";
  PumpPending();
  const int top = ListView_GetTopIndex(hwnd);
  EXPECT_LE(top, kItems - 1);
  EXPECT_GT(top + ListView_GetCountPerPage(hwnd), kItems - 1) << "the selection is in view";
  EXPECT_EQ(GadgetSelectedItem(list), kItems - 1);
  const std::u16string second = u"riga " + std::u16string(48, u'x');
  const LRESULT before = ListView_GetColumnWidth(hwnd, 0);
  for (int i = kItems - 1; i >= 0; --i) {
    if (i % 50 == 49) GadgetRemoveItem(list, i);  // every widest item goes
  }
  const LRESULT after = ListView_GetColumnWidth(hwnd, 0);
  EXPECT_EQ(Measurements, kItems) << "the kept widths are rescanned, not measured again";
  EXPECT_LT(after, before);
  EXPECT_GE(after, ListView_GetStringWidth(hwnd, reinterpret_cast<LPCWSTR>(second.c_str())));
  GadgetModifyItem(list, 0, u"lunghissima " + std::u16string(80, u'x'), 0, -1, u"", nullptr);
  EXPECT_EQ(Measurements, kItems + 1);
  EXPECT_GT(ListView_GetColumnWidth(hwnd, 0), before);
  RemoveWindowSubclass(hwnd, &CountMeasurements, 1);
}

// ---- combo box ----

TEST_F(WindowsListTest, EveryKeystrokeInAnEditableComboPostsOneAction) {
  auto combo = New<TWindowsComboBox>(GADGETCLASS_COMBOBOX, COMBOBOX_EDITABLE, 10, 10, 200, 24);
  ASSERT_TRUE(combo && combo->EditHwnd() && combo->ComboHwnd());
  BringToFront(combo->EditHwnd());
  EXPECT_EQ(GuiDriver().ActiveGadget(), combo);

  Keys({'A', 'B', 'C', VK_BACK});
  ASSERT_TRUE(PumpUntil([&] { return EventsOf(GadgetAction, combo).size() >= 4; }))
      << DescribeRecorded();
  PumpFor(200);
  EXPECT_EQ(DataOf(EventsOf(GadgetAction, combo)), (std::vector<int32_t>{-1, -1, -1, -1}));
  EXPECT_EQ(GadgetGetText(combo), u"ab");

  RecordedEvents().clear();
  GadgetSetText(combo, u"scritto");
  EXPECT_EQ(GadgetGetText(combo), u"scritto");
  PumpPending();
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

std::u16string CueBannerSent;

LRESULT CALLBACK RecordCueBanner(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
  if (msg == CB_SETCUEBANNER) CueBannerSent = reinterpret_cast<const char16_t*>(lParam);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(WindowsListTest, DropDownListTellsItsChoiceAndShowsTheTextAsHint) {
  auto combo = New<TWindowsComboBox>(GADGETCLASS_COMBOBOX, 0, 10, 10, 200, 24);
  ASSERT_TRUE(combo && combo->ComboHwnd());
  EXPECT_EQ(combo->EditHwnd(), nullptr);
  ASSERT_TRUE(SetWindowSubclass(combo->ComboHwnd(), &RecordCueBanner, 1, 0));
  GadgetSetText(combo, u"Scegli");
  RemoveWindowSubclass(combo->ComboHwnd(), &RecordCueBanner, 1);
  EXPECT_EQ(CueBannerSent, u"Scegli");
  // Wine's combo boxes know no cue banners; where the control keeps it, it reads back.
  wchar_t banner[32] = {};
  if (SendMessageW(combo->ComboHwnd(), CB_GETCUEBANNER, reinterpret_cast<WPARAM>(banner), 32) ==
      1) {
    EXPECT_STREQ(banner, L"Scegli");
  }
  EXPECT_EQ(GadgetGetText(combo), u"");

  for (const char16_t* text : {u"uno", u"due", u"tre"}) GadgetAddItem(combo, text);
  GadgetSelectItem(combo, 1);
  EXPECT_EQ(GadgetGetText(combo), u"due");
  GadgetDeselectItem(combo, 2);  // not the chosen one
  EXPECT_EQ(GadgetSelectedItem(combo), 1);
  GadgetRemoveItem(combo, 0);
  EXPECT_EQ(GadgetGetText(combo), u"due") << "the choice moved up with its item";
  PumpPending();
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();

  const HWND inner = combo->ComboHwnd();
  combo->Free();
  EXPECT_EQ(GadgetOfHwnd(inner), nullptr);
}

TEST_F(WindowsListTest, HiddenComboStaysHiddenThroughAResizeWithoutRedraw) {
  auto combo = New<TWindowsComboBox>(GADGETCLASS_COMBOBOX, 0, 10, 10, 200, 24);
  GadgetHide(combo);
  Window()->StartDoubleBuffer();  // what a window does around a resize by the user
  Window()->EndDoubleBuffer();
  EXPECT_FALSE(IsWindowVisible(NativeOf(combo)));
  GadgetShow(combo);
  Window()->StartDoubleBuffer();
  Window()->EndDoubleBuffer();
  EXPECT_TRUE(IsWindowVisible(NativeOf(combo)));
}

// Three items, the last two with extras.
void FillChoices(const GadgetRef& combo, const ObjectRef& second, const ObjectRef& third) {
  GadgetAddItem(combo, u"uno");
  GadgetAddItem(combo, u"due", 0, -1, u"", second);
  GadgetAddItem(combo, u"tre", 0, -1, u"", third);
}

TEST_F(WindowsListTest, ChoosingWithKeysPostsTheItemAndItsExtra) {
  auto combo = New<TWindowsComboBox>(GADGETCLASS_COMBOBOX, 0, 10, 10, 200, 24);
  auto second = NewText(u"second");
  FillChoices(combo, second, NewText(u"third"));
  GadgetSelectItem(combo, 0);
  BringToFront(combo->ComboHwnd());

  Keys({VK_DOWN});
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(GadgetAction, combo).empty(); }))
      << DescribeRecorded();
  PumpFor(100);
  EXPECT_EQ(DataOf(EventsOf(GadgetAction, combo)), (std::vector<int32_t>{1}));
  EXPECT_EQ(EventsOf(GadgetAction, combo)[0]->extra, second);
  EXPECT_EQ(GadgetGetText(combo), u"due");
}

TEST_F(WindowsListTest, ChoosingWithKeysInAnEditableComboPostsTheItemItShows) {
  auto combo = New<TWindowsComboBox>(GADGETCLASS_COMBOBOX, COMBOBOX_EDITABLE, 10, 10, 200, 24);
  auto second = NewText(u"second");
  FillChoices(combo, second, NewText(u"third"));
  GadgetSelectItem(combo, 0);
  BringToFront(combo->EditHwnd());

  Keys({VK_DOWN});
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(GadgetAction, combo).empty(); }))
      << DescribeRecorded();
  PumpFor(200);
  EXPECT_EQ(DataOf(EventsOf(GadgetAction, combo)), (std::vector<int32_t>{1})) << DescribeRecorded();
  EXPECT_EQ(EventsOf(GadgetAction, combo)[0]->extra, second);
  EXPECT_EQ(GadgetSelectedItem(combo), 1);
  EXPECT_EQ(GadgetGetText(combo), u"due");
}

TEST_F(WindowsListTest, ChoosingWithTheMousePostsTheItemAndShowsItInTheField) {
  auto combo = New<TWindowsComboBox>(GADGETCLASS_COMBOBOX, COMBOBOX_EDITABLE, 10, 10, 200, 24);
  auto third = NewText(u"third");
  FillChoices(combo, NewText(u"second"), third);
  BringToFront(combo->EditHwnd());

  // Drop the list down with its button, then click its last item.
  const RECT box = ClientRectOf(combo->ComboHwnd());
  Click(combo->ComboHwnd(), POINT{box.right - 8, box.bottom / 2});
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(PumpUntil([&] {
    return GetComboBoxInfo(combo->ComboHwnd(), &info) && info.hwndList &&
           IsWindowVisible(info.hwndList);
  })) << "the list did not drop down";
  RECT item{};
  SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  Click(info.hwndList, POINT{item.left + 10, (item.top + item.bottom) / 2});
  ASSERT_TRUE(PumpUntil([&] { return !EventsOf(GadgetAction, combo).empty(); }))
      << DescribeRecorded();
  PumpFor(200);
  EXPECT_EQ(DataOf(EventsOf(GadgetAction, combo)), (std::vector<int32_t>{2})) << DescribeRecorded();
  EXPECT_EQ(EventsOf(GadgetAction, combo)[0]->extra, third);
  EXPECT_EQ(GadgetGetText(combo), u"tre") << "the control hears its own list";
}

}  // namespace
}  // namespace quardeln::test
