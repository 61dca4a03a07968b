// The HTML view gadget: the system's web browser embedded in a host window (mshtml, the
// browser host). Addresses the program sets are its own navigations; with style bit 2
// every other navigation is refused and reported as GadgetAction with the address, and
// each completed document posts GadgetDone. The browser is closed when the view's window
// goes, whether by Free or with its parent; without a browser the view is an empty window.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/win32/browser_host.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {

// FIXME: keys meant for the browser (Tab inside the page, its shortcuts) are not handed
// to its IOleInPlaceActiveObject::TranslateAccelerator by the message pump.
class TWindowsHTMLView final : public TWindowsGadget {
 public:
  TWindowsHTMLView() = default;

  TComRef<TBrowserHost> mshtml;  // empty once the view's window is gone

  static std::shared_ptr<TWindowsHTMLView> Create(const GadgetRef& group, int32_t style);

  int32_t Rethink() override;
  // Cut, copy, paste (1 when done), back, forward and print; other codes do nothing.
  int32_t Activate(int32_t action) override;
  // 1 while the document is loading, else 0 (not gadget state bits).
  int32_t State() override;
  int32_t SetText(const std::u16string& text) override;  // navigates; empty is ignored
  std::u16string GetText() override;                     // the last complete page's address
  std::u16string Run(const std::u16string& script) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Build(const GadgetRef& group, int32_t given);
  void CloseBrowser();
  void ReleaseNativeResources() override;
};

}  // namespace quardeln
