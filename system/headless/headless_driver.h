// The system driver without a window system: the test stand-in on every platform.
// Calls posted from any thread wait in a locked list until the main thread polls; Wait
// sleeps on a condition variable until one is posted. Dialogs answer as if cancelled,
// and what the program asked of the pointer, the shell and the power manager is recorded
// for tests.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "system/system_driver.h"

namespace quardeln {

class THeadlessSystemDriver final : public TSystemDriver {
 public:
  int32_t Poll() override;
  int32_t Wait() override;
  int32_t MoveMouse(int32_t x, int32_t y) override;
  int32_t SetMouseVisible(int32_t visible) override;
  int32_t Notify(const std::u16string& text, int32_t serious) override;
  int32_t Confirm(const std::u16string& text, int32_t serious) override;
  int32_t Proceed(const std::u16string& text, int32_t serious) override;
  std::u16string RequestFile(const std::u16string& title, const std::u16string& filter,
                             int32_t save, const std::u16string& path) override;
  std::u16string RequestDir(const std::u16string& title, const std::u16string& path) override;
  int32_t OpenURL(const std::u16string& url) override;
  ObjectRef RequestWake(std::time_t dueUtc) override;
  int32_t KeepAwake() override;
  int32_t RunOnMainThread(MainThreadFunction function, ObjectRef argument, intptr_t data) override;
  int32_t ShowMessage(MessageKind kind, const std::u16string& title, const std::u16string& text,
                      int32_t serious) override;

  // One wake request: when it was due, and whether the program has withdrawn it.
  struct WakeRequest {
    std::time_t due = 0;
    bool withdrawn = false;
  };

  // What the program did, for tests.
  const std::vector<std::u16string>& OpenedUrls() const { return openedUrls_; }
  const std::vector<std::u16string>& ShownMessages() const { return shownMessages_; }
  const std::vector<std::u16string>& ShownTitles() const { return shownTitles_; }  // likewise
  int32_t MouseX() const { return mouseX_; }
  int32_t MouseY() const { return mouseY_; }
  int32_t MouseVisible() const { return mouseVisible_; }
  const std::vector<std::shared_ptr<const WakeRequest>>& WakeRequests() const {
    return wakeRequests_;
  }
  int32_t KeepAwakeCalls() const { return keepAwakeCalls_; }
  size_t PendingCalls() const;

 private:
  struct PostedCall {
    MainThreadFunction function = nullptr;
    ObjectRef argument;
    intptr_t data = 0;
  };

  bool TakeCall(PostedCall& call);

  mutable std::mutex lock_;
  std::condition_variable posted_;
  std::deque<PostedCall> calls_;  // guarded by lock_; everything below is main thread only

  std::vector<std::u16string> openedUrls_;
  std::vector<std::u16string> shownMessages_;
  std::vector<std::u16string> shownTitles_;
  int32_t mouseX_ = 0;
  int32_t mouseY_ = 0;
  int32_t mouseVisible_ = 1;
  std::vector<std::shared_ptr<const WakeRequest>> wakeRequests_;
  int32_t keepAwakeCalls_ = 0;
};

}  // namespace quardeln
