// A button gadget on a native "BUTTON": push, OK (control id IDOK), cancel (IDCANCEL),
// check box or radio button, optionally with the default-button look. Check boxes are
// three-state controls that the driver itself flips on each click, never into the third
// state; radio buttons are checked by the system. Each click posts GadgetAction with
// the state after it. The caption is kept in _strButtonText so that it survives an image
// shown without text.
#pragma once

#include "gui/win32/win32_api.h"
//
#include <cstdint>
#include <memory>
#include <string>

#include "gui/win32/windows_gadget.h"

namespace quardeln {

class TWindowsButton final : public TWindowsGadget {
 public:
  TWindowsButton();

  int32_t Style() const { return _style; }  // creation style (a push button keeps exactly 1)
  // The image-list record handed to the control; BCCL_NOGLYPH in himl for none.
  const BUTTON_IMAGELIST& ButtonImageList() const { return _buttonImageList; }

  static std::shared_ptr<TWindowsButton> Create(const GadgetRef& group, int32_t style);
  // A 32-bit image list of the pixmap when the controls and the pixmap allow it, else a
  // 24-bit one with a mask; the caller owns it.
  static UniqueImageList BuildImageList(const PixmapRef& pixmap);

  // Its face stands on the parent's background.
  ColourRule ControlColourRule() override { return ColourRule::kTransparent; }
  int32_t State() override;
  int32_t SetText(const std::u16string& text) override;
  std::u16string GetText() override;
  int32_t SetPixmap(const PixmapRef& pixmap, int32_t flags) override;
  int32_t SetSelected(int32_t flag) override;
  LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnCommand(UINT msg, WPARAM wParam) override;

 private:
  void Build(const GadgetRef& group, int32_t given);
  int32_t Kind() const { return _style & BUTTON_KIND_MASK; }
  void DropImageList();
  void DropFallbackBitmap();
  // The caption shown natively, set without events.
  void ShowCaption(const std::u16string& text);
  // The check state as ButtonGetState reads it: 1 checked, 0 unchecked, -1 third state.
  int32_t CheckData();

  void ReleaseNativeResources() override;

  UniqueImageList _imageList;

  int32_t _style = 0;  // creation style; a push button (kind 0 or 1) keeps exactly 1
  // The image-list record handed to the control; himl BCCL_NOGLYPH (-1) when there is none.
  // The list itself is owned by _imageList, so it goes with the gadget however that ends.
  BUTTON_IMAGELIST _buttonImageList{};
  std::u16string _strButtonText;  // the caption as the program last set it
};

}  // namespace quardeln
