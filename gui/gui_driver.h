// The GUI driver interface: the one object through which the portable toolkit makes
// gadgets, fonts and icon strips and reaches the platform's choosers and pointer.
// Every operation of the base class raises "Attempt to call abstract method"; a platform
// driver overrides them all. The driver in use is ActiveGuiDriver, read at each call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gui/gadget.h"
#include "runtime/object.h"

namespace quardeln {

class TOrvaneDriver : public TObject {
 public:
  // In slot order.
  virtual FontRef LoadFont(const std::u16string& name, int32_t size, int32_t style);
  virtual GadgetRef CreateGadget(int32_t class_, const std::u16string& text, int32_t x, int32_t y,
                                 int32_t w, int32_t h, const GadgetRef& group, int32_t style);
  virtual GadgetRef ActiveGadget();
  // 0 when cancelled, else 0xFF000000 + red * 65536 + green * 256 + blue.
  virtual int32_t RequestColor(int32_t red, int32_t green, int32_t blue);
  virtual FontRef RequestFont(const FontRef& font);
  virtual int32_t SetPointer(int32_t shape);
  virtual IconStripRef LoadIconStrip(const ObjectRef& source);
};

using GuiDriverRef = std::shared_ptr<TOrvaneDriver>;

// The driver in use; null until a driver has been started.
extern GuiDriverRef ActiveGuiDriver;

// Starts the toolkit core (makes DefaultProxyTarget once) and, when `driver` is given,
// installs it as ActiveGuiDriver, replacing any earlier one. Gadgets may be made after.
void StartGuiModule(GuiDriverRef driver = nullptr);

// ActiveGuiDriver, or a run-time error when no driver has been started.
TOrvaneDriver& GuiDriver();

}  // namespace quardeln
