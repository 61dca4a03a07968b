// The HTML view's browser host: a host window of the driver's class with the WebBrowser
// object embedded in place, the browser interfaces the view uses, and the decisions on
// the browser's events. A COM object living by its reference count (the view holds one,
// the open browser others); it refers to its view weakly and does not own the window.
// Close is safe to repeat; without a browser every operation does nothing.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <exdisp.h>
#include <mshtml.h>
#include <ocidl.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gui/win32/browser_site.h"
#include "runtime/win32/native_owner.h"

namespace quardeln {

class TWindowsGadget;

// HTML view style bit: links the user follows are refused and reported as GadgetAction.
inline constexpr int32_t HTMLVIEW_NONAVIGATE = 2;

class TBrowserHost final {
 public:
  // A new host with one reference, for `view` made with `style`.
  static TComRef<TBrowserHost> New(std::weak_ptr<TWindowsGadget> view, int32_t style);
  // Hosts alive now, for tests that look for leaks.
  static int64_t LiveHosts();

  TBrowserHost(const TBrowserHost&) = delete;
  TBrowserHost& operator=(const TBrowserHost&) = delete;

  HRESULT QueryInterface(REFIID iid, void** out);
  ULONG AddRef();
  ULONG Release();

  // The host window, 200 x 200 inside `parent`; null when it cannot be made.
  HWND CreateHostWindow(HWND parent);
  // Embeds the browser in the host window and shows about:blank; false when the browser
  // cannot be had (the host is then left without one).
  bool Open();
  // Unsubscribes from the browser's events, deactivates and closes it and lets go of
  // every interface of it; the browser then releases what it holds of the host.
  void Close();
  bool HasBrowser() const { return static_cast<bool>(_webbrowser); }

  // The browser's rectangle within the host window.
  void SetRect(int32_t w, int32_t h);
  // The program's own navigation to `address`; 1 when the browser took it.
  int32_t Navigate(const std::u16string& address);
  int32_t GoBack();
  int32_t GoForward();
  // Cut, copy or paste (OLECMDID_*), without prompting and only when the browser
  // reports the command enabled; 1 when it ran.
  int32_t Command(OLECMDID command);
  void Print();
  void RunScript(const std::u16string& script);
  // 1 while a navigation has started and its document is not complete.
  int32_t Loading();

  // The browser's events, as the sink hands them over.
  // BeforeNavigate2: true cancels the navigation.
  bool BeforeNavigate(const std::u16string& target);
  // NewWindow2: true cancels the new window.
  bool NewWindow();
  void DocumentComplete(const std::u16string& address);

  // The sink the browser's events reach, as the browser sees it.
  IDispatch* Sink() { return &events; }

  HWND Hwnd() const { return _hwnd; }  // the host window; the view owns and destroys it
  int32_t ownnavigation = 0;           // 1 from the program's own navigation to its BeforeNavigate2
  int32_t loading = 0;                 // 1 from a navigation that proceeds to its DocumentComplete
  std::u16string url;                  // address of the last complete document

 private:
  TBrowserHost(std::weak_ptr<TWindowsGadget> view, int32_t style);
  ~TBrowserHost();

  bool Embed();
  void Subscribe();
  void ShowInPlace();
  TComRef<IHTMLDocument2> CurrentDocument();
  void Post(int32_t id, ObjectRef extra);

  HWND _hwnd = nullptr;
  ULONG _refs = 1;
  std::weak_ptr<TWindowsGadget> _view;
  int32_t _style = 0;

  CMySite site{*this};
  CMyFrame frame{*this};
  CNullStorage storage{*this};
  DWebBrowserEventsImpl events{*this};

  TComRef<IOleObject> _browserobject;
  TComRef<IWebBrowser2> _webbrowser;
  TComRef<IOleInPlaceObject> _inplace;
  TComRef<IOleCommandTarget> _commands;
  TComRef<IHTMLDocument2> _document;  // the current document, as last looked up
  TComRef<IConnectionPoint> _eventpoint;
  DWORD _eventcookie = 0;
};

}  // namespace quardeln
