#include "runtime/object.h"

namespace quardeln {

std::u16string TObject::ToString() const {
  return {};
}

std::u16string TObject::Describe() const {
  std::u16string text = ToString();
  return text.empty() ? u"Object" : text;
}

std::shared_ptr<TText> NewText(std::u16string value) {
  return std::make_shared<TText>(std::move(value));
}

const std::u16string* AsText(const ObjectRef& object) {
  auto* text = dynamic_cast<const TText*>(object.get());
  return text ? &text->Value() : nullptr;
}

}  // namespace quardeln
