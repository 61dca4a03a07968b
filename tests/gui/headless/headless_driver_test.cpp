#include "gui/headless/headless_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

#include "events/hooks.h"
#include "events/queue.h"
#include "gui/api.h"
#include "gui/headless/user_actions.h"
#include "runtime/text.h"
#include "system/headless/headless_driver.h"

namespace quardeln {
namespace {

struct Taken {
  int32_t id;
  ObjectRef source;
  int32_t data;
  bool operator==(const Taken&) const = default;
};

void PrintTo(const Taken& taken, std::ostream* out) {
  *out << "{id " << taken.id << ", source " << taken.source.get() << ", data " << taken.data << "}";
}

// Counts the events emitted, before the queue merges any.
int32_t g_emitted = 0;
ObjectRef CountEmitted(int32_t, ObjectRef data, const ObjectRef&) {
  ++g_emitted;
  return data;
}

class HeadlessDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartSystemModule(std::make_shared<THeadlessSystemDriver>());
    StartGuiModule(std::make_shared<THeadlessGuiDriver>());
    window_ = NewWindow(u"W", 10, 20, 300, 200, nullptr, WINDOW_TITLEBAR);
    g_emitted = 0;
    InsertHook(EventHookId, &CountEmitted, nullptr, 1);
  }
  void TearDown() override {
    DeleteHook(EventHookId, &CountEmitted, nullptr);
    Drain();
    TakeEvent();
  }

  // Every pending event, taken one by one.
  static std::vector<Taken> Drain() {
    std::vector<Taken> taken;
    while (TakeEvent() != 0) {
      taken.push_back({ActiveEventId(), ActiveEventSource(), ActiveEventData()});
    }
    return taken;
  }

  GadgetRef window_;
};

TEST_F(HeadlessDriverTest, ProgramMadeChangesPostNothing) {
  GadgetRef field = NewTextField(1, 2, 30, 20, window_, 0);
  GadgetRef area = NewTextArea(1, 30, 100, 50, window_, 0);
  GadgetRef stepper = NewSlider(5, 5, 20, 20, window_, SLIDER_STEPPER);
  GadgetSetText(field, u"12");
  TextAreaAddText(area, u"a\r");
  TextAreaAddText(area, u"b");
  SliderSetRange(stepper, 1, 2);
  SliderSetValue(stepper, 1);
  GadgetSetText(window_, u"title");
  EXPECT_EQ(g_emitted, 0);
  EXPECT_EQ(GadgetGetText(field), u"12");
  EXPECT_EQ(GadgetGetText(area), u"a\rb");
  EXPECT_EQ(GadgetGetText(window_), u"title");
}

TEST_F(HeadlessDriverTest, TypingPostsOneActionPerChange) {
  GadgetRef field = NewTextField(1, 2, 30, 20, window_, 0);
  GadgetRef readOnly = NewTextArea(1, 30, 100, 50, window_, TEXTAREA_READONLY);
  EXPECT_TRUE(UserTypeText(field, u"ab"));
  EXPECT_FALSE(UserTypeText(readOnly, u"c"));
  EXPECT_EQ(GadgetGetText(field), u"ab");
  EXPECT_EQ(g_emitted, 2);
  // The queue merges the second into the first while both wait.
  EXPECT_EQ(Drain(), (std::vector<Taken>{{GadgetAction, field, 0}}));
}

TEST_F(HeadlessDriverTest, StepperReportsItsPositionTwicePerClick) {
  GadgetRef stepper = NewSlider(5, 5, 20, 20, window_, SLIDER_STEPPER | 2);
  auto s = AsHeadless(stepper);
  EXPECT_EQ((std::vector<int32_t>{s->rangeVisible, s->rangeTotal, s->position}),
            (std::vector<int32_t>{5, 10, 5}));
  // A new range pulls the position inside it.
  SliderSetRange(stepper, 1, 2);
  EXPECT_EQ(SliderGetValue(stepper), 2);
  // Press and release, each taken before the next arrives.
  std::vector<Taken> taken;
  for (bool up : {true, false}) {
    UserPressStepperArrow(stepper, up);
    auto first = Drain();
    UserReleaseStepperArrow(stepper);
    auto second = Drain();
    taken.insert(taken.end(), first.begin(), first.end());
    taken.insert(taken.end(), second.begin(), second.end());
  }
  EXPECT_EQ(taken, (std::vector<Taken>{{GadgetAction, stepper, 2},
                                       {GadgetAction, stepper, 2},
                                       {GadgetAction, stepper, 1},
                                       {GadgetAction, stepper, 1}}));
  // Both halves still queued merge into one action.
  UserClickStepperArrow(stepper, false);
  EXPECT_EQ(Drain(), (std::vector<Taken>{{GadgetAction, stepper, 1}}));
}

