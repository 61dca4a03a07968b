// The HTML view under Wine: its host window and where Rethink puts it, the decisions on
// the browser's events (raised on the view's event sink with the arguments the browser
// passes, since Wine runs here without its browser engine and no page ever loads), the
// commands, and that ending views leaves no COM reference, host object or host window.
#include <exdispid.h>

#include <algorithm>
#include <array>
#include <vector>

#include "gui/win32/windows_html_view.h"
#include "gui/win32/windows_panel.h"
#include "tests/gui/win32/gadget_test_support.h"

namespace quardeln::test {
namespace {

class WindowsHtmlViewTest : public DriverTest {
 protected:
  std::shared_ptr<TWindowsHTMLView> NewView(int32_t style) {
    return Keep(
        Make<TWindowsHTMLView>(GADGETCLASS_HTMLVIEW, u"", 10, 20, 300, 200, Window(), style));
  }
};

// A text variant, as the browser passes an address.
class AddressVariant {
 public:
  explicit AddressVariant(const std::u16string& text) {
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                      static_cast<UINT>(text.size()));
  }
  ~AddressVariant() { VariantClear(&value); }
  AddressVariant(const AddressVariant&) = delete;
  AddressVariant& operator=(const AddressVariant&) = delete;
  VARIANT value;
};

VARIANT Empty() {
  VARIANT empty;
  VariantInit(&empty);
  return empty;
}

VARIANT ByRef(VARIANT* inner) {
  VARIANT ref = Empty();
  ref.vt = VT_VARIANT | VT_BYREF;
  ref.pvarVal = inner;
  return ref;
}

VARIANT ByRef(VARIANT_BOOL* flag) {
  VARIANT ref = Empty();
  ref.vt = VT_BOOL | VT_BYREF;
  ref.pboolVal = flag;
  return ref;
}

// Raises event `id` on the view's sink with `args` in the event's order; the browser
// hands them over last first.
HRESULT Raise(const std::shared_ptr<TWindowsHTMLView>& view, DISPID id, std::vector<VARIANT> args) {
  std::reverse(args.begin(), args.end());
  DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  return view->mshtml->Sink()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                      nullptr, nullptr, nullptr);
}

// BeforeNavigate2 to `address`; whether the view cancelled it.
bool NavigationCancelled(const std::shared_ptr<TWindowsHTMLView>& view,
                         const std::u16string& address) {
  AddressVariant target(address);
  VARIANT_BOOL cancel = VARIANT_FALSE;
  EXPECT_EQ(
      Raise(view, DISPID_BEFORENAVIGATE2,
            {Empty(), ByRef(&target.value), Empty(), Empty(), Empty(), Empty(), ByRef(&cancel)}),
      S_OK);
  return cancel == VARIANT_TRUE;
}

void CompleteDocument(const std::shared_ptr<TWindowsHTMLView>& view,
                      const std::u16string& address) {
  AddressVariant done(address);
  EXPECT_EQ(Raise(view, DISPID_DOCUMENTCOMPLETE, {Empty(), ByRef(&done.value)}), S_OK);
}

// Left, top, right, bottom of a window within its parent.
std::array<LONG, 4> Corners(HWND hwnd) {
  const RECT rect = RectInParent(hwnd);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

std::vector<std::u16string> ActionAddresses(const GadgetRef& view) {
  std::vector<std::u16string> addresses;
  for (const EventRef& event : EventsOf(GadgetAction, view)) {
    EXPECT_EQ(event->data, 0);
    const std::u16string* text = AsText(event->extra);
    addresses.push_back(text ? *text : u"(no text)");
  }
  return addresses;
}

TEST_F(WindowsHtmlViewTest, HostWindowSitsInTheGroupWhereTheViewIs) {
  auto view = NewView(0);
  ASSERT_TRUE(view && NativeOf(view) && view->mshtml);
  wchar_t className[64] = {};
  GetClassNameW(NativeOf(view), className, 64);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(className)), kWindowClassName);
  EXPECT_EQ(StyleOf(NativeOf(view)) & 0x54010000, 0x54010000);
  EXPECT_TRUE(ExStyleOf(NativeOf(view)) & WS_EX_CONTROLPARENT);
  EXPECT_EQ(GetParent(NativeOf(view)), NativeOf(Window()));
  EXPECT_EQ(Corners(NativeOf(view)), (std::array<LONG, 4>{10, 20, 310, 220}));

  view->SetShape(5, 6, 150, 100);
  EXPECT_EQ(Corners(NativeOf(view)), (std::array<LONG, 4>{5, 6, 155, 106}));
  // The browser's own window inside follows the rectangle it was told.
  HWND browser = GetWindow(NativeOf(view), GW_CHILD);
  ASSERT_TRUE(browser);
  EXPECT_EQ(Corners(browser), (std::array<LONG, 4>{0, 0, 150, 100}));
}

TEST_F(WindowsHtmlViewTest, CommandsTheBrowserReportsDisabledAndOtherCodesGiveZero) {
  auto view = NewView(0);
  // Wine's browser knows none of the three commands; other codes do nothing anywhere.
  for (int32_t action : {ACTION_CUT, ACTION_COPY, ACTION_PASTE, ACTION_FOCUS, ACTION_REDRAW, 99}) {
    EXPECT_EQ(view->Activate(action), 0) << "action " << action;
  }
}

