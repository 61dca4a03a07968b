#include "gui/win32/windows_html_view.h"

#include <utility>

#include "system/win32/win32_dpi.h"

namespace quardeln {

std::shared_ptr<TWindowsHTMLView> TWindowsHTMLView::Create(const GadgetRef& group, int32_t given) {
  auto view = std::make_shared<TWindowsHTMLView>();
  view->Build(group, given);
  return view;
}

void TWindowsHTMLView::Build(const GadgetRef& group, int32_t given) {
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  mshtml = TBrowserHost::New(WindowsSelf(), given);
  HWND host = mshtml->CreateHostWindow(container);
  // Registered before the browser moves in, so the window is ours whatever happens next.
  Register(GADGETCLASS_HTMLVIEW, host, nullptr, 0);
  mshtml->Open();
}

int32_t TWindowsHTMLView::Rethink() {
  const int32_t dpi = DpiOfWindow(Hwnd());
  SetWindowPos(Hwnd(), nullptr, ToNative(xpos, dpi), ToNative(ypos, dpi), ToNative(width, dpi),
               ToNative(height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  if (mshtml) mshtml->SetRect(ToNative(width, dpi), ToNative(height, dpi));
  return 0;
}

int32_t TWindowsHTMLView::Activate(int32_t action) {
  if (!mshtml) return 0;
  switch (action) {
    case ACTION_CUT:
      return mshtml->Command(OLECMDID_CUT);
    case ACTION_COPY:
      return mshtml->Command(OLECMDID_COPY);
    case ACTION_PASTE:
      return mshtml->Command(OLECMDID_PASTE);
    case ACTION_BACK:
      mshtml->GoBack();
      return 0;
    case ACTION_FORWARD:
      mshtml->GoForward();
      return 0;
    case ACTION_PRINT:
      mshtml->Print();
      return 0;
    default:
      return 0;
  }
}

int32_t TWindowsHTMLView::State() {
  return mshtml ? mshtml->Loading() : 0;
}

int32_t TWindowsHTMLView::SetText(const std::u16string& text) {
  if (!text.empty() && mshtml) mshtml->Navigate(text);
  return 0;
}

// The address of the page last shown in full, so that HtmlViewGetURL tells where the
// view is; empty before the first page has completed.
std::u16string TWindowsHTMLView::GetText() {
  return mshtml ? mshtml->url : std::u16string();
}

std::u16string TWindowsHTMLView::Run(const std::u16string& script) {
  if (mshtml) mshtml->RunScript(script);
  return {};
}

LRESULT TWindowsHTMLView::WndProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_ERASEBKGND:
      // The browser covers the window; without one the window shows its empty face.
      return mshtml && mshtml->HasBrowser() ? 1 : 0;
    case WM_DESTROY:
      // Before the system destroys the browser's own windows inside this one.
      if (hwnd == Hwnd()) CloseBrowser();
      return 0;
    default:
      // The common tail gives the message to DefWindowProcW (this window of the driver's
      // class has no procedure of its own) and returns its result.
      return 0;
  }
}

void TWindowsHTMLView::CloseBrowser() {
  // Our reference keeps the host alive while the browser calls into it on the way out.
  if (TComRef<TBrowserHost> host = mshtml) host->Close();
}

void TWindowsHTMLView::ReleaseNativeResources() {
  TComRef<TBrowserHost> host = std::move(mshtml);
  if (host) host->Close();
  host.reset();
  TWindowsGadget::ReleaseNativeResources();
}

}  // namespace quardeln