TEST_F(HeadlessDriverTest, ButtonsReportTheirStateAndDisabledOnesNothing) {
  GadgetRef push = NewButton(u"P", 0, 0, 10, 10, window_, BUTTON_PUSH);
  GadgetRef check = NewButton(u"C", 0, 0, 10, 10, window_, BUTTON_CHECKBOX);
  std::vector<Taken> taken;
  auto press = [&taken](const GadgetRef& button) {
    EXPECT_TRUE(UserPressButton(button));
    for (const Taken& t : Drain()) taken.push_back(t);
  };
  press(push);
  press(check);
  press(check);
  ButtonSetState(check, -1);
  EXPECT_EQ(ButtonGetState(check), -1);
  press(check);
  GadgetDisable(push);
  EXPECT_FALSE(UserPressButton(push));
  EXPECT_EQ(taken, (std::vector<Taken>{{GadgetAction, push, 0},
                                       {GadgetAction, check, 1},
                                       {GadgetAction, check, 0},
                                       {GadgetAction, check, 1}}));
  // Inside a disabled window nothing can be pressed.
  GadgetEnable(push);
  GadgetDisable(window_);
  EXPECT_FALSE(UserPressButton(push));
  EXPECT_TRUE(Drain().empty());
}

TEST_F(HeadlessDriverTest, WindowsMinimiseRestoreAndReportTheirCloseBox) {
  EXPECT_EQ(window_->Parent(), DesktopGadget());
  EXPECT_EQ(DesktopGadget(), DesktopGadget());
  EXPECT_EQ(GadgetGetWidth(DesktopGadget()), kHeadlessDesktopWidth);
  WindowMinimise(window_);
  EXPECT_TRUE(WindowIsMinimised(window_));
  WindowRestore(window_);
  EXPECT_FALSE(WindowIsMinimised(window_));
  EXPECT_TRUE(UserPressCloseBox(window_));
  EXPECT_EQ(Drain(), (std::vector<Taken>{{WindowClose, window_, 0}}));
  EXPECT_FALSE(AsHeadless(window_)->destroyed);
  GadgetRef hidden = NewWindow(u"H", 0, 0, 10, 10, nullptr, WINDOW_TITLEBAR | WINDOW_HIDDEN);
  EXPECT_TRUE(GadgetIsHidden(hidden));
  GadgetRef group = NewPanel(0, 0, 50, 50, window_, PANEL_GROUP, u"G");
  EXPECT_FALSE(GadgetIsHidden(group));
  EXPECT_EQ(GadgetClientWidth(group), 42);
  GadgetFree(hidden);
}

TEST_F(HeadlessDriverTest, FreeingAWindowDestroysItsGadgetsAndReleasesThem) {
  GadgetRef panel = NewPanel(0, 0, 50, 50, window_, PANEL_GROUP, u"G");
  GadgetRef button = NewButton(u"B", 0, 0, 10, 10, panel, BUTTON_PUSH);
  NativeHandle handle = GadgetQuery(button, QUERY_NATIVE);
  EXPECT_NE(handle, 0);
  EXPECT_EQ(HeadlessGadgetFromHandle(handle), button);
  EXPECT_EQ(GadgetQuery(button, 3), 0);
  std::weak_ptr<TGadget> watched = button;
  GadgetFree(window_);
  EXPECT_TRUE(AsHeadless(button)->destroyed);
  EXPECT_EQ(HeadlessGadgetFromHandle(handle), nullptr);
  EXPECT_FALSE(UserPressButton(button));
  EXPECT_FALSE(UserPressCloseBox(window_));
  EXPECT_TRUE(DesktopGadget()->kids.empty());
  window_.reset();
  panel.reset();
  button.reset();
  EXPECT_TRUE(watched.expired());
}

