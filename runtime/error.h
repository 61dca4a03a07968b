// The one run-time error of the toolkit: misuse after which the program cannot go on.
// It carries the system's message; an uncaught one ends the program with that message.
#pragma once

#include <stdexcept>
#include <string>

namespace quardeln {

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(const std::string& message) : std::runtime_error(message) {}
};

// The system's own messages.
inline constexpr const char* kAbstractMethodMessage = "Attempt to call abstract method";
inline constexpr const char* kUninitializedFunctionMessage =
    "Attempt to call uninitialized function pointer";
inline constexpr const char* kTooManyHookIdsMessage = "Too many hook ids";

[[noreturn]] void RaiseError(const std::string& message);
[[noreturn]] void RaiseAbstractMethod();

// The application title, used as the caption of message boxes.
const std::u16string& ApplicationTitle();

}  // namespace quardeln
