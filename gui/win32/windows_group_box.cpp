#include "gui/win32/windows_group_box.h"

#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "system/win32/win32_dpi.h"

namespace quardeln {
namespace {

// Created hidden: CreateGadget shows it once it has been placed.
constexpr DWORD kGroupBoxStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | BS_GROUPBOX;
static_assert(kGroupBoxStyle == 0x46000007);
constexpr DWORD kClientStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(kClientStyle == 0x56000000);
constexpr int32_t kClientLeft = 4;
constexpr int32_t kClientTop = 16;
constexpr int32_t kWidthLoss = 8;
constexpr int32_t kHeightLoss = 20;

}  // namespace

void TWindowsGroupBox::Build(const GadgetRef& group, int32_t) {
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"BUTTON", WS_EX_CONTROLPARENT, kGroupBoxStyle, container);
  GiveDefaultFont(hwnd);
  HWND client =
      CreateChildWindow(TWindowsGUIDriver::ClassName(), WS_EX_CONTROLPARENT, kClientStyle, hwnd);
  Register(GADGETCLASS_PANEL, hwnd, client, 0);
}

int32_t TWindowsGroupBox::ClientWidth() {
  return TWindowsGadget::ClientWidth() - kWidthLoss;
}

int32_t TWindowsGroupBox::ClientHeight() {
  return TWindowsGadget::ClientHeight() - kHeightLoss;
}

int32_t TWindowsGroupBox::RethinkClient() {
  const int32_t dpi = DpiOfWindow(Hwnd());
  MoveWindow(ClientHwnd(), ToNative(kClientLeft, dpi), ToNative(kClientTop, dpi),
             ToNative(ClientWidth(), dpi), ToNative(ClientHeight(), dpi), FALSE);
  return 0;
}

}  // namespace quardeln
