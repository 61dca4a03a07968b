// The event record, the table of event ids and the emission chain.
// Emitting an event runs the chain EventHookId with the event as data; the event queue
// is the chain's last member. Events are shared: an event lives while anyone holds it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/object.h"

namespace quardeln {

// Event ids: a category bit plus a number from 1.
enum EventId : int32_t {
  AppSuspend = 0x101,
  AppResume = 0x102,
  AppTerminate = 0x103,
  AppOpenFile = 0x104,
  AppIdle = 0x105,
  KeyDown = 0x201,
  KeyUp = 0x202,
  KeyChar = 0x203,
  KeyRepeat = 0x204,
  MouseDown = 0x401,
  MouseUp = 0x402,
  MouseMove = 0x403,
  MouseWheel = 0x404,
  MouseEnter = 0x405,
  MouseLeave = 0x406,
  TimerTick = 0x801,
  HotkeyHit = 0x1001,
  GadgetAction = 0x2001,
  GadgetPaint = 0x2002,
  GadgetSelect = 0x2003,
  GadgetMenu = 0x2004,
  GadgetOpen = 0x2005,
  GadgetClose = 0x2006,
  GadgetDone = 0x2007,
  GadgetLostFocus = 0x2008,
  GadgetShape = 0x2009,
  WindowMove = 0x4001,
  WindowSize = 0x4002,
  WindowClose = 0x4003,
  WindowActivate = 0x4004,
  WindowAccept = 0x4005,
  MenuAction = 0x8001,
  StreamEof = 0x10001,
  StreamAvail = 0x10002,
  ProcessExit = 0x20001,
};

// Modifier bits of an event's mods.
enum ModifierBit : int32_t { ModShift = 1, ModControl = 2, ModAlt = 4, ModSystem = 8 };

// The name of a table id, or null for ids outside the table.
const char* EventIdName(int32_t id);

class TEvent final : public TObject {
 public:
  int32_t id = 0;
  ObjectRef source;
  int32_t data = 0;
  int32_t mods = 0;
  int32_t x = 0;
  int32_t y = 0;
  ObjectRef extra;

  static std::shared_ptr<TEvent> Create(int32_t id, ObjectRef source, int32_t data, int32_t mods,
                                        int32_t x, int32_t y, ObjectRef extra);
  int32_t Emit();
  static int32_t AllocUserId();
  std::u16string ToString() const override;
  // ToString with the source named and an extra that is no text described, for
  // debugging: GadgetAction from Button "Add": data=0, mods=0, x=0, y=0, extra=""
  std::u16string Describe() const override;
};

using EventRef = std::shared_ptr<TEvent>;

// The id of the event-emission chain; taken by StartEventsModule.
extern int32_t EventHookId;

// Takes EventHookId; the first module start-up of the system. Idempotent.
void StartEventsModule();

EventRef MakeEvent(int32_t id, ObjectRef source = nullptr, int32_t data = 0, int32_t mods = 0,
                   int32_t x = 0, int32_t y = 0, ObjectRef extra = nullptr);
// Emits `event` (as its Emit does). An event made for the call is best passed as a
// temporary: it then travels the chain without reference counting.
int32_t SendEvent(EventRef event);
int32_t NewUserEventId();

}  // namespace quardeln
