// A wake request of the Windows driver: the waitable timer it set, cancelled and closed
// when the request goes. The handle is there for tests that watch the timer.
#pragma once

#include "runtime/object.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {

class TWin32WakeTimer final : public TObject {
 public:
  explicit TWin32WakeTimer(UniqueKernelObject timer);
  ~TWin32WakeTimer() override;

  HANDLE Timer() const { return timer_.get(); }

 private:
  UniqueKernelObject timer_;
};

}  // namespace quardeln
