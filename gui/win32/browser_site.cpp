// The browser host's COM parts. Their answers follow what an embedding without menus,
// tool space or persistence needs; the events go to the host's decisions.
#include "gui/win32/browser_site.h"

#include <exdispid.h>

#include <exception>
#include <string>

#include "gui/win32/browser_host.h"
#include "gui/win32/system_link.h"

namespace quardeln {
namespace {

// Each out-parameter a refused request leaves behind is cleared: callers may release it.
template <typename T>
HRESULT NoneInto(T** out, HRESULT answer) {
  if (out) *out = nullptr;
  return answer;
}

}  // namespace

// ---- CMySite: client site, in-place site, UI handler ----

HRESULT CMySite::QueryInterface(REFIID iid, void** out) {
  return _host.QueryInterface(iid, out);
}
ULONG CMySite::AddRef() {
  return _host.AddRef();
}
ULONG CMySite::Release() {
  return _host.Release();
}

HRESULT CMySite::SaveObject() {
  return E_NOTIMPL;
}
HRESULT CMySite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  return NoneInto(moniker, E_NOTIMPL);
}
HRESULT CMySite::GetContainer(IOleContainer** container) {
  return NoneInto(container, E_NOINTERFACE);
}
HRESULT CMySite::ShowObject() {
  return S_OK;
}
HRESULT CMySite::OnShowWindow(WINBOOL) {
  return S_OK;
}
HRESULT CMySite::RequestNewObjectLayout() {
  return E_NOTIMPL;
}

HRESULT CMySite::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = _host.Hwnd();
  return S_OK;
}
HRESULT CMySite::ContextSensitiveHelp(WINBOOL) {
  return E_NOTIMPL;
}
HRESULT CMySite::CanInPlaceActivate() {
  return S_OK;
}
HRESULT CMySite::OnInPlaceActivate() {
  return S_OK;
}
HRESULT CMySite::OnUIActivate() {
  return S_OK;
}

HRESULT CMySite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                  LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (!frame || !doc || !position || !clip || !info) return E_POINTER;
  void* ours = nullptr;
  _host.QueryInterface(IID_IOleInPlaceFrame, &ours);  // the reference the caller releases
  *frame = static_cast<IOleInPlaceFrame*>(ours);
  *doc = nullptr;  // no document window of our own
  GetClientRect(_host.Hwnd(), position);
  *clip = *position;
  info->fMDIApp = FALSE;
  info->hwndFrame = _host.Hwnd();
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT CMySite::Scroll(SIZE) {
  return E_NOTIMPL;
}
HRESULT CMySite::OnUIDeactivate(WINBOOL) {
  return S_OK;
}
HRESULT CMySite::OnInPlaceDeactivate() {
  return S_OK;
}
HRESULT CMySite::DiscardUndoState() {
  return E_NOTIMPL;
}
HRESULT CMySite::DeactivateAndUndo() {
  return E_NOTIMPL;
}
HRESULT CMySite::OnPosRectChange(LPCRECT) {
  return S_OK;
}

// E_NOTIMPL lets the browser show its own context menu.
HRESULT CMySite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  return E_NOTIMPL;
}
HRESULT CMySite::GetHostInfo(DOCHOSTUIINFO*) {
  return E_NOTIMPL;
}
// S_OK: the host shows its UI itself, which here is none.
HRESULT CMySite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) {
  return S_OK;
}
HRESULT CMySite::HideUI() {
  return S_OK;
}
HRESULT CMySite::UpdateUI() {
  return S_OK;
}
HRESULT CMySite::EnableModeless(WINBOOL) {
  return S_OK;
}
HRESULT CMySite::OnDocWindowActivate(WINBOOL) {
  return S_OK;
}
HRESULT CMySite::OnFrameWindowActivate(WINBOOL) {
  return S_OK;
}
HRESULT CMySite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) {
  return S_OK;
}
// S_FALSE: the browser handles its keys itself.
HRESULT CMySite::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
  return S_FALSE;
}
HRESULT CMySite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  return NoneInto(key, E_NOTIMPL);
}
HRESULT CMySite::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
  return NoneInto(replacement, E_NOTIMPL);
}
HRESULT CMySite::GetExternal(IDispatch** external) {
  return NoneInto(external, E_NOTIMPL);
}
HRESULT CMySite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
  return NoneInto(out, S_FALSE);
}
HRESULT CMySite::FilterDataObject(IDataObject*, IDataObject** replacement) {
  return NoneInto(replacement, S_FALSE);
}

