#include "events/event.h"

#include "events/hooks.h"
#include "events/queue.h"
#include "runtime/text.h"

namespace quardeln {

int32_t EventHookId = -1;

namespace {

constexpr uint32_t kUserIdBit = 0x80000000u;

uint32_t& UserIdCounter() {
  static uint32_t counter = kUserIdBit;
  return counter;
}

struct IdName {
  int32_t id;
  const char* name;
};

constexpr IdName kIdNames[] = {
    {AppSuspend, "AppSuspend"},
    {AppResume, "AppResume"},
    {AppTerminate, "AppTerminate"},
    {AppOpenFile, "AppOpenFile"},
    {AppIdle, "AppIdle"},
    {KeyDown, "KeyDown"},
    {KeyUp, "KeyUp"},
    {KeyChar, "KeyChar"},
    {KeyRepeat, "KeyRepeat"},
    {MouseDown, "MouseDown"},
    {MouseUp, "MouseUp"},
    {MouseMove, "MouseMove"},
    {MouseWheel, "MouseWheel"},
    {MouseEnter, "MouseEnter"},
    {MouseLeave, "MouseLeave"},
    {TimerTick, "TimerTick"},
    {HotkeyHit, "HotkeyHit"},
    {GadgetAction, "GadgetAction"},
    {GadgetPaint, "GadgetPaint"},
    {GadgetSelect, "GadgetSelect"},
    {GadgetMenu, "GadgetMenu"},
    {GadgetOpen, "GadgetOpen"},
    {GadgetClose, "GadgetClose"},
    {GadgetDone, "GadgetDone"},
    {GadgetLostFocus, "GadgetLostFocus"},
    {GadgetShape, "GadgetShape"},
    {WindowMove, "WindowMove"},
    {WindowSize, "WindowSize"},
    {WindowClose, "WindowClose"},
    {WindowActivate, "WindowActivate"},
    {WindowAccept, "WindowAccept"},
    {MenuAction, "MenuAction"},
    {StreamEof, "StreamEof"},
    {StreamAvail, "StreamAvail"},
    {ProcessExit, "ProcessExit"},
};

}  // namespace

const char* EventIdName(int32_t id) {
  for (const auto& entry : kIdNames) {
    if (entry.id == id) return entry.name;
  }
  return nullptr;
}

void StartEventsModule() {
  if (EventHookId < 0) EventHookId = NewHookId();
}

EventRef TEvent::Create(int32_t id, ObjectRef source, int32_t data, int32_t mods, int32_t x,
                        int32_t y, ObjectRef extra) {
  auto event = std::make_shared<TEvent>();
  event->id = id;
  event->source = std::move(source);
  event->data = data;
  event->mods = mods;
  event->x = x;
  event->y = y;
  event->extra = std::move(extra);
  return event;
}

int32_t TEvent::Emit() {
  CallHooks(EventHookId, shared_from_this());
  return 0;
}

int32_t TEvent::AllocUserId() {
  return static_cast<int32_t>(++UserIdCounter());
}

std::u16string TEvent::ToString() const {
  std::u16string text;
  if (const char* name = EventIdName(id)) {
    text = AsciiText(name);
  } else if (static_cast<uint32_t>(id) & kUserIdBit) {
    text = u"UserEvent" + IntText(static_cast<int64_t>(static_cast<uint32_t>(id) - kUserIdBit));
  } else {
    text = u"Unknown Event, id=" + IntText(id);
  }
  text += u": data=" + IntText(data);
  text += u", mods=" + IntText(mods);
  text += u", x=" + IntText(x);
  text += u", y=" + IntText(y);
  text += u", extra=\"";
  if (const std::u16string* extraText = AsText(extra)) text += *extraText;
  text += u"\"";
  return text;
}

std::u16string TEvent::Describe() const {
  std::u16string text = ToString();
  if (source) text.insert(text.find(u": data="), u" from " + source->Describe());
  if (extra && !AsText(extra)) {
    text.erase(text.size() - 2);  // the empty quotes of an extra that is no text
    text += extra->Describe();
  }
  return text;
}

EventRef MakeEvent(int32_t id, ObjectRef source, int32_t data, int32_t mods, int32_t x, int32_t y,
                   ObjectRef extra) {
  return TEvent::Create(id, std::move(source), data, mods, x, y, std::move(extra));
}

int32_t SendEvent(EventRef event) {
  // The same as event->Emit(), without the cost of shared_from_this on the hot path, and
  // without running the chain when the queue is all there is on it.
  if (!event || EmitByQueueing(event)) return 0;
  CallHooks(EventHookId, std::move(event));
  return 0;
}

int32_t NewUserEventId() {
  return TEvent::AllocUserId();
}

}  // namespace quardeln
