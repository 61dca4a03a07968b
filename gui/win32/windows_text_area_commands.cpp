// The text area's commands: cut, copy, paste (with the clipboard's trailing line end
// fixed first) and printing through the system's print dialog.
#include "gui/win32/windows_text_area.h"

#include <algorithm>
#include <cstring>

#include "runtime/error.h"

namespace quardeln {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPrintMargin = 720;  // twips left and top; twice that right and bottom

// Replaces the clipboard's text of `format` with a plain copy whose trailing lone line
// feed is a carriage return, so the pasted text does not end in a bare line feed. A
// trailing CR LF pair is one line end already and stays as it is. False when the
// clipboard holds no text of that format.
template <typename Char>
bool FixClipboardLineEnd(UINT format) {
  if (!IsClipboardFormatAvailable(format)) return false;
  HANDLE data = GetClipboardData(format);
  const auto* text = data ? static_cast<const Char*>(GlobalLock(data)) : nullptr;
  if (!text) return true;
  size_t capacity = GlobalSize(data) / sizeof(Char);
  size_t length = 0;
  while (length < capacity && text[length] != 0) ++length;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, (length + 1) * sizeof(Char));
  if (auto* out = copy ? static_cast<Char*>(GlobalLock(copy)) : nullptr) {
    std::memcpy(out, text, length * sizeof(Char));
    out[length] = 0;
    bool crlf = length >= 2 && out[length - 2] == Char('\r');
    if (length >= 1 && out[length - 1] == Char('\n') && !crlf) out[length - 1] = Char('\r');
    GlobalUnlock(copy);
  }
  GlobalUnlock(data);
  if (copy) {
    EmptyClipboard();
    if (!SetClipboardData(format, copy)) GlobalFree(copy);
  }
  return true;
}

// The printable page of `dc` in twips.
RECT PageTwips(HDC dc) {
  int dpi_x = std::max(1, GetDeviceCaps(dc, LOGPIXELSX));
  int dpi_y = std::max(1, GetDeviceCaps(dc, LOGPIXELSY));
  return RECT{0, 0, MulDiv(GetDeviceCaps(dc, PHYSICALWIDTH), kTwipsPerInch, dpi_x),
              MulDiv(GetDeviceCaps(dc, PHYSICALHEIGHT), kTwipsPerInch, dpi_y)};
}

}  // namespace

int32_t TWindowsTextArea::Activate(int32_t action) {
  switch (action) {
    case ACTION_CUT:
      SendMessageW(Hwnd(), WM_CUT, 0, 0);
      return 0;
    case ACTION_COPY:
      SendMessageW(Hwnd(), WM_COPY, 0, 0);
      SetFocus(Hwnd());
      return 0;
    case ACTION_PASTE:
      return DoPaste();
    case ACTION_PRINT:
      return DoPrint();
    default:
      return TWindowsGadget::Activate(action);
  }
}

int32_t TWindowsTextArea::DoPaste() {
  if (OpenClipboard(Hwnd())) {
    if (!FixClipboardLineEnd<wchar_t>(CF_UNICODETEXT)) FixClipboardLineEnd<char>(CF_OEMTEXT);
    CloseClipboard();
  }
  SendMessageW(Hwnd(), WM_PASTE, 0, 0);
  SetFocus(Hwnd());
  return 0;
}

int32_t TWindowsTextArea::DoPrint() {
  SendMessageW(Hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr2));
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Hwnd();
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE;
  if (cr2.cpMin == cr2.cpMax) dialog.Flags |= PD_NOSELECTION;
  if (!PrintDlgW(&dialog)) return 0;

  const UniqueDc printer(dialog.hDC);
  HDC dc = printer.get();
  CHARRANGE range = (dialog.Flags & PD_SELECTION) ? cr2 : CHARRANGE{0, -1};
  int32_t end = range.cpMax < 0 ? CharCount() : range.cpMax;
  std::u16string title = ApplicationTitle();
  DOCINFOW doc{};
  doc.cbSize = sizeof(doc);
  doc.lpszDocName = reinterpret_cast<const wchar_t*>(title.c_str());

  HCURSOR old_cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  FORMATRANGE format{};
  format.hdc = format.hdcTarget = dc;
  format.rcPage = PageTwips(dc);
  format.chrg = range;
  bool ok = dc && StartDocW(dc, &doc) > 0;
  bool started = ok;
  while (ok && format.chrg.cpMin < end) {
    // Each page call narrows rc to what it used; every page starts from the full area.
    format.rc = RECT{kPrintMargin, kPrintMargin, format.rcPage.right - 2 * kPrintMargin,
                     format.rcPage.bottom - 2 * kPrintMargin};
    ok = StartPage(dc) > 0;
    if (!ok) break;
    auto next = static_cast<LONG>(
        SendMessageW(Hwnd(), EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&format)));
    ok = EndPage(dc) > 0 && next > format.chrg.cpMin;  // no progress would print forever
    format.chrg.cpMin = next;
  }
  if (started) ok ? EndDoc(dc) : AbortDoc(dc);
  SendMessageW(Hwnd(), EM_FORMATRANGE, FALSE, 0);
  SetCursor(old_cursor);
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  return ok ? 1 : 0;
}

}  // namespace quardeln
