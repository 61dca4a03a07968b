// The browser host: its identity and reference count, embedding and closing the
// browser, the operations the HTML view asks for, and what the browser's events mean.
#include "gui/win32/browser_host.h"

#include <utility>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_gadget.h"

namespace quardeln {
namespace {

int64_t liveHosts = 0;

constexpr DWORD kHostStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
static_assert(kHostStyle == 0x54010000);
constexpr int kHostInitialSize = 200;

}  // namespace

TComRef<TBrowserHost> TBrowserHost::New(std::weak_ptr<TWindowsGadget> view, int32_t style) {
  return TComRef<TBrowserHost>::Adopt(new TBrowserHost(std::move(view), style));
}

int64_t TBrowserHost::LiveHosts() {
  return liveHosts;
}

TBrowserHost::TBrowserHost(std::weak_ptr<TWindowsGadget> view, int32_t style)
    : _view(std::move(view)), _style(style) {
  ++liveHosts;
}

TBrowserHost::~TBrowserHost() {
  --liveHosts;
}

HRESULT TBrowserHost::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
    *out = static_cast<IOleClientSite*>(&site);
  } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
    *out = static_cast<IOleInPlaceSite*>(&site);
  } else if (IsEqualIID(iid, IID_IDocHostUIHandler)) {
    *out = static_cast<IDocHostUIHandler*>(&site);
  } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
    *out = static_cast<IOleInPlaceFrame*>(&frame);
  } else if (IsEqualIID(iid, IID_IStorage)) {
    *out = static_cast<IStorage*>(&storage);
  } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
    // Also where the browser asks its site for ambient properties; the sink knows none.
    *out = static_cast<IDispatch*>(&events);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG TBrowserHost::AddRef() {
  return ++_refs;
}

ULONG TBrowserHost::Release() {
  const ULONG left = --_refs;
  if (left == 0) delete this;
  return left;
}

HWND TBrowserHost::CreateHostWindow(HWND parent) {
  _hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, Wide(TWindowsGUIDriver::ClassName()), L"",
                          kHostStyle, 0, 0, kHostInitialSize, kHostInitialSize, parent, nullptr,
                          DriverInstance(), nullptr);
  return _hwnd;
}

bool TBrowserHost::Open() {
  if (!_hwnd || !Embed()) {
    Close();
    return false;
  }
  Subscribe();
  ShowInPlace();
  Navigate(u"about:blank");
  return true;
}

bool TBrowserHost::Embed() {
  EnsureOleStarted();
  if (FAILED(OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr,
                       static_cast<IOleClientSite*>(&site), static_cast<IStorage*>(&storage),
                       reinterpret_cast<void**>(_browserobject.Put())))) {
    _browserobject.reset();
    return false;
  }
  OleSetContainedObject(_browserobject.get(), TRUE);
  _browserobject->SetHostNames(L"Web Host", L"Web View");
  _webbrowser = _browserobject.As<IWebBrowser2>(IID_IWebBrowser2);
  _inplace = _browserobject.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
  _commands = _browserobject.As<IOleCommandTarget>(IID_IOleCommandTarget);
  return static_cast<bool>(_webbrowser);
}

void TBrowserHost::Subscribe() {
  auto container = _webbrowser.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  TComRef<IConnectionPoint> point;
  if (!container || FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put())) ||
      !point) {
    return;
  }
  if (FAILED(point->Advise(static_cast<IDispatch*>(&events), &_eventcookie))) return;
  _eventpoint = std::move(point);
}

void TBrowserHost::ShowInPlace() {
  RECT rect{};
  GetClientRect(_hwnd, &rect);
  auto* clientSite = static_cast<IOleClientSite*>(&site);
  _browserobject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, _hwnd, &rect);
  _browserobject->DoVerb(OLEIVERB_SHOW, nullptr, clientSite, 0, _hwnd, &rect);
}

void TBrowserHost::Close() {
  // Taken out first: the browser calls back into the host while it closes, and a
  // second Close from there finds nothing left to do.
  TComRef<IConnectionPoint> point = std::move(_eventpoint);
  TComRef<IOleInPlaceObject> inplace = std::move(_inplace);
  TComRef<IOleObject> object = std::move(_browserobject);
  _commands.reset();
  _document.reset();
  _webbrowser.reset();
  if (point) point->Unadvise(_eventcookie);
  _eventcookie = 0;
  if (inplace) inplace->InPlaceDeactivate();
  if (object) {
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);  // the browser lets go of the site
  }
}