// ---- CMyFrame: the in-place frame, without menus or tool space ----

HRESULT CMyFrame::QueryInterface(REFIID iid, void** out) {
  return _host.QueryInterface(iid, out);
}
ULONG CMyFrame::AddRef() {
  return _host.AddRef();
}
ULONG CMyFrame::Release() {
  return _host.Release();
}

HRESULT CMyFrame::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = _host.Hwnd();
  return S_OK;
}
HRESULT CMyFrame::ContextSensitiveHelp(WINBOOL) {
  return E_NOTIMPL;
}
HRESULT CMyFrame::GetBorder(LPRECT) {
  return INPLACE_E_NOTOOLSPACE;
}
HRESULT CMyFrame::RequestBorderSpace(LPCBORDERWIDTHS) {
  return INPLACE_E_NOTOOLSPACE;
}
HRESULT CMyFrame::SetBorderSpace(LPCBORDERWIDTHS) {
  return E_NOTIMPL;
}
HRESULT CMyFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
  return S_OK;
}
HRESULT CMyFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
  return E_NOTIMPL;
}
HRESULT CMyFrame::SetMenu(HMENU, HOLEMENU, HWND) {
  return S_OK;
}
HRESULT CMyFrame::RemoveMenus(HMENU) {
  return E_NOTIMPL;
}
HRESULT CMyFrame::SetStatusText(LPCOLESTR) {
  return S_OK;
}
HRESULT CMyFrame::EnableModeless(WINBOOL) {
  return S_OK;
}
HRESULT CMyFrame::TranslateAccelerator(LPMSG, WORD) {
  return S_FALSE;
}

// ---- CNullStorage ----

HRESULT CNullStorage::QueryInterface(REFIID iid, void** out) {
  return _host.QueryInterface(iid, out);
}
ULONG CNullStorage::AddRef() {
  return _host.AddRef();
}
ULONG CNullStorage::Release() {
  return _host.Release();
}

HRESULT CNullStorage::CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream** stream) {
  return NoneInto(stream, E_NOTIMPL);
}
HRESULT CNullStorage::OpenStream(const OLECHAR*, void*, DWORD, DWORD, IStream** stream) {
  return NoneInto(stream, E_NOTIMPL);
}
HRESULT CNullStorage::CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage** storage) {
  return NoneInto(storage, E_NOTIMPL);
}
HRESULT CNullStorage::OpenStorage(const OLECHAR*, IStorage*, DWORD, SNB, DWORD,
                                  IStorage** storage) {
  return NoneInto(storage, E_NOTIMPL);
}
HRESULT CNullStorage::CopyTo(DWORD, const IID*, SNB, IStorage*) {
  return E_NOTIMPL;
}
HRESULT CNullStorage::MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) {
  return E_NOTIMPL;
}
HRESULT CNullStorage::Commit(DWORD) {
  return E_NOTIMPL;
}
HRESULT CNullStorage::Revert() {
  return E_NOTIMPL;
}
HRESULT CNullStorage::EnumElements(DWORD, void*, DWORD, IEnumSTATSTG** elements) {
  return NoneInto(elements, E_NOTIMPL);
}
HRESULT CNullStorage::DestroyElement(const OLECHAR*) {
  return E_NOTIMPL;
}
HRESULT CNullStorage::RenameElement(const OLECHAR*, const OLECHAR*) {
  return E_NOTIMPL;
}
HRESULT CNullStorage::SetElementTimes(const OLECHAR*, const FILETIME*, const FILETIME*,
                                      const FILETIME*) {
  return E_NOTIMPL;
}
// The browser records its class while being created; accepting it costs nothing.
HRESULT CNullStorage::SetClass(REFCLSID) {
  return S_OK;
}
HRESULT CNullStorage::SetStateBits(DWORD, DWORD) {
  return E_NOTIMPL;
}
HRESULT CNullStorage::Stat(STATSTG*, DWORD) {
  return E_NOTIMPL;
}

