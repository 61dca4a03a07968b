#include "gui/win32/windows_text_field.h"

#include <vector>

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "runtime/temporary_change.h"

namespace quardeln {
namespace {

constexpr DWORD kTextFieldStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL;
static_assert(kTextFieldStyle == 0x54010080);

}  // namespace

std::shared_ptr<TWindowsTextField> TWindowsTextField::Create(const GadgetRef& group,
                                                             int32_t given) {
  auto field = std::make_shared<TWindowsTextField>();
  field->Build(group, given);
  return field;
}

void TWindowsTextField::Build(const GadgetRef& group, int32_t given) {
  DWORD native = kTextFieldStyle;
  if (given & TEXTFIELD_PASSWORD) native |= ES_PASSWORD;
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"EDIT", WS_EX_CLIENTEDGE, native, container);
  GiveDefaultFont(hwnd);
  Register(GADGETCLASS_TEXTFIELD, hwnd, nullptr, 0);
  SetColor(255, 255, 255);
}

int32_t TWindowsTextField::SetText(const std::u16string& text) {
  const TTemporaryChange programMade(_busy, 1);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  TWindowsGadget::SetText(text);
  // The control clamps the old selection to the new text.
  SendMessageW(Hwnd(), EM_SETSEL, start, static_cast<LPARAM>(end));
  return 0;
}

std::u16string TWindowsTextField::GetText() {
  const LRESULT length = SendMessageW(Hwnd(), WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const LRESULT copied =
      SendMessageW(Hwnd(), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()),
                        static_cast<size_t>(copied > 0 ? copied : 0));
}

int32_t TWindowsTextField::Activate(int32_t action) {
  if (action == ACTION_FOCUS) SendMessageW(Hwnd(), EM_SETSEL, 0, -1);
  return TWindowsGadget::Activate(action);
}

LRESULT TWindowsTextField::OnCommand(UINT, WPARAM wParam) {
  if (_busy) return 0;
  switch (HIWORD(wParam)) {
    case EN_UPDATE:
      // Once per change by the user, before the field repaints.
      PostGuiEvent(GadgetAction, 0, 0, 0, 0, nullptr);
      break;
    case EN_KILLFOCUS:
      // The next focus by mouse must not find old text selected.
      SendMessageW(Hwnd(), EM_SETSEL, 0, 0);
      break;
    default:
      break;
  }
  return 0;
}

int32_t TWindowsTextField::FilterKey(int32_t id, WPARAM code) {
  if (!HasFilter()) return 1;
  // Only handed to the filter, never emitted.
  EventRef event =
      MakeEvent(id, Self(), static_cast<int32_t>(code), CurrentModifiers(), 0, 0, nullptr);
  return CallFilter(event) == 0 ? 0 : 1;
}

LRESULT TWindowsTextField::WndProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
      return FilterKey(KeyDown, wParam) ? 0 : 1;
    case WM_CHAR:
      return FilterKey(KeyChar, wParam) ? 0 : 1;
    case WM_KILLFOCUS:
      PostGuiEvent(GadgetLostFocus, 0, 0, 0, 0, nullptr);
      return 0;
    default:
      return 0;
  }
}

}  // namespace quardeln
