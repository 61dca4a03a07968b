// Buttons, labels, text fields and sliders on real native controls under Wine, driven
// with the messages the system sends for clicks and typing (and real mouse input for
// the stepper): the events each posts with its data, the silence of program-made
// changes, the key filter, and the value model of each slider kind.
#include "gui/win32/windows_button.h"
#include "gui/win32/windows_label.h"
#include "gui/win32/windows_slider.h"
#include "gui/win32/windows_text_field.h"
#include "gui/win32/windows_window.h"
#include "pixmap/pixmap.h"
#include "tests/gui/win32/gadget_test_support.h"
#include "tests/gui/win32/real_input.h"

namespace quardeln::test {
namespace {

// The controls live in the suite's window (a window of the driver's class).
class WindowsControlsTest : public DriverTest {
 protected:
  template <typename G>
  std::shared_ptr<G> New(int32_t class_, const std::u16string& text, int32_t style, int32_t x = 10,
                         int32_t y = 10, int32_t w = 120, int32_t h = 24) {
    return Keep(Make<G>(class_, text, x, y, w, h, Window(), style));
  }
  std::vector<int32_t> ActionData(const GadgetRef& gadget) {
    std::vector<int32_t> data;
    for (const EventRef& event : EventsOf(GadgetAction, gadget)) data.push_back(event->data);
    return data;
  }
};

void Click(const std::shared_ptr<TWindowsButton>& button) {
  SendMessageW(NativeOf(button), BM_CLICK, 0, 0);
}

// ---- buttons ----

TEST_F(WindowsControlsTest, ButtonKindsBecomeNativeButtons) {
  auto push = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Uscita", 0);
  auto ok = New<TWindowsButton>(GADGETCLASS_BUTTON, u"OK", BUTTON_OK | BUTTON_DEFAULT);
  auto cancel = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Annulla", BUTTON_CANCEL);
  auto check =
      New<TWindowsButton>(GADGETCLASS_BUTTON, u"Opzione", BUTTON_CHECKBOX | BUTTON_DEFAULT);
  auto radio = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Scelta", BUTTON_RADIO);
  ASSERT_TRUE(push && ok && cancel && check && radio);
  EXPECT_EQ(push->Style(), BUTTON_PUSH);
  EXPECT_EQ(StyleOf(NativeOf(push)) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_TRUE(StyleOf(NativeOf(push)) & WS_TABSTOP);
  EXPECT_EQ(GetDlgCtrlID(NativeOf(ok)), IDOK);
  EXPECT_EQ(StyleOf(NativeOf(ok)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetDlgCtrlID(NativeOf(cancel)), IDCANCEL);
  EXPECT_EQ(StyleOf(NativeOf(check)) & BS_TYPEMASK, BS_3STATE);
  EXPECT_EQ(StyleOf(NativeOf(radio)) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
  EXPECT_EQ(SendMessageW(NativeOf(push), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  wchar_t caption[32] = {};
  GetWindowTextW(NativeOf(push), caption, 32);
  EXPECT_STREQ(caption, L"Uscita");
  EXPECT_EQ(push->GetText(), u"Uscita");
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsControlsTest, PushButtonClickPostsActionWithDataZero) {
  auto push = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Attiva", 0);
  Click(push);
  EXPECT_EQ(ActionData(push), (std::vector<int32_t>{0}));
  EXPECT_EQ(push->State() & GADGETSTATE_CHECKED, 0);
  push->SetEnabled(0);
  EXPECT_EQ(push->State(), GADGETSTATE_DISABLED);
}

TEST_F(WindowsControlsTest, CheckBoxCyclesAndNeverClicksIntoTheThirdState) {
  auto check = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Opzione", BUTTON_CHECKBOX);
  Click(check);
  EXPECT_EQ(check->State(), GADGETSTATE_CHECKED);
  Click(check);
  EXPECT_EQ(check->State(), 0);
  EXPECT_EQ(ActionData(check), (std::vector<int32_t>{1, 0}));
  RecordedEvents().clear();
  check->SetSelected(-1);
  EXPECT_EQ(check->State(), GADGETSTATE_CHECKED | GADGETSTATE_MIXED);
  check->SetSelected(1);
  EXPECT_EQ(check->State(), GADGETSTATE_CHECKED);
  check->SetSelected(-1);
  EXPECT_TRUE(RecordedEvents().empty()) << "SetSelected posts nothing";
  Click(check);
  EXPECT_EQ(ActionData(check), (std::vector<int32_t>{1}));
  // -1 means checked on anything but a check box.
  auto radio = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Scelta", BUTTON_RADIO);
  radio->SetSelected(-1);
  EXPECT_EQ(radio->State(), GADGETSTATE_CHECKED);
}

TEST_F(WindowsControlsTest, RadioButtonsAreCheckedByTheSystem) {
  auto first = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Uno", BUTTON_RADIO, 10, 10);
  auto second = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Due", BUTTON_RADIO, 10, 40);
  Click(first);
  Click(second);
  EXPECT_EQ(ActionData(first), (std::vector<int32_t>{1}));
  EXPECT_EQ(ActionData(second), (std::vector<int32_t>{1}));
  EXPECT_EQ(first->State() & GADGETSTATE_CHECKED, 0);
  EXPECT_EQ(second->State() & GADGETSTATE_CHECKED, GADGETSTATE_CHECKED);
}

TEST_F(WindowsControlsTest, ClickKeepsTheTooltip) {
  auto push = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Aiuto", 0);
  push->SetTooltip(u"Apre l'aiuto");
  Click(push);
  EXPECT_EQ(push->GetTooltip(), u"Apre l'aiuto");
  EXPECT_EQ(push->IsSharedTool(), true);
  EXPECT_EQ(ActionData(push).size(), 1u);
}

TEST_F(WindowsControlsTest, CaptionSurvivesAnImageShownWithoutText) {
  auto push = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Prima", 0, 10, 10, 80, 40);
  push->SetText(u"Dopo");
  wchar_t caption[32] = {};
  GetWindowTextW(NativeOf(push), caption, 32);
  EXPECT_STREQ(caption, L"Dopo");

  PixmapRef picture = TPixmap::Create(16, 16, PF_RGBA8888);
  EXPECT_EQ(push->SetPixmap(picture, GADGETPIXMAP_ICON | GADGETPIXMAP_NOTEXT), 1);
  EXPECT_TRUE(StyleOf(NativeOf(push)) & BS_BITMAP);
  GetWindowTextW(NativeOf(push), caption, 32);
  EXPECT_STREQ(caption, L"");
  EXPECT_TRUE(push->ButtonImageList().himl != BCCL_NOGLYPH || push->ShowsImage())
      << "an image list, or the plain bitmap where image lists are not known";
  push->SetText(u"Nascosto");
  GetWindowTextW(NativeOf(push), caption, 32);
  EXPECT_STREQ(caption, L"") << "the image stays alone";
  EXPECT_EQ(push->GetText(), u"Nascosto");

  // Beside the text, the caption follows what the program sets.
  EXPECT_EQ(push->SetPixmap(picture, GADGETPIXMAP_ICON), 1);
  EXPECT_FALSE(StyleOf(NativeOf(push)) & BS_BITMAP);
  push->SetText(u"Accanto");
  GetWindowTextW(NativeOf(push), caption, 32);
  EXPECT_STREQ(caption, L"Accanto");

  EXPECT_EQ(push->SetPixmap(nullptr, GADGETPIXMAP_ICON), 1);
  EXPECT_EQ(push->ButtonImageList().himl, BCCL_NOGLYPH);
  EXPECT_FALSE(push->ShowsImage());
  GetWindowTextW(NativeOf(push), caption, 32);
  EXPECT_STREQ(caption, L"Accanto");
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();

  auto check = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Casella", BUTTON_CHECKBOX);
  EXPECT_EQ(check->SetPixmap(picture, GADGETPIXMAP_ICON), 0);
  EXPECT_EQ(push->SetPixmap(picture, 0), 0);
  auto cancel = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Annulla", BUTTON_CANCEL);
  EXPECT_EQ(cancel->SetPixmap(picture, GADGETPIXMAP_ICON), 1);
  cancel->Free();  // releases its image
  EXPECT_FALSE(cancel->ShowsImage());
}

// ---- labels ----

TEST_F(WindowsControlsTest, LabelFramesAlignmentAndSeparators) {
  auto plain = New<TWindowsLabel>(GADGETCLASS_LABEL, u"Ore & minuti", 0);
  EXPECT_TRUE(StyleOf(NativeOf(plain)) & SS_NOPREFIX);
  EXPECT_EQ(StyleOf(NativeOf(plain)) & SS_TYPEMASK, SS_LEFT);
  EXPECT_EQ(plain->GetText(), u"Ore & minuti");
  auto framed = New<TWindowsLabel>(GADGETCLASS_LABEL, u"", LABEL_FRAME | LABEL_RIGHT);
  EXPECT_TRUE(StyleOf(NativeOf(framed)) & WS_BORDER);
  EXPECT_EQ(StyleOf(NativeOf(framed)) & SS_TYPEMASK, SS_RIGHT);
  auto sunken = New<TWindowsLabel>(GADGETCLASS_LABEL, u"", LABEL_SUNKENFRAME | LABEL_CENTER);
  EXPECT_TRUE(StyleOf(NativeOf(sunken)) & SS_SUNKEN);
  EXPECT_EQ(StyleOf(NativeOf(sunken)) & SS_TYPEMASK, SS_CENTER);
  auto both = New<TWindowsLabel>(GADGETCLASS_LABEL, u"", LABEL_RIGHT | LABEL_CENTER);
  EXPECT_EQ(StyleOf(NativeOf(both)) & SS_TYPEMASK, SS_LEFT);

  auto across = New<TWindowsLabel>(GADGETCLASS_LABEL, u"", LABEL_ETCHEDFRAME | LABEL_CENTER, 10,
                                   100, 200, 20);
  EXPECT_EQ(StyleOf(NativeOf(across)) & SS_TYPEMASK, SS_ETCHEDFRAME);
  EXPECT_EQ(across->width, 200);
  EXPECT_EQ(across->height, 4);
  EXPECT_EQ(ClientRectOf(NativeOf(across)).bottom, 4);
  auto down = New<TWindowsLabel>(GADGETCLASS_LABEL, u"", LABEL_ETCHEDFRAME, 300, 10, 20, 200);
  EXPECT_EQ(down->width, 4);
  EXPECT_EQ(down->height, 200);
  // A click on a label (SS_NOTIFY) posts nothing.
  SendMessageW(NativeOf(Window()), WM_COMMAND, MAKEWPARAM(0, STN_CLICKED),
               reinterpret_cast<LPARAM>(NativeOf(plain)));
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

// ---- text fields ----

TEST_F(WindowsControlsTest, TextFieldStartsWhiteAndHidesPasswords) {
  auto field = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"12", 0);
  EXPECT_EQ(field->BackColour(), 0xFFFFFF);
  EXPECT_NE(field->BackBrush(), nullptr);
  EXPECT_TRUE(ExStyleOf(NativeOf(field)) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(StyleOf(NativeOf(field)) & ES_AUTOHSCROLL);
  EXPECT_FALSE(StyleOf(NativeOf(field)) & ES_PASSWORD);
  EXPECT_EQ(field->GetText(), u"12");
  auto secret = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"segreto", TEXTFIELD_PASSWORD);
  EXPECT_TRUE(StyleOf(NativeOf(secret)) & ES_PASSWORD);
  EXPECT_EQ(secret->GetText(), u"segreto");
  secret->SetText(u"");
  EXPECT_EQ(secret->GetText(), u"");
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsControlsTest, ProgramTextKeepsTheSelectionAndPostsNothing) {
  auto field = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"hello", 0);
  SendMessageW(NativeOf(field), EM_SETSEL, 1, 3);
  field->SetText(u"world!");
  DWORD start = 0, end = 0;
  SendMessageW(NativeOf(field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(field->GetText(), u"world!");
  field->SetText(u"x");  // the old selection is clamped to the shorter text
  SendMessageW(NativeOf(field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 1u);
  PumpPending();
  EXPECT_TRUE(EventsOf(GadgetAction, field).empty());
  EXPECT_EQ(field->IsBusy(), false);
  EXPECT_EQ(field->IsSensitive(), 1);
}

TEST_F(WindowsControlsTest, TypingPostsOneActionPerChange) {
  auto field = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"", 0);
  SetForegroundWindow(NativeOf(Window()));
  SetFocus(NativeOf(field));
  SendMessageW(NativeOf(field), WM_CHAR, 'a', 1);
  EXPECT_EQ(ActionData(field), (std::vector<int32_t>{0}));
  SendMessageW(NativeOf(field), WM_CHAR, 'b', 1);
  EXPECT_EQ(ActionData(field).size(), 2u);
  EXPECT_EQ(field->GetText(), u"ab");
}

// The pump offers keys of tab-stop children to the dialog navigation of their window
// (tested with the pump); here the keys a text field gets become its window's OK and
// Cancel buttons' clicks.
TEST_F(WindowsControlsTest, EnterInAFieldPressesTheOkButtonAndEscapeTheCancelButton) {
  auto field = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"", 0);
  auto ok = New<TWindowsButton>(GADGETCLASS_BUTTON, u"OK", BUTTON_OK, 10, 40, 80, 24);
  auto cancel = New<TWindowsButton>(GADGETCLASS_BUTTON, u"Annulla", BUTTON_CANCEL, 100, 40, 80, 24);
  SetFocus(NativeOf(field));
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    MSG press{NativeOf(field), WM_KEYDOWN, key, 1, 0, {}};
    EXPECT_TRUE(IsDialogMessageA(NativeOf(Window()), &press)) << key;
  }
  EXPECT_EQ(ActionData(ok), std::vector<int32_t>{0}) << DescribeRecorded();
  EXPECT_EQ(ActionData(cancel), std::vector<int32_t>{0});
}

TEST_F(WindowsControlsTest, LeavingTheFieldPostsLostFocusAndCollapsesTheSelection) {
  auto field = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"12:30", 0, 10, 10);
  auto other = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"", 0, 10, 50);
  SetForegroundWindow(NativeOf(Window()));
  field->Activate(ACTION_FOCUS);
  EXPECT_EQ(GetFocus(), NativeOf(field));
  DWORD start = 9, end = 0;
  SendMessageW(NativeOf(field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u) << "focusing selects everything";
  SetFocus(NativeOf(other));
  EXPECT_EQ(EventsOf(GadgetLostFocus, field).size(), 1u);
  SendMessageW(NativeOf(field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
}

TEST_F(WindowsControlsTest, KeyFilterSeesKeysFirstAndMaySwallowThem) {
  auto field = New<TWindowsTextField>(GADGETCLASS_TEXTFIELD, u"", 0);
  std::vector<std::pair<int32_t, int32_t>> seen;  // id, data
  std::weak_ptr<TWindowsTextField> weak = field;
  field->SetFilter(
      [&seen, weak](const EventRef& event, const ObjectRef&) -> int32_t {
        seen.emplace_back(event->id, event->data);
        EXPECT_EQ(event->source, weak.lock());
        const bool digit = event->data >= '0' && event->data <= '9';
        return digit ? 0 : 1;
      },
      nullptr);
  SetForegroundWindow(NativeOf(Window()));
  SetFocus(NativeOf(field));
  EXPECT_EQ(SendMessageW(NativeOf(field), WM_KEYDOWN, '7', 1), 1);
  SendMessageW(NativeOf(field), WM_CHAR, '7', 1);
  EXPECT_EQ(field->GetText(), u"");
  EXPECT_TRUE(EventsOf(GadgetAction, field).empty());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(static_cast<int32_t>(KeyDown), int32_t{'7'}));
  EXPECT_EQ(seen[1], std::make_pair(static_cast<int32_t>(KeyChar), int32_t{'7'}));
  EXPECT_TRUE(RecordedEvents().empty()) << "the filter's events are not emitted";

  SendMessageW(NativeOf(field), WM_CHAR, 'x', 1);
  EXPECT_EQ(field->GetText(), u"x");
  EXPECT_EQ(ActionData(field).size(), 1u);
  field->SetFilter(nullptr, nullptr);
}

// ---- sliders ----

TEST_F(WindowsControlsTest, NewSlidersHaveRangeFiveToTen) {
  auto scroll = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_SCROLLBAR | SLIDER_HORIZONTAL);
  auto track = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_TRACKBAR | SLIDER_HORIZONTAL, 10,
                                   40, 200, 30);
  auto stepper = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_STEPPER, 10, 80, 30, 30);
  ASSERT_TRUE(scroll && track && stepper);
  for (const auto& slider : {scroll, track, stepper}) {
    EXPECT_EQ(slider->Visible(), 5);
    EXPECT_EQ(slider->Total(), 10);
  }
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  SendMessageW(NativeOf(scroll), SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 9);
  EXPECT_EQ(info.nPage, 5u);
  EXPECT_FALSE(StyleOf(NativeOf(scroll)) & SBS_VERT);
  EXPECT_EQ(SendMessageW(NativeOf(track), TBM_GETRANGEMIN, 0, 0), 5);
  EXPECT_EQ(SendMessageW(NativeOf(track), TBM_GETRANGEMAX, 0, 0), 10);
  EXPECT_TRUE(ExStyleOf(NativeOf(track)) & WS_EX_COMPOSITED);
  const LRESULT range = SendMessageW(NativeOf(stepper), UDM_GETRANGE, 0, 0);
  EXPECT_EQ(LOWORD(range), 10);  // upper limit
  EXPECT_EQ(HIWORD(range), 5);   // lower limit
  EXPECT_EQ(stepper->GetProp(), 5) << "a position outside the limits moves to the nearer one";
  EXPECT_FALSE(StyleOf(NativeOf(stepper)) & UDS_HORZ);

  EXPECT_EQ(GuiDriver().CreateGadget(GADGETCLASS_SLIDER, u"", 0, 0, 10, 10, Window(), 12), nullptr);
  // Setting the first range does not make a slider sensitive before CreateGadget does.
  auto raw = TWindowsSlider::Create(Window(), SLIDER_TRACKBAR);
  EXPECT_EQ(raw->IsSensitive(), 0);
  raw->Free();
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

TEST_F(WindowsControlsTest, StepperIsPlacedAtItsSize) {
  // Wine sizes a new up-down control to the scroll-bar width; the placement wins.
  auto stepper = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_STEPPER, 50, 60, 30, 30);
  const RECT placed = RectInParent(NativeOf(stepper));
  EXPECT_EQ(placed.left, 50);
  EXPECT_EQ(placed.top, 60);
  EXPECT_EQ(placed.right - placed.left, 30);
  EXPECT_EQ(placed.bottom - placed.top, 30);
}

TEST_F(WindowsControlsTest, StepperReportsPositionsNotDirections) {
  auto stepper = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_STEPPER, 20, 20, 30, 30);
  ASSERT_EQ(stepper->GetProp(), 5);
  stepper->SetRange(1, 2);
  EXPECT_EQ(stepper->GetProp(), 2) << "moved to the nearer limit";
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
  SetWindowPos(NativeOf(Window()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(NativeOf(Window()));
  PumpPending();

  RealMouse(NativeOf(stepper), {15, 7});  // the up arrow: the upper half
  ASSERT_TRUE(PumpUntil([&] { return ActionData(stepper).size() >= 2; }))
      << "events: " << ActionData(stepper).size();
  PumpFor(100);
  // One event when the position is updated, one when the button is released.
  EXPECT_EQ(ActionData(stepper), (std::vector<int32_t>{2, 2})) << DescribeRecorded();
  EXPECT_EQ(stepper->GetProp(), 2);

  RecordedEvents().clear();
  RealMouse(NativeOf(stepper), {15, 22});  // the down arrow
  ASSERT_TRUE(PumpUntil([&] { return ActionData(stepper).size() >= 2; }));
  PumpFor(100);
  EXPECT_EQ(ActionData(stepper), (std::vector<int32_t>{1, 1}));
  SetWindowPos(NativeOf(Window()), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TEST_F(WindowsControlsTest, StepperRangeAndPositionByProgram) {
  auto stepper = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_STEPPER | SLIDER_HORIZONTAL,
                                     20, 20, 40, 20);
  EXPECT_TRUE(StyleOf(NativeOf(stepper)) & UDS_HORZ);
  stepper->SetRange(-5, 5);
  stepper->SetProp(-3);
  EXPECT_EQ(stepper->GetProp(), -3);
  stepper->SetRange(0, 2);  // -3 is out: the nearer limit
  EXPECT_EQ(stepper->GetProp(), 0);
  stepper->SetProp(1);
  stepper->SetRange(1, 2);  // inside: left alone
  EXPECT_EQ(stepper->GetProp(), 1);
  // Notifications of the control report the position, whatever their code.
  SendMessageW(NativeOf(Window()), WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 1),
               reinterpret_cast<LPARAM>(NativeOf(stepper)));
  EXPECT_EQ(ActionData(stepper), (std::vector<int32_t>{1}));
}

TEST_F(WindowsControlsTest, VerticalTrackBarHasItsMaximumAtTheTop) {
  auto track = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_TRACKBAR, 10, 10, 30, 200);
  EXPECT_TRUE(StyleOf(NativeOf(track)) & TBS_VERT);
  track->SetRange(0, 100);
  track->SetProp(30);
  EXPECT_EQ(track->GetProp(), 30);
  EXPECT_EQ(SendMessageW(NativeOf(track), TBM_GETPOS, 0, 0), 70);
  auto level = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_TRACKBAR | SLIDER_HORIZONTAL, 50,
                                   10, 200, 30);
  level->SetRange(0, 100);
  level->SetProp(30);
  EXPECT_EQ(SendMessageW(NativeOf(level), TBM_GETPOS, 0, 0), 30);
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
  // The control moves itself; whatever it says, the gadget reports the position.
  SendMessageW(NativeOf(track), WM_KEYDOWN, VK_UP, 1);
  SendMessageW(NativeOf(Window()), WM_VSCROLL, MAKEWPARAM(TB_LINEUP, 0),
               reinterpret_cast<LPARAM>(NativeOf(track)));
  EXPECT_EQ(ActionData(track).back(), track->GetProp());
}

TEST_F(WindowsControlsTest, TrackBarTicksAreThinnedWhenTooDense) {
  auto track = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_TRACKBAR | SLIDER_HORIZONTAL, 10,
                                   10, 120, 30);
  track->SetRange(0, 100);
  EXPECT_EQ(SendMessageW(NativeOf(track), TBM_GETNUMTICS, 0, 0), 2) << "only the two ends";
  track->SetRange(0, 2);
  EXPECT_EQ(SendMessageW(NativeOf(track), TBM_GETNUMTICS, 0, 0), 3) << "left alone";
  track->SetRange(0, 10);
  EXPECT_EQ(SendMessageW(NativeOf(track), TBM_GETNUMTICS, 0, 0), 11) << "far enough apart";
}

TEST_F(WindowsControlsTest, ScrollBarMovesByLinesAndPages) {
  auto scroll = New<TWindowsSlider>(GADGETCLASS_SLIDER, u"", SLIDER_SCROLLBAR | SLIDER_HORIZONTAL,
                                    10, 10, 200, 18);
  scroll->SetRange(10, 100);  // positions 0 to 90
  scroll->SetProp(50);
  EXPECT_EQ(scroll->GetProp(), 50);
  auto send = [&](int code) {
    return SendMessageW(NativeOf(Window()), WM_HSCROLL, MAKEWPARAM(code, 0),
                        reinterpret_cast<LPARAM>(NativeOf(scroll)));
  };
  EXPECT_EQ(send(SB_LINERIGHT), 1);
  EXPECT_EQ(send(SB_PAGERIGHT), 1);
  EXPECT_EQ(send(SB_LINELEFT), 1);
  EXPECT_EQ(send(SB_PAGELEFT), 1);
  EXPECT_EQ(send(SB_ENDSCROLL), 0);
  EXPECT_EQ(ActionData(scroll), (std::vector<int32_t>{51, 61, 60, 50}));
  scroll->SetProp(85);
  RecordedEvents().clear();
  send(SB_PAGERIGHT);  // kept inside the range
  EXPECT_EQ(ActionData(scroll), (std::vector<int32_t>{90}));
  EXPECT_EQ(
      SendMessageW(NativeOf(Window()), WM_COMMAND, 0, reinterpret_cast<LPARAM>(NativeOf(scroll))),
      0);
  EXPECT_EQ(ActionData(scroll).size(), 1u);
}

}  // namespace
}  // namespace quardeln::test
