#include "system/thread_timer.h"

#include <algorithm>
#include <limits>

namespace quardeln {
namespace {

constexpr int32_t kMinPeriodMs = 1;
constexpr int32_t kMaxPeriodMs = 1000000;

}  // namespace

TThreadTimerBackend::~TThreadTimerBackend() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    quitting_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

int32_t TThreadTimerBackend::Start(int32_t periodMs, uintptr_t cookie) {
  if (periodMs < kMinPeriodMs || periodMs > kMaxPeriodMs) return 0;
  std::lock_guard<std::mutex> hold(lock_);
  lastId_ = lastId_ == std::numeric_limits<int32_t>::max() ? 1 : lastId_ + 1;
  Clock::duration period = std::chrono::milliseconds(periodMs);
  timers_.push_back({lastId_, period, Clock::now() + period, cookie});
  if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  wake_.notify_all();
  return lastId_;
}

void TThreadTimerBackend::Stop(int32_t id) {
  // Taking the lock waits for a callback that is running now.
  std::lock_guard<std::mutex> hold(lock_);
  std::erase_if(timers_, [id](const Entry& entry) { return entry.id == id; });
  wake_.notify_all();
}

void TThreadTimerBackend::Run() {
  std::unique_lock<std::mutex> hold(lock_);
  while (!quitting_) {
    if (timers_.empty()) {
      wake_.wait(hold);
      continue;
    }
    auto next = std::min_element(timers_.begin(), timers_.end(),
                                 [](const Entry& a, const Entry& b) { return a.due < b.due; });
    Clock::time_point now = Clock::now();
    if (now < next->due) {
      // A copy: the wait lets go of the lock, and a timer started meanwhile may move the
      // entries, which the wait would otherwise still read.
      const Clock::time_point due = next->due;
      wake_.wait_until(hold, due);
      continue;
    }
    FireDue(*next, now);
  }
}

void TThreadTimerBackend::FireDue(Entry& entry, Clock::time_point now) {
  entry.due += entry.period;
  // After a long stall (a suspended machine) go on from now instead of catching up in
  // a burst.
  if (entry.due < now) entry.due = now + entry.period;
  NativeTimerCallback(entry.cookie, entry.id);
}

}  // namespace quardeln
