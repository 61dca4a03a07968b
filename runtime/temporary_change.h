// A variable changed for one scope: the guard sets it and puts the old value back
// however the scope ends, an exception included. The one guard for every busy, quiet
// and suppress flag, so no flag is left set by a path that skips its reset.
#pragma once

#include <type_traits>
#include <utility>

namespace quardeln {

template <typename T>
class TTemporaryChange {
 public:
  TTemporaryChange(T& variable, std::type_identity_t<T> value)
      : variable_(variable), old_(std::exchange(variable, std::move(value))) {}
  ~TTemporaryChange() { variable_ = std::move(old_); }
  TTemporaryChange(const TTemporaryChange&) = delete;
  TTemporaryChange& operator=(const TTemporaryChange&) = delete;

  const T& Old() const { return old_; }  // what the variable held before, and will again

 private:
  T& variable_;
  T old_;
};

}  // namespace quardeln
