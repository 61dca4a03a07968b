// The text area's creation and its text operations. Reading and writing the text goes
// through text object model ranges; positions, lines and the selection through messages.
#include "gui/win32/windows_text_area.h"

#include <algorithm>

#include "runtime/temporary_change.h"

#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_font.h"

namespace quardeln {

namespace {

constexpr DWORD kWrapStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | ES_MULTILINE |
                             ES_NOOLEDRAGDROP | ES_NOHIDESEL;
constexpr DWORD kNoWrapStyle = kWrapStyle | WS_HSCROLL | ES_AUTOHSCROLL;
static_assert(kWrapStyle == 0x5420010C && kNoWrapStyle == 0x5430018C);
static_assert(kTextAreaEventMask == 0xB0005);
static_assert(sizeof(CHARFORMATW) == 92);

constexpr const wchar_t* kTextDocumentIid = L"{8CC497C0-A1DF-11ce-8098-00AA0047BE5D}";

}  // namespace

TWindowsTextArea::~TWindowsTextArea() {
  ReleaseInterfaces();
}

std::shared_ptr<TWindowsTextArea> TWindowsTextArea::Create(const GadgetRef& group,
                                                           int32_t areaStyle) {
  auto area = std::make_shared<TWindowsTextArea>();  // shared before Register enters it
  area->Build(group, areaStyle);
  return area;
}

void TWindowsTextArea::Build(const GadgetRef& group, int32_t areaStyle) {
  if (areaStyle & TEXTAREA_READONLY) readonly = 1;
  HWND host = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  DWORD native_style = (areaStyle & TEXTAREA_WORDWRAP) ? kWrapStyle : kNoWrapStyle;
  EnsureOleStarted();
  EnsureRichEditLoaded();
  HWND hwnd = CreateChildWindow(u"RichEdit20W", WS_EX_CLIENTEDGE, native_style, host);
  SendMessageW(hwnd, EM_LIMITTEXT, kTextAreaLimit, 0);
  SendMessageW(hwnd, EM_SETEVENTMASK, 0, kTextAreaEventMask);
  SendMessageW(hwnd, EM_SETUNDOLIMIT, 0, 0);  // no undo history is kept
  GiveDefaultFont(hwnd);
  SendMessageW(hwnd, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(ole.Put()));
  if (ole && SUCCEEDED(IIDFromString(kTextDocumentIid, &IID_ITextDocument))) {
    idoc = ole.As<ITextDocument>(IID_ITextDocument);
  }
  Register(GADGETCLASS_TEXTAREA, hwnd, nullptr, 0);
}

void TWindowsTextArea::ReleaseInterfaces() {
  idoc.reset();
  ole.reset();
}

int32_t TWindowsTextArea::Free() {
  // The document belongs to the control: let go of it before the window goes.
  ReleaseInterfaces();
  return TWindowsGadget::Free();
}

int32_t TWindowsTextArea::CharCount() {
  GETTEXTLENGTHEX query{GTL_DEFAULT, 1200};  // 1200: UTF-16
  return static_cast<int32_t>(
      SendMessageW(Hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

TComRef<ITextRange> TWindowsTextArea::RangeOf(int32_t start, int32_t end) {
  TComRef<ITextRange> range;
  if (idoc && FAILED(idoc->Range(start, end, range.Put()))) range.reset();
  return range;
}

int32_t TWindowsTextArea::InsertText(const std::u16string& text, int32_t pos, int32_t length) {
  return ReplaceSpan(text, {pos, SaturatingAdd(pos, length)});
}

int32_t TWindowsTextArea::ReplaceSpan(const std::u16string& text, TCharSpan span) {
  const TTemporaryChange quiet(busy, 1);
  TComRef<ITextRange> range = RangeOf(span.start, span.end);
  if (!range) return 0;
  LONG start = span.start;
  LONG end = span.end;
  range->GetStart(&start);  // the range as the document clamped it
  range->GetEnd(&end);
  const UniqueBstr native = BstrOf(text);
  TQuietChange still(*this);
  const int32_t before = CharCount();
  ParkSelection(start);
  range->SetText(native.get());
  LayOut();
  const int32_t replaced = end - start;
  RestoreSelection(start, replaced, replaced + CharCount() - before);
  return 0;
}

// Some rich edit controls (Wine's) insert range text at the caret and first delete
// whatever lies between the range and the selection's far end. With the caret parked at
// the range the insert stays inside it; the selection and the view come back after.
void TWindowsTextArea::ParkSelection(int32_t pos) {
  SendMessageW(Hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr2));
  SendMessageW(Hwnd(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&_scroll));
  CHARRANGE caret{pos, pos};
  SendMessageW(Hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

// Puts back the selection parked by ParkSelection, moved as `replaced` characters from
// `pos` became `added`: ends inside the replaced text go to the end of the new text.
void TWindowsTextArea::RestoreSelection(int32_t pos, int32_t replaced, int32_t added) {
  auto moved = [&](LONG at) -> LONG {
    if (at <= pos) return at;
    if (at >= pos + replaced) return at + added - replaced;
    return pos + added;
  };
  CHARRANGE kept{moved(cr2.cpMin), moved(cr2.cpMax)};
  SendMessageW(Hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  SendMessageW(Hwnd(), EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&_scroll));
}

// Some rich edit controls (Wine's) leave text changed through the object model without
// a layout until the next repaint, and line or selection messages then read stale rows.
// A default format change with nothing in it lays out what is pending and changes
// nothing else; where the layout is current it costs nothing.
void TWindowsTextArea::LayOut() {
  CHARFORMATW nothing{};
  nothing.cbSize = sizeof(nothing);
  SendMessageW(Hwnd(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&nothing));
}

int32_t TWindowsTextArea::AddText(const std::u16string& text) {
  InsertText(text, CharCount(), 0);
  // Moving the caret is the program's doing too: no selection event for it.
  TQuietChange still(*this);
  cr1.cpMin = cr1.cpMax = CharCount();
  SendMessageW(Hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr1));
  return 0;
}

int32_t TWindowsTextArea::SetText(const std::u16string& text) {
  return InsertText(text, 0, CharCount());
}

std::u16string TWindowsTextArea::GetText() {
  return AreaText(0, CharCount(), TEXTAREA_CHARS);
}

TCharSpan TWindowsTextArea::ToCharSpan(int32_t pos, int32_t length, int32_t units) {
  return TextAreaSpan(pos, length, units == TEXTAREA_LINES, CharCount(),
                      [this](int32_t line) { return CharAt(line); });
}

int32_t TWindowsTextArea::ReplaceText(int32_t pos, int32_t length, const std::u16string& text,
                                      int32_t units) {
  return ReplaceSpan(text, ToCharSpan(pos, length, units));
}

std::u16string TWindowsTextArea::AreaText(int32_t pos, int32_t length, int32_t units) {
  const TCharSpan span = ToCharSpan(pos, length, units);
  TComRef<ITextRange> range = RangeOf(span.start, span.end);
  if (!range) return {};
  BSTR written = nullptr;
  const HRESULT got = range->GetText(&written);
  const UniqueBstr native(written);
  std::u16string text;
  if (SUCCEEDED(got) && native) {
    text.assign(reinterpret_cast<const char16_t*>(native.get()), SysStringLen(native.get()));
  }
  std::replace(text.begin(), text.end(), u'\r', u'\n');
  return text;
}

int32_t TWindowsTextArea::AreaLen(int32_t units) {
  return units == TEXTAREA_LINES ? LineAt(CharCount()) : CharCount();
}

int32_t TWindowsTextArea::CharAt(int32_t line) {
  if (line < 0) return 0;
  if (line > AreaLen(TEXTAREA_LINES)) return CharCount();
  return static_cast<int32_t>(SendMessageW(Hwnd(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
}

int32_t TWindowsTextArea::LineAt(int32_t index) {
  if (index < 0) return 0;
  if (index > CharCount()) return AreaLen(TEXTAREA_LINES);
  return static_cast<int32_t>(SendMessageW(Hwnd(), EM_EXLINEFROMCHAR, 0, index));
}

int32_t TWindowsTextArea::GetCursorPos(int32_t units) {
  SendMessageW(Hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr1));
  return units == TEXTAREA_LINES ? LineAt(cr1.cpMin) : cr1.cpMin;
}

int32_t TWindowsTextArea::GetSelectionLength(int32_t units) {
  SendMessageW(Hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr1));
  if (units != TEXTAREA_LINES) return cr1.cpMax - cr1.cpMin;
  // An empty selection touches no line (counting from the caret would give 0 or 1
  // depending on where in its line the caret stands).
  if (cr1.cpMax <= cr1.cpMin) return 0;
  return LineAt(cr1.cpMax - 1) - LineAt(cr1.cpMin) + 1;
}

int32_t TWindowsTextArea::SetSelection(int32_t pos, int32_t length, int32_t units) {
  const TCharSpan span = ToCharSpan(pos, length, units);
  TQuietChange still(*this);
  cr1.cpMin = span.start;
  cr1.cpMax = span.end;
  SendMessageW(Hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr1));
  return 0;
}

int32_t TWindowsTextArea::SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos,
                                   int32_t length, int32_t units) {
  const TCharSpan span = ToCharSpan(pos, length, units);
  const TTemporaryChange quiet(busy, 1);
  TComRef<ITextRange> range = RangeOf(span.start, span.end);
  if (!range) return 0;
  TComRef<ITextFont> font;
  if (SUCCEEDED(range->GetFont(font.Put())) && font) {
    auto truth = [flags](int32_t bit) { return (flags & bit) ? tomTrue : tomFalse; };
    font->SetForeColor(r + g * 256 + b * 65536);
    font->SetBold(truth(1));
    font->SetItalic(truth(2));
    font->SetStrikeThrough(truth(8));
    // Some controls (Wine's) take underlining as true or false only.
    if (FAILED(font->SetUnderline((flags & 4) ? tomSingle : tomNone))) {
      font->SetUnderline(truth(4));
    }
    LayOut();
  }
  return 0;
}

int32_t TWindowsTextArea::SetColor(int32_t r, int32_t g, int32_t b) {
  SendMessageW(Hwnd(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColourOf(r, g, b)));
  return 0;
}

int32_t TWindowsTextArea::SetTextColor(int32_t r, int32_t g, int32_t b) {
  cf = CHARFORMATW{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC;
  cf.dwEffects = 0;
  cf.crTextColor = ColourOf(r, g, b);
  TQuietChange still(*this);
  SendMessageW(Hwnd(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageW(Hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  return 0;
}

// The width counts screen pixels; the document's tab stop is in points.
int32_t TWindowsTextArea::SetTabs(int32_t tabs) {
  if (!idoc) return 0;
  const int32_t dpi = ScreenDpiY();  // the screen's pixels are square
  if (dpi <= 0) return 0;
  idoc->SetDefaultTabStop(static_cast<float>(tabs) * 72.0f / static_cast<float>(dpi));
  return 0;
}

int32_t TWindowsTextArea::LockText() {
  if (_locked == 0 && idoc) {
    LONG count = 0;
    idoc->Freeze(&count);
  }
  ++_locked;
  return 0;
}

int32_t TWindowsTextArea::UnlockText() {
  if (_locked <= 0) return 0;  // an unlock without a lock changes nothing
  if (--_locked == 0 && idoc) {
    LONG count = 0;
    idoc->Unfreeze(&count);
  }
  return 0;
}

}  // namespace quardeln
