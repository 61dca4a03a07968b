#include "events/queue.h"

#include <typeinfo>

#include "events/hooks.h"
#include "runtime/error.h"
#include "runtime/handles.h"

namespace quardeln {

EventRef EmptyEvent;
EventRef ActiveEvent;

namespace {

SystemPump& Pump() {
  static SystemPump pump;
  return pump;
}

void PumpOnce() {
  if (Pump().pump) Pump().pump();
}

EventRef& Slot(uint32_t count) {
  return EventQueue().slots[count % kQueueSlots];
}

// Queues `object`, which is `event`; merging copies into a pending twin instead.
void QueueEventObject(const ObjectRef& object, const TEvent& event, bool merge) {
  auto& queue = EventQueue();
  if (merge) {
    for (uint32_t count = queue.take; count != queue.put; ++count) {
      TEvent& pending = *Slot(count);
      if (pending.id == event.id && pending.source == event.source) {
        pending.data = event.data;
        pending.mods = event.mods;
        pending.x = event.x;
        pending.y = event.y;
        pending.extra = event.extra;
        return;
      }
    }
  }
  if (queue.Full()) return;
  Slot(queue.put) = std::static_pointer_cast<TEvent>(object);
  ++queue.put;
}

int32_t TakeFront() {
  auto& queue = EventQueue();
  ActiveEvent = std::move(Slot(queue.take));
  ++queue.take;
  return ActiveEvent->id;
}

const TEvent& Active() {
  static const TEvent none;  // before the queue has started
  return ActiveEvent ? *ActiveEvent : none;
}

}  // namespace

TEventQueue& EventQueue() {
  static TEventQueue queue;
  return queue;
}

void StartQueueModule(const SystemPump& pump) {
  Pump() = pump;
  if (EmptyEvent) return;
  InsertHook(EventHookId, &QueueHook, nullptr, kQueueHookPriority);
  EmptyEvent = std::make_shared<TEvent>();
  ActiveEvent = EmptyEvent;
}

bool IsMergeableEvent(int32_t id) {
  return id == TimerTick || id == GadgetAction || id == WindowMove || id == WindowSize;
}

ObjectRef QueueHook(int32_t, const ObjectRef& data, const ObjectRef&) {
  // TEvent is final, so an exact type test is enough and cheaper than a dynamic cast.
  if (!data || typeid(*data) != typeid(TEvent)) return nullptr;
  const auto& event = static_cast<const TEvent&>(*data);
  QueueEventObject(data, event, IsMergeableEvent(event.id));
  return data;
}

int32_t QueueEvent(const EventRef& event, bool merge) {
  if (event) QueueEventObject(event, *event, merge);
  return 0;
}

int32_t AwaitEvent() {
  auto& queue = EventQueue();
  while (queue.Empty()) {
    // Inside a pump the wait returns at once and nothing can arrive: say so instead of
    // spinning for ever.
    if (Pump().busy && Pump().busy()) RaiseError("AwaitEvent called from inside a pump");
    if (!Pump().await) RaiseError("AwaitEvent called with no system driver");
    Pump().await();
  }
  return TakeFront();
}

int32_t TakeEvent() {
  auto& queue = EventQueue();
  if (queue.Empty()) PumpOnce();
  if (queue.Empty()) {
    ActiveEvent = EmptyEvent;
    return 0;
  }
  return TakeFront();
}

EventRef FrontEvent() {
  auto& queue = EventQueue();
  if (queue.Empty()) PumpOnce();
  if (queue.Empty()) return nullptr;
  return Slot(queue.take);
}

int32_t ActiveEventId() {
  return Active().id;
}
int32_t ActiveEventData() {
  return Active().data;
}
int32_t ActiveEventMods() {
  return Active().mods;
}
int32_t ActiveEventX() {
  return Active().x;
}
int32_t ActiveEventY() {
  return Active().y;
}
ObjectRef ActiveEventExtra() {
  return Active().extra;
}

std::u16string ActiveEventText() {
  const std::u16string* text = AsText(Active().extra);
  return text ? *text : std::u16string();
}

ObjectRef ActiveEventSource() {
  return Active().source;
}
int32_t ActiveEventSourceHandle() {
  return ObjectHandle(Active().source);
}

}  // namespace quardeln
