#include "events/queue.h"

#include <typeinfo>

#include "events/hooks.h"
#include "runtime/error.h"
#include "runtime/handles.h"

namespace quardeln {

EventRef EmptyEvent;
EventRef ActiveEvent;

namespace {

// Constant-initialised, so no start-up order can reach them before they exist, and the
// hot path reads them without a guard for a local static.
SystemPump ThePump;
TEventQueue TheQueue;

SystemPump& Pump() {
  return ThePump;
}

void PumpOnce() {
  if (Pump().pump) Pump().pump();
}

EventRef& Slot(uint32_t count) {
  return EventQueue().slots[count % kQueueSlots];
}

// Copies `event` into a pending twin (same id and source); false when there is none.
bool MergeIntoPending(const TEvent& event) {
  auto& queue = EventQueue();
  for (uint32_t count = queue.take; count != queue.put; ++count) {
    TEvent& pending = *Slot(count);
    if (pending.id == event.id && pending.source == event.source) {
      pending.data = event.data;
      pending.mods = event.mods;
      pending.x = event.x;
      pending.y = event.y;
      pending.extra = event.extra;
      return true;
    }
  }
  return false;
}

// Queues `event` (taking the reference it is given), or merges it into a pending twin.
void QueueEventRef(EventRef event, bool merge) {
  if (merge && MergeIntoPending(*event)) return;
  auto& queue = EventQueue();
  if (queue.Full()) return;
  Slot(queue.put) = std::move(event);
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
  return TheQueue;
}

void StartQueueModule(const SystemPump& pump) {
  StartEventsModule();  // without the emission chain the queue would never receive anything
  Pump() = pump;
  if (EmptyEvent) return;
  InsertHook(EventHookId, &QueueHook, nullptr, kQueueHookPriority);
  EmptyEvent = std::make_shared<TEvent>();
  ActiveEvent = EmptyEvent;
}

bool IsMergeableEvent(int32_t id) {
  return id == TimerTick || id == GadgetAction || id == WindowMove || id == WindowSize;
}

ObjectRef QueueHook(int32_t, ObjectRef data, const ObjectRef&) {
  // TEvent is final, so an exact type test is enough and cheaper than a dynamic cast.
  if (!data) return nullptr;
  const TObject& object = *data;
  if (typeid(object) != typeid(TEvent)) return nullptr;
  const auto& event = static_cast<const TEvent&>(object);
  QueueEventRef(std::static_pointer_cast<TEvent>(data), IsMergeableEvent(event.id));
  return data;
}

int32_t QueueEvent(const EventRef& event, bool merge) {
  if (event) QueueEventRef(event, merge);
  return 0;
}

bool EmitByQueueing(EventRef& event) {
  if (EventHookId < 0) return false;
  const auto& head = HookChains()[static_cast<size_t>(EventHookId)];
  if (!head || head->succ || head->func != &QueueHook) return false;
  const bool merge = IsMergeableEvent(event->id);
  QueueEventRef(std::move(event), merge);
  return true;
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