// ---- DWebBrowserEventsImpl ----

namespace {

// Arguments arrive last first: argument `n` of an event with `count` of them.
const VARIANT* Argument(const DISPPARAMS& params, UINT count, UINT n) {
  if (params.cArgs != count || !params.rgvarg) return nullptr;
  return &params.rgvarg[count - 1 - n];
}

// The cancel flag of an event, a VARIANT_BOOL passed by reference.
VARIANT_BOOL* CancelFlag(const VARIANT* argument) {
  if (!argument || argument->vt != (VT_BOOL | VT_BYREF)) return nullptr;
  return argument->pboolVal;
}

// An address argument: a text, possibly inside a variant passed by reference.
std::u16string AddressOf(const VARIANT* argument) {
  if (argument && argument->vt == (VT_VARIANT | VT_BYREF)) argument = argument->pvarVal;
  if (!argument) return {};
  BSTR text = nullptr;
  if (argument->vt == VT_BSTR) {
    text = argument->bstrVal;
  } else if (argument->vt == (VT_BSTR | VT_BYREF) && argument->pbstrVal) {
    text = *argument->pbstrVal;
  }
  if (!text) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

}  // namespace

HRESULT DWebBrowserEventsImpl::QueryInterface(REFIID iid, void** out) {
  return _host.QueryInterface(iid, out);
}
ULONG DWebBrowserEventsImpl::AddRef() {
  return _host.AddRef();
}
ULONG DWebBrowserEventsImpl::Release() {
  return _host.Release();
}

HRESULT DWebBrowserEventsImpl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT DWebBrowserEventsImpl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  return NoneInto(info, E_NOTIMPL);
}
HRESULT DWebBrowserEventsImpl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT DWebBrowserEventsImpl::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                      EXCEPINFO*, UINT*) {
  if (!params) return E_POINTER;
  // The browser is not ours to unwind through.
  try {
    return Dispatch(id, *params);
  } catch (...) {
    DeferNativeFailure(std::current_exception());
    return E_UNEXPECTED;
  }
}

HRESULT DWebBrowserEventsImpl::Dispatch(DISPID id, const DISPPARAMS& params) {
  switch (id) {
    case DISPID_BEFORENAVIGATE2: {
      // (browser, address, flags, target frame, post data, headers, cancel)
      VARIANT_BOOL* cancel = CancelFlag(Argument(params, 7, 6));
      if (!cancel) return E_INVALIDARG;
      *cancel =
          _host.BeforeNavigate(AddressOf(Argument(params, 7, 1))) ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    case DISPID_NEWWINDOW2: {
      // (new browser, cancel)
      VARIANT_BOOL* cancel = CancelFlag(Argument(params, 2, 1));
      if (!cancel) return E_INVALIDARG;
      *cancel = _host.NewWindow() ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
    case DISPID_DOCUMENTCOMPLETE: {
      // (browser, address)
      const VARIANT* address = Argument(params, 2, 1);
      if (!address) return E_INVALIDARG;
      _host.DocumentComplete(AddressOf(address));
      return S_OK;
    }
    default:
      // Other events, and the ambient properties the browser asks its site for.
      return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace quardeln
