#include "events/event.h"

#include <gtest/gtest.h>

#include "events/hooks.h"
#include "runtime/text.h"

namespace quardeln {
namespace {

std::string Form(const TEvent& event) {
  return ToUtf8(event.ToString());
}

TEST(EventText, TableNamesAndFieldOrder) {
  auto tick = MakeEvent(TimerTick, nullptr, 3);
  EXPECT_EQ(Form(*tick), "TimerTick: data=3, mods=0, x=0, y=0, extra=\"\"");
  auto key = MakeEvent(KeyDown, nullptr, 160, ModShift, -4, 7, NewText(u"pu\u00f2"));
  EXPECT_EQ(Form(*key), "KeyDown: data=160, mods=1, x=-4, y=7, extra=\"pu\xc3\xb2\"");
  EXPECT_EQ(Form(*MakeEvent(ProcessExit)), "ProcessExit: data=0, mods=0, x=0, y=0, extra=\"\"");
}

TEST(EventText, UnknownAndUserIds) {
  EXPECT_EQ(Form(*MakeEvent(0, nullptr, -1)),
            "Unknown Event, id=0: data=-1, mods=0, x=0, y=0, extra=\"\"");
  EXPECT_EQ(Form(*MakeEvent(0x2010)).substr(0, 23), "Unknown Event, id=8208:");
  EXPECT_EQ(Form(*MakeEvent(static_cast<int32_t>(0x80000001u))).substr(0, 11), "UserEvent1:");
  EXPECT_EQ(Form(*MakeEvent(static_cast<int32_t>(0xFFFFFFFFu))).substr(0, 20),
            "UserEvent2147483647:");
}

TEST(EventText, ExtraThatIsNoTextPrintsEmpty) {
  auto inner = MakeEvent(TimerTick);
  auto outer = MakeEvent(GadgetAction, inner, 0, 0, 0, 0, inner);
  EXPECT_EQ(Form(*outer), "GadgetAction: data=0, mods=0, x=0, y=0, extra=\"\"");
}

// The debugging form names the source and describes an extra that is no text; the
// fixed text form stays as it is.
TEST(EventText, DescribeNamesSourceAndExtra) {
  auto source = NewText(u"field");
  auto described = MakeEvent(GadgetAction, source, 2, 0, 0, 0, MakeEvent(TimerTick));
  EXPECT_EQ(ToUtf8(described->Describe()),
            "GadgetAction from \"field\": data=2, mods=0, x=0, y=0, extra=TimerTick: data=0, "
            "mods=0, x=0, y=0, extra=\"\"");
  EXPECT_EQ(Form(*described), "GadgetAction: data=2, mods=0, x=0, y=0, extra=\"\"");
  auto plain = MakeEvent(0, std::make_shared<TObject>(), 0, 0, 0, 0, NewText(u"t"));
  EXPECT_EQ(ToUtf8(plain->Describe()),
            "Unknown Event, id=0 from Object: data=0, mods=0, x=0, y=0, extra=\"t\"");
}

TEST(EventRecord, NewEventIsZeroAndCreateKeepsEveryField) {
  TEvent blank;
  EXPECT_EQ(blank.id | blank.data | blank.mods | blank.x | blank.y, 0);
  EXPECT_EQ(blank.source, nullptr);
  EXPECT_EQ(blank.extra, nullptr);
  auto source = NewText(u"s");
  auto extra = NewText(u"e");
  auto event = TEvent::Create(WindowSize, source, 1, 2, 3, 4, extra);
  EXPECT_EQ(event->id, WindowSize);
  EXPECT_EQ(event->source, source);
  EXPECT_EQ(event->data, 1);
  EXPECT_EQ(event->mods, 2);
  EXPECT_EQ(event->x, 3);
  EXPECT_EQ(event->y, 4);
  EXPECT_EQ(event->extra, extra);
}

TEST(EventRecord, UserIdsCountUpFromBit31) {
  int32_t first = NewUserEventId();
  EXPECT_LT(first, 0);
  EXPECT_EQ(TEvent::AllocUserId(), first + 1);
}

ObjectRef g_seen;
ObjectRef Capture(int32_t, ObjectRef data, const ObjectRef&) {
  g_seen = data;
  return nullptr;  // what a hook returns does not change Emit's result
}

TEST(EventEmission, EmitRunsTheEventChainWithTheEventItself) {
  StartEventsModule();
  int32_t hookId = EventHookId;
  StartEventsModule();
  EXPECT_EQ(EventHookId, hookId);  // started once
  InsertHook(EventHookId, &Capture, nullptr, 0);
  auto event = MakeEvent(GadgetAction, nullptr, 2);
  EXPECT_EQ(SendEvent(event), 0);
  EXPECT_EQ(g_seen, event);
  EXPECT_EQ(event->Emit(), 0);
  DeleteHook(EventHookId, &Capture, nullptr);
  g_seen.reset();
  SendEvent(event);  // an empty chain does nothing
  EXPECT_EQ(g_seen, nullptr);
}

}  // namespace
}  // namespace quardeln