TEST_F(WindowsHtmlViewTest, WithStyleBit2OnlyTheProgramsOwnNavigationProceeds) {
  auto view = NewView(HTMLVIEW_NONAVIGATE);
  EXPECT_TRUE(NavigationCancelled(view, u"http://localhost/link"));
  view->SetText(u"");  // ignored: it marks nothing
  EXPECT_TRUE(NavigationCancelled(view, u"http://localhost/other"));
  EXPECT_EQ(ActionAddresses(view),
            (std::vector<std::u16string>{u"http://localhost/link", u"http://localhost/other"}));

  // The browser starts an http navigation from the pump, so the next BeforeNavigate2 is
  // the one this SetText asked for.
  RecordedEvents().clear();
  view->SetText(u"http://localhost/mine");
  EXPECT_FALSE(NavigationCancelled(view, u"http://localhost/mine"));
  EXPECT_TRUE(NavigationCancelled(view, u"http://localhost/next")) << "the mark is used up";
  EXPECT_EQ(ActionAddresses(view), (std::vector<std::u16string>{u"http://localhost/next"}));
}

TEST_F(WindowsHtmlViewTest, WithoutStyleBit2NavigationsProceedUntilTheDocumentIsComplete) {
  auto view = NewView(0);
  EXPECT_FALSE(NavigationCancelled(view, u"http://localhost/link"));
  EXPECT_TRUE(EventsOf(GadgetAction, view).empty()) << DescribeRecorded();
  EXPECT_EQ(view->State(), 1);

  CompleteDocument(view, u"http://localhost/link");
  EXPECT_EQ(view->State(), 0);
  EXPECT_EQ(view->GetText(), u"http://localhost/link");
  EXPECT_EQ(EventsOf(GadgetDone, view).size(), 1u) << DescribeRecorded();
}

TEST_F(WindowsHtmlViewTest, NewWindowsAreRefusedAndMalformedEventsIgnored) {
  for (int32_t style : {0, HTMLVIEW_NONAVIGATE}) {
    auto view = NewView(style);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(Raise(view, DISPID_NEWWINDOW2, {Empty(), ByRef(&cancel)}), S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE) << "style " << style;
  }

  // Too few arguments, a cancel flag not passed by reference, an unknown event.
  auto view = NewView(HTMLVIEW_NONAVIGATE);
  EXPECT_EQ(Raise(view, DISPID_BEFORENAVIGATE2, {Empty(), Empty()}), E_INVALIDARG);
  AddressVariant target(u"http://localhost/");
  VARIANT flag = Empty();
  flag.vt = VT_BOOL;
  EXPECT_EQ(Raise(view, DISPID_BEFORENAVIGATE2,
                  {Empty(), ByRef(&target.value), Empty(), Empty(), Empty(), Empty(), flag}),
            E_INVALIDARG);
  EXPECT_EQ(Raise(view, DISPID_DOCUMENTCOMPLETE, {}), E_INVALIDARG);
  EXPECT_EQ(Raise(view, DISPID_NEWWINDOW2, {Empty()}), E_INVALIDARG);
  EXPECT_EQ(Raise(view, 12345, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_TRUE(RecordedEvents().empty()) << DescribeRecorded();
}

// Half the views end by Free, half with the panel holding them; either way the browser
// lets go of the host and the host of every interface.
TEST_F(WindowsHtmlViewTest, EndingViewsLeavesNoReferenceHostOrWindowBehind) {
  const int64_t interfaces = LiveNativeCount(NativeKind::kComInterface);
  const int64_t hosts = TBrowserHost::LiveHosts();
  constexpr int kRounds = 200;
  int windowsLeft = 0;
  int browsers = 0;
  for (int round = 0; round < kRounds; ++round) {
    HWND host = nullptr;
    if (round % 2 == 0) {
      auto view = Make<TWindowsHTMLView>(GADGETCLASS_HTMLVIEW, u"", 0, 0, 100, 80, Window(), 0);
      host = NativeOf(view);
      browsers += view->mshtml->HasBrowser() ? 1 : 0;
      view->Free();
    } else {
      auto panel = Make<TWindowsPanel>(GADGETCLASS_PANEL, u"", 0, 0, 120, 90, Window(), 0);
      auto view = Make<TWindowsHTMLView>(GADGETCLASS_HTMLVIEW, u"", 0, 0, 100, 80, panel, 0);
      host = NativeOf(view);
      browsers += view->mshtml->HasBrowser() ? 1 : 0;
      panel->Free();
      EXPECT_FALSE(view->mshtml) << "round " << round;
    }
    if (IsWindow(host)) ++windowsLeft;
  }
  PumpPending();
  // Wine makes the browser object even without its engine, so its references are counted.
  EXPECT_EQ(browsers, kRounds);
  EXPECT_EQ(windowsLeft, 0);
  EXPECT_EQ(LiveNativeCount(NativeKind::kComInterface), interfaces);
  EXPECT_EQ(TBrowserHost::LiveHosts(), hosts);
}

}  // namespace
}  // namespace quardeln::test
