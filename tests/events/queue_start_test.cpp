// The events module is process-wide and starts once, so starting the queue on its own
// runs in a program of its own.
#include <gtest/gtest.h>

#include "events/queue.h"

namespace quardeln {
namespace {

int32_t NoPump() {
  return 0;
}

TEST(QueueStart, StartingTheQueueAloneStartsTheEventsModuleOnce) {
  StartQueueModule({&NoPump, &NoPump, nullptr});
  StartQueueModule({&NoPump, &NoPump, nullptr});
  int32_t chain = EventHookId;
  EXPECT_GE(chain, 0);
  SendEvent(MakeEvent(KeyDown, nullptr, 65));
  SendEvent(MakeEvent(KeyUp, nullptr, 65));
  StartEventsModule();
  EXPECT_EQ(EventHookId, chain);
  EXPECT_EQ(TakeEvent(), KeyDown);
  EXPECT_EQ(TakeEvent(), KeyUp);  // queued once though the queue was started twice
  EXPECT_EQ(TakeEvent(), 0);
}

}  // namespace
}  // namespace quardeln
