#include "system/headless/manual_timer.h"

namespace quardeln {

int32_t TManualTimerBackend::Start(int32_t periodMs, uintptr_t cookie) {
  std::lock_guard<std::mutex> hold(lock_);
  if (refusing_) return 0;
  int32_t id = 1;
  while (timers_.count(id)) ++id;
  timers_[id] = {periodMs, cookie};
  return id;
}

void TManualTimerBackend::Stop(int32_t id) {
  std::lock_guard<std::mutex> hold(lock_);
  timers_.erase(id);
}

// The callback runs under the lock, as a real backend's would: Stop waits for it.
bool TManualTimerBackend::Tick(int32_t id) {
  std::lock_guard<std::mutex> hold(lock_);
  auto found = timers_.find(id);
  if (found == timers_.end()) return false;
  NativeTimerCallback(found->second.cookie, id);
  return true;
}

void TManualTimerBackend::TickAll() {
  for (int32_t id : RunningIds()) Tick(id);
}

std::vector<int32_t> TManualTimerBackend::RunningIds() const {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<int32_t> ids;
  for (const auto& entry : timers_) ids.push_back(entry.first);
  return ids;
}

int32_t TManualTimerBackend::PeriodOf(int32_t id) const {
  std::lock_guard<std::mutex> hold(lock_);
  auto found = timers_.find(id);
  return found == timers_.end() ? 0 : found->second.periodMs;
}

void TManualTimerBackend::SetRefusing(bool refusing) {
  std::lock_guard<std::mutex> hold(lock_);
  refusing_ = refusing;
}

}  // namespace quardeln
