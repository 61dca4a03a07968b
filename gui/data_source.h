// The three kinds of object a list-style gadget can take its item texts from: a list of
// objects, an array of texts and an array of objects. Each key is an element's text form
// (ToString); null elements give no key. The gadget shares the source with its owner.
#pragma once

#include <string>
#include <vector>

#include "runtime/object.h"

namespace quardeln {

class TObjectList final : public TObject {
 public:
  std::vector<ObjectRef> elements;
};

class TTextArray final : public TObject {
 public:
  std::vector<std::u16string> elements;
};

class TObjectArray final : public TObject {
 public:
  std::vector<ObjectRef> elements;
};

}  // namespace quardeln
