// The event queue: a ring of 256 pending events filled by the last hook of the emission
// chain and drained by the application's loop, plus the accessors of the active event.
// TimerTick, GadgetAction, WindowMove and WindowSize merge into a pending event of the
// same id and source. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "events/event.h"

namespace quardeln {

// How the queue reaches the system driver without depending on it: the system module
// hands these in when the queue starts.
struct SystemPump {
  int32_t (*pump)() = nullptr;   // pump pending native input once
  int32_t (*await)() = nullptr;  // sleep until native input arrives, then pump
  bool (*busy)() = nullptr;      // true while a pump or wait is running
};

inline constexpr uint32_t kQueueSlots = 256;
inline constexpr int32_t kQueueHookPriority = -10000;

struct TEventQueue {
  std::array<EventRef, kQueueSlots> slots;
  uint32_t put = 0;
  uint32_t take = 0;

  uint32_t Pending() const { return put - take; }
  bool Empty() const { return put == take; }
  bool Full() const { return Pending() == kQueueSlots; }
};

TEventQueue& EventQueue();
extern EventRef EmptyEvent;
extern EventRef ActiveEvent;

// Starts the events module if needed and joins the emission chain. Idempotent.
void StartQueueModule(const SystemPump& pump);

bool IsMergeableEvent(int32_t id);
ObjectRef QueueHook(int32_t id, ObjectRef data, const ObjectRef& context);
int32_t QueueEvent(const EventRef& event, bool merge);
// When the queue's hook is the only member of the emission chain, running the chain is
// queueing: this queues (or merges) `event`, taking its reference, and answers true.
// Otherwise it leaves `event` alone and answers false.
bool EmitByQueueing(EventRef& event);
int32_t AwaitEvent();
int32_t TakeEvent();
EventRef FrontEvent();

int32_t ActiveEventId();
int32_t ActiveEventData();
int32_t ActiveEventMods();
int32_t ActiveEventX();
int32_t ActiveEventY();
ObjectRef ActiveEventExtra();
std::u16string ActiveEventText();
ObjectRef ActiveEventSource();
int32_t ActiveEventSourceHandle();

}  // namespace quardeln
