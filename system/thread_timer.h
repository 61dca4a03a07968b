// A portable native-timer backend: one thread serves every periodic timer, sleeping on a
// condition variable until the next one is due (no polling). Callbacks run on that
// thread with the backend locked, so Stop waits for a running callback and none comes
// after it. Periods are limited like the multimedia timer's, 1 to 1000000 ms.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "system/timer.h"

namespace quardeln {

class TThreadTimerBackend final : public TNativeTimerBackend {
 public:
  TThreadTimerBackend() = default;
  ~TThreadTimerBackend() override;  // ends and joins the thread

  int32_t Start(int32_t periodMs, uintptr_t cookie) override;
  void Stop(int32_t id) override;

 private:
  using Clock = std::chrono::steady_clock;
  struct Entry {
    int32_t id;
    Clock::duration period;
    Clock::time_point due;
    uintptr_t cookie;
  };

  void Run();
  void FireDue(Entry& entry, Clock::time_point now);

  std::mutex lock_;
  std::condition_variable wake_;
  std::vector<Entry> timers_;
  int32_t lastId_ = 0;
  bool quitting_ = false;
  std::thread thread_;  // started with the first timer
};

}  // namespace quardeln
