// The text area gadget on the system's rich edit control ("RichEdit20W"). Lengths,
// selection, colours and line arithmetic go through window messages; inserting, reading
// and styling ranges and freezing the display go through the control's text object
// model (ITextDocument), fetched once at creation and released with the gadget.
// Changes the program makes (busy, desensitized) and anything done under LockText post
// no change or selection events.
#pragma once

#include "gui/win32/windows_gadget.h"
//
#include <richedit.h>
#include <richole.h>
#include <tom.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gui/text_area_span.h"

namespace quardeln {

// Units of the range arguments: characters, or lines for TEXTAREA_LINES.
inline constexpr int32_t TEXTAREA_CHARS = 1;
inline constexpr int32_t TEXTAREA_LINES = 2;

// The default text limit and event mask of a new area.
inline constexpr LPARAM kTextAreaLimit = 0x400000;
inline constexpr LPARAM kTextAreaEventMask =
    ENM_CHANGE | ENM_SCROLL | ENM_KEYEVENTS | ENM_MOUSEEVENTS | ENM_SELCHANGE;

class TWindowsTextArea final : public TWindowsGadget {
 public:
  TWindowsTextArea() = default;

  int32_t LockDepth() const { return _locked; }  // LockText calls not yet undone
  ~TWindowsTextArea() override;

  int32_t Activate(int32_t action) override;
  int32_t SetText(const std::u16string& text) override;
  std::u16string GetText() override;
  int32_t SetColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetTextColor(int32_t r, int32_t g, int32_t b) override;
  int32_t ReplaceText(int32_t pos, int32_t length, const std::u16string& text,
                      int32_t units) override;
  int32_t AddText(const std::u16string& text) override;
  std::u16string AreaText(int32_t pos, int32_t length, int32_t units) override;
  int32_t AreaLen(int32_t units) override;
  int32_t LockText() override;
  int32_t UnlockText() override;
  int32_t SetTabs(int32_t tabs) override;
  int32_t GetCursorPos(int32_t units) override;
  int32_t GetSelectionLength(int32_t units) override;
  int32_t SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos, int32_t length,
                   int32_t units) override;
  int32_t SetSelection(int32_t pos, int32_t length, int32_t units) override;
  int32_t CharAt(int32_t line) override;
  int32_t LineAt(int32_t index) override;
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;
  int32_t Free() override;

  // A new area on a native control inside `group` (style: TEXTAREA_WORDWRAP,
  // TEXTAREA_READONLY), registered with the driver.
  static std::shared_ptr<TWindowsTextArea> Create(const GadgetRef& group, int32_t areaStyle);
  // Pastes the clipboard's text, a trailing lone line feed made a carriage return first.
  int32_t DoPaste();
  // The system's print dialog, then the selection or the whole text; 1 when printed.
  int32_t DoPrint();
  int32_t CharCount();
  // Replaces `length` characters from `pos` with `text`; never posts an event.
  int32_t InsertText(const std::u16string& text, int32_t pos, int32_t length);

  CHARRANGE cr1{};  // scratch selection ranges
  CHARRANGE cr2{};
  CHARFORMATW cf{};  // the format SetTextColor applies
  TComRef<IRichEditOle> ole;
  TComRef<ITextDocument> idoc;
  int32_t busy = 0;      // 1 while the program itself changes the text
  int32_t readonly = 0;  // created with TEXTAREA_READONLY
  IID IID_ITextDocument{};

 private:
  POINT _scroll{};  // the view's scroll position while an insert has parked the selection

  // The characters (pos, length, units) cover.
  TCharSpan ToCharSpan(int32_t pos, int32_t length, int32_t units);
  // Replaces the characters of `span` with `text`; never posts an event.
  int32_t ReplaceSpan(const std::u16string& text, TCharSpan span);
  // The text object model range [start, end), or null when there is none.
  TComRef<ITextRange> RangeOf(int32_t start, int32_t end);
  void Build(const GadgetRef& group, int32_t areaStyle);
  void LayOut();
  void ParkSelection(int32_t pos);
  void RestoreSelection(int32_t pos, int32_t replaced, int32_t added);
  void ReleaseInterfaces();
  // Whether the message filter swallows a key or character (EN_MSGFILTER).
  bool SwallowsKey(WPARAM key);
  bool SwallowsChar(WPARAM code);
  LRESULT OnMessageFilter(MSGFILTER& filter);
  void RefreshScrolledView();

  int32_t _locked = 0;  // depth of LockText not yet undone
};

}  // namespace quardeln
