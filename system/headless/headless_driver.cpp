#include "system/headless/headless_driver.h"

#include "runtime/error.h"

namespace quardeln {
namespace {

// Marks its record withdrawn when the program lets go of the request.
class THeadlessWake final : public TObject {
 public:
  explicit THeadlessWake(std::shared_ptr<THeadlessSystemDriver::WakeRequest> request)
      : request_(std::move(request)) {}
  ~THeadlessWake() override { request_->withdrawn = true; }

 private:
  std::shared_ptr<THeadlessSystemDriver::WakeRequest> request_;
};

}  // namespace

bool THeadlessSystemDriver::TakeCall(PostedCall& call) {
  std::lock_guard<std::mutex> hold(lock_);
  if (calls_.empty()) return false;
  call = std::move(calls_.front());
  calls_.pop_front();
  return true;
}

// One call at a time, outside the lock: a call may post again (it then runs in this same
// poll, as a native pump would), and one that throws leaves the rest queued.
int32_t THeadlessSystemDriver::Poll() {
  PostedCall call;
  while (TakeCall(call)) {
    PostedCall running = std::move(call);
    running.function(running.argument, running.data);
  }
  return 0;
}

int32_t THeadlessSystemDriver::Wait() {
  {
    std::unique_lock<std::mutex> hold(lock_);
    posted_.wait(hold, [this] { return !calls_.empty(); });
  }
  return Poll();
}

int32_t THeadlessSystemDriver::RunOnMainThread(MainThreadFunction function, ObjectRef argument,
                                               intptr_t data) {
  if (!function) return 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    calls_.push_back({function, std::move(argument), data});
  }
  posted_.notify_one();
  return 1;
}

size_t THeadlessSystemDriver::PendingCalls() const {
  std::lock_guard<std::mutex> hold(lock_);
  return calls_.size();
}

int32_t THeadlessSystemDriver::MoveMouse(int32_t x, int32_t y) {
  mouseX_ = x;
  mouseY_ = y;
  return 0;
}

int32_t THeadlessSystemDriver::SetMouseVisible(int32_t visible) {
  mouseVisible_ = visible;
  return 0;
}

int32_t THeadlessSystemDriver::Notify(const std::u16string& text, int32_t serious) {
  return ShowMessage(MessageKind::Notify, ApplicationTitle(), text, serious);
}

int32_t THeadlessSystemDriver::Confirm(const std::u16string& text, int32_t serious) {
  return ShowMessage(MessageKind::Confirm, ApplicationTitle(), text, serious);
}

int32_t THeadlessSystemDriver::Proceed(const std::u16string& text, int32_t serious) {
  return ShowMessage(MessageKind::Proceed, ApplicationTitle(), text, serious);
}

// As if cancelled, which a Notify cannot tell from OK.
int32_t THeadlessSystemDriver::ShowMessage(MessageKind kind, const std::u16string& title,
                                           const std::u16string& text, int32_t) {
  shownTitles_.push_back(title);
  shownMessages_.push_back(text);
  return kind == MessageKind::Proceed ? -1 : 0;
}

std::u16string THeadlessSystemDriver::RequestFile(const std::u16string&, const std::u16string&,
                                                  int32_t, const std::u16string&) {
  return {};
}

std::u16string THeadlessSystemDriver::RequestDir(const std::u16string&, const std::u16string&) {
  return {};
}

int32_t THeadlessSystemDriver::OpenURL(const std::u16string& url) {
  openedUrls_.push_back(url);
  return 0;
}

ObjectRef THeadlessSystemDriver::RequestWake(std::time_t dueUtc) {
  auto request = std::make_shared<WakeRequest>(WakeRequest{dueUtc, false});
  wakeRequests_.push_back(request);
  return std::make_shared<THeadlessWake>(std::move(request));
}

int32_t THeadlessSystemDriver::KeepAwake() {
  ++keepAwakeCalls_;
  return 1;
}

}  // namespace quardeln
