#include "gui/gui_driver.h"

#include "gui/proxy.h"
#include "runtime/error.h"

namespace quardeln {

GuiDriverRef ActiveGuiDriver;

namespace {
constexpr const char* kNoGuiDriverMessage = "No GUI driver has been started";
}  // namespace

FontRef TOrvaneDriver::LoadFont(const std::u16string&, int32_t, int32_t) {
  RaiseAbstractMethod();
}

GadgetRef TOrvaneDriver::CreateGadget(int32_t, const std::u16string&, int32_t, int32_t, int32_t,
                                      int32_t, const GadgetRef&, int32_t) {
  RaiseAbstractMethod();
}

GadgetRef TOrvaneDriver::ActiveGadget() {
  RaiseAbstractMethod();
}

int32_t TOrvaneDriver::RequestColor(int32_t, int32_t, int32_t) {
  RaiseAbstractMethod();
}

FontRef TOrvaneDriver::RequestFont(const FontRef&) {
  RaiseAbstractMethod();
}

int32_t TOrvaneDriver::SetPointer(int32_t) {
  RaiseAbstractMethod();
}

IconStripRef TOrvaneDriver::LoadIconStrip(const ObjectRef&) {
  RaiseAbstractMethod();
}

void StartGuiModule(GuiDriverRef driver) {
  if (!DefaultProxyTarget) DefaultProxyTarget = std::make_shared<TGadget>();
  if (driver) ActiveGuiDriver = std::move(driver);
}

TOrvaneDriver& GuiDriver() {
  if (!ActiveGuiDriver) RaiseError(kNoGuiDriverMessage);
  return *ActiveGuiDriver;
}

}  // namespace quardeln