void TBrowserHost::SetRect(int32_t w, int32_t h) {
  if (!_inplace) return;
  RECT rect{0, 0, w, h};
  _inplace->SetObjectRects(&rect, &rect);
}

int32_t TBrowserHost::Navigate(const std::u16string& address) {
  if (!_webbrowser) return 0;
  ownnavigation = 1;
  const UniqueBstr target = BstrOf(address);
  VARIANT none;
  VariantInit(&none);
  if (FAILED(_webbrowser->Navigate(target.get(), &none, &none, &none, &none))) {
    ownnavigation = 0;  // no BeforeNavigate2 comes to take the mark
    return 0;
  }
  return 1;
}

int32_t TBrowserHost::GoBack() {
  if (!_webbrowser) return 0;
  ownnavigation = 1;
  if (FAILED(_webbrowser->GoBack())) ownnavigation = 0;  // nothing to go back to
  return ownnavigation;
}

int32_t TBrowserHost::GoForward() {
  if (!_webbrowser) return 0;
  ownnavigation = 1;
  if (FAILED(_webbrowser->GoForward())) ownnavigation = 0;
  return ownnavigation;
}

int32_t TBrowserHost::Command(OLECMDID command) {
  if (!_commands) return 0;
  OLECMD status{static_cast<ULONG>(command), 0};
  if (FAILED(_commands->QueryStatus(nullptr, 1, &status, nullptr))) return 0;
  if (!(status.cmdf & OLECMDF_ENABLED)) return 0;
  const HRESULT done =
      _commands->Exec(nullptr, command, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, nullptr);
  return SUCCEEDED(done) ? 1 : 0;
}

void TBrowserHost::Print() {
  if (_commands)
    _commands->Exec(nullptr, OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr);
}

TComRef<IHTMLDocument2> TBrowserHost::CurrentDocument() {
  if (!_webbrowser) return {};
  TComRef<IDispatch> page;
  if (FAILED(_webbrowser->get_Document(page.Put()))) return {};
  // A page that is not HTML (or none yet) has no HTML document.
  _document = page.As<IHTMLDocument2>(IID_IHTMLDocument2);
  return _document;
}

void TBrowserHost::RunScript(const std::u16string& script) {
  TComRef<IHTMLDocument2> document = CurrentDocument();
  TComRef<IHTMLWindow2> window;
  if (!document || FAILED(document->get_parentWindow(window.Put())) || !window) return;
  const UniqueBstr code = BstrOf(script);
  const UniqueBstr language = BstrOf(u"JavaScript");
  VARIANT result;
  VariantInit(&result);
  window->execScript(code.get(), language.get(), &result);
  VariantClear(&result);
}

int32_t TBrowserHost::Loading() {
  if (!loading) return 0;
  // A navigation that ended without a document (a download, say) leaves the browser
  // complete without a DocumentComplete.
  READYSTATE state = READYSTATE_UNINITIALIZED;
  if (_webbrowser && SUCCEEDED(_webbrowser->get_ReadyState(&state)) &&
      state == READYSTATE_COMPLETE) {
    return 0;
  }
  return 1;
}

bool TBrowserHost::BeforeNavigate(const std::u16string& target) {
  if ((_style & HTMLVIEW_NONAVIGATE) && !ownnavigation) {
    Post(GadgetAction, NewText(target));
    return true;
  }
  ownnavigation = 0;
  loading = 1;
  return false;
}

bool TBrowserHost::NewWindow() {
  return true;  // the view never opens windows of its own
}

void TBrowserHost::DocumentComplete(const std::u16string& address) {
  url = address;
  loading = 0;
  CurrentDocument();
  Post(GadgetDone, nullptr);
}

void TBrowserHost::Post(int32_t id, ObjectRef extra) {
  if (WindowsGadgetRef view = _view.lock()) view->PostGuiEvent(id, 0, 0, 0, 0, std::move(extra));
}

}  // namespace quardeln
