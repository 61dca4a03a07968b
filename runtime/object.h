// The root of every toolkit object, and the text object.
// Objects are shared (std::shared_ptr); an object lives as long as any holder keeps it.
// ToString gives a human-readable form; the base answers with an empty text. Describe
// names the object for a person debugging (its kind and what tells it apart); no program
// logic may depend on its wording.
#pragma once

#include <memory>
#include <string>

namespace quardeln {

class TObject : public std::enable_shared_from_this<TObject> {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  virtual std::u16string ToString() const;
  // The base gives ToString, or "Object" when that is empty.
  virtual std::u16string Describe() const;
};

using ObjectRef = std::shared_ptr<TObject>;

// A text travelling as an object, for example an event's extra.
class TText final : public TObject {
 public:
  explicit TText(std::u16string value) : value_(std::move(value)) {}
  const std::u16string& Value() const { return value_; }
  std::u16string ToString() const override { return value_; }
  std::u16string Describe() const override { return u"\"" + value_ + u"\""; }

 private:
  const std::u16string value_;
};

std::shared_ptr<TText> NewText(std::u16string value);

// The text of `object` if it is a text object, otherwise null.
const std::u16string* AsText(const ObjectRef& object);

}  // namespace quardeln
