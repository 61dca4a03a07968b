// A deadline for tests that wait. If the watchdog is not dismissed (destroyed) in time,
// it posts a call that throws on the main thread, which ends a Wait there and fails the
// test; if even that is not taken, it aborts the program with what it was waiting for.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "runtime/error.h"
#include "runtime/text.h"
#include "system/system_driver.h"

namespace quardeln {

class Watchdog {
 public:
  explicit Watchdog(std::string what, std::chrono::milliseconds deadline = std::chrono::seconds(10))
      : what_(std::move(what)), thread_([this, deadline] { Watch(deadline); }) {}

  ~Watchdog() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      dismissed_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  static void Throw(const ObjectRef& what, intptr_t) {
    throw RuntimeError("watchdog: timed out waiting for " + ToUtf8(what->ToString()));
  }

  void Watch(std::chrono::milliseconds deadline) {
    std::unique_lock<std::mutex> hold(lock_);
    if (wake_.wait_for(hold, deadline, [this] { return dismissed_; })) return;
    RunOnMainThread(&Throw, NewText(FromUtf8(what_)), 0);
    if (wake_.wait_for(hold, std::chrono::seconds(5), [this] { return dismissed_; })) return;
    std::fprintf(stderr, "watchdog: stuck waiting for %s\n", what_.c_str());
    std::abort();
  }

  std::string what_;
  std::mutex lock_;
  std::condition_variable wake_;
  bool dismissed_ = false;
  std::thread thread_;  // last: started once the rest is ready
};

}  // namespace quardeln
