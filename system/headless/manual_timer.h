// A native-timer backend that never ticks by itself: tests start timers as usual and
// then post ticks when they choose (Tick), from the main thread or any other, so timer
// behaviour is tested without real time. Ids are the lowest free ones, so a stopped
// timer's id is handed to the next timer, as the system's own timers may do.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "system/timer.h"

namespace quardeln {

class TManualTimerBackend final : public TNativeTimerBackend {
 public:
  int32_t Start(int32_t periodMs, uintptr_t cookie) override;
  void Stop(int32_t id) override;

  // Posts one tick of timer `id` to the main thread; false when it is not running.
  bool Tick(int32_t id);
  void TickAll();

  std::vector<int32_t> RunningIds() const;
  int32_t PeriodOf(int32_t id) const;  // 0 when not running
  void SetRefusing(bool refusing);     // Start fails while set, as a refusing system

 private:
  struct Entry {
    int32_t periodMs;
    uintptr_t cookie;
  };

  mutable std::mutex lock_;  // Tick may come from another thread
  std::map<int32_t, Entry> timers_;
  bool refusing_ = false;
};

}  // namespace quardeln
