#include "runtime/error.h"

namespace quardeln {

void RaiseError(const std::string& message) {
  throw RuntimeError(message);
}

void RaiseAbstractMethod() {
  throw RuntimeError(kAbstractMethodMessage);
}

const std::u16string& ApplicationTitle() {
  static const std::u16string title = u"Quardeln Application";
  return title;
}

}  // namespace quardeln