TEST_F(HeadlessDriverTest, GadgetsDescribeTheirClassAndText) {
  GadgetRef add = NewButton(u"Add", 0, 0, 80, 24, window_);
  GadgetRef area = NewTextArea(0, 0, 80, 80, window_);
  GadgetSetText(area, u"a first line long enough to be cut at forty characters\nsecond");
  GadgetRef menu = NewMenu(u"Remove", 7, nullptr);
  EXPECT_EQ(ToUtf8(add->Describe()), "Button \"Add\"");
  EXPECT_EQ(ToUtf8(area->Describe()), "TextArea \"a first line long enough to be cut at fo...\"");
  EXPECT_EQ(ToUtf8(NewListBox(0, 0, 80, 80, window_)->Describe()), "ListBox");
  EXPECT_EQ(ToUtf8(NewCanvas(0, 0, 8, 8, window_)->Describe()), "Canvas");
  EXPECT_EQ(ToUtf8(menu->Describe()), "Menu \"Remove\"");
  UserPressButton(add);
  TakeEvent();
  EXPECT_EQ(ToUtf8(MakeEvent(GadgetAction, add)->Describe()).substr(0, 31),
            "GadgetAction from Button \"Add\":");
}

TEST_F(HeadlessDriverTest, ListsHoldOneSelectionAndToolbarsMany) {
  GadgetRef list = NewListBox(0, 0, 80, 80, window_);
  GadgetAddItem(list, u"Tea", ITEMFLAG_PRESELECT);
  GadgetAddItem(list, u"Walk", ITEMFLAG_PRESELECT);
  EXPECT_EQ(GadgetSelectedItems(list), std::vector<int32_t>{1});
  GadgetRef bar = NewToolbar(nullptr, 0, 0, 80, 24, window_);
  GadgetAddItem(bar, u"", ITEMFLAG_PRESELECT | ITEMFLAG_TOGGLING);
  GadgetAddItem(bar, u"", ITEMFLAG_PRESELECT | ITEMFLAG_TOGGLING);
  EXPECT_EQ(GadgetSelectedItems(bar), (std::vector<int32_t>{0, 1}));
}

TEST_F(HeadlessDriverTest, UnsupportedGadgetsAreNotMade) {
  EXPECT_EQ(NewSlider(0, 0, 10, 10, window_, 12), nullptr);
  EXPECT_EQ(GuiDriver().CreateGadget(99, u"", 0, 0, 1, 1, window_, 0), nullptr);
  FontRef font = GuiFontLoad(u"MS Sans Serif", 14, 2, 0, 1);
  EXPECT_EQ(GuiFontGetStyle(font), FONT_BOLD | FONT_UNDERLINE);
}

// The drawing of the guide's canvas example.
void DrawBadge(TGraphics& g, const std::u16string& text) {
  g.Clear(255, 255, 255);
  g.SetColor(58, 110, 165);
  g.FillOval(10, 10, 80, 40);
  g.SetColor(255, 255, 255);
  g.DrawString(text, 50 - g.TextWidth(text) / 2, 30 - g.TextHeight(text) / 2);
  g.Present();
}

TEST_F(HeadlessDriverTest, ACanvasRecordsWhatIsDrawnOnItWhileItLives) {
  GadgetRef panel = NewPanel(0, 0, 200, 100, window_);
  GadgetRef canvas = NewCanvas(5, 5, 100, 60, panel);
  const GraphicsRef g = AsGraphics(CanvasGetGraphics(canvas));
  ASSERT_TRUE(g);
  EXPECT_EQ(g->Width(), 100);
  EXPECT_EQ(g->Height(), 60);
  DrawBadge(*g, u"Hi");
  const auto& drawn = AsHeadless(canvas)->Recorder()->Drawings();
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_EQ(drawn[0].kind, TDrawKind::kClear);
  EXPECT_EQ(drawn[1].kind, TDrawKind::kOval);
  EXPECT_EQ(drawn[1].rgb, 0x3A6EA5u);
  EXPECT_EQ(drawn[2].text, u"Hi");
  EXPECT_EQ(drawn[2].rect, (TGraphicsRect{45, 25, 11, 11}));
  EXPECT_EQ(drawn[3].kind, TDrawKind::kPresent);

  GadgetSetShape(canvas, 0, 0, 120, 70);
  EXPECT_EQ(g->Width(), 120);
  GadgetFree(panel);
  EXPECT_EQ(g->Width(), 0) << "the canvas went with its panel";
  g->Plot(0, 0);
  EXPECT_EQ(drawn.size(), 4u);
  EXPECT_EQ(CanvasGetGraphics(NewPanel(0, 0, 9, 9, window_)), nullptr) << "no canvas";
}

}  // namespace
}  // namespace quardeln
