#include "gui/win32/windows_button.h"

#include "events/event.h"
#include "gui/win32/control_util.h"
#include "gui/win32/windows_driver.h"
#include "gui/win32/windows_graphic.h"

namespace quardeln {
namespace {

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE;
static_assert(kButtonStyle == 0x54012000);

// The image list copies the bitmaps; ours go when the call returns.
void AddToImageList(HIMAGELIST list, UniqueBitmap image, UniqueBitmap mask) {
  ImageList_Add(list, image.get(), mask.get());
}

}  // namespace

TWindowsButton::TWindowsButton() {
  _buttonImageList.himl = BCCL_NOGLYPH;
}

std::shared_ptr<TWindowsButton> TWindowsButton::Create(const GadgetRef& group, int32_t given) {
  auto button = std::make_shared<TWindowsButton>();
  button->Build(group, given);
  return button;
}

void TWindowsButton::Build(const GadgetRef& group, int32_t given) {
  const int32_t kind = given & BUTTON_KIND_MASK;
  DWORD native = kButtonStyle;
  intptr_t control_id = 0;
  switch (kind) {
    case BUTTON_CHECKBOX:
      native |= BS_3STATE;
      break;
    case BUTTON_RADIO:
      native |= BS_AUTORADIOBUTTON;
      break;
    // The ids the dialog manager sends for Enter and Escape.
    case BUTTON_OK:
      control_id = IDOK;
      break;
    case BUTTON_CANCEL:
      control_id = IDCANCEL;
      break;
    default:
      break;  // push buttons
  }
  // BS_DEFPUSHBUTTON on push buttons; check boxes and radio buttons already have the bit.
  if (given & BUTTON_DEFAULT) native |= BS_DEFPUSHBUTTON;
  _style = (kind == 0 || kind == BUTTON_PUSH) ? BUTTON_PUSH : given;
  HWND container = group ? reinterpret_cast<HWND>(group->Query(QUERY_NATIVE_CLIENT)) : nullptr;
  HWND hwnd = CreateChildWindow(u"BUTTON", 0, native, container, control_id);
  GiveDefaultFont(hwnd);
  Register(GADGETCLASS_BUTTON, hwnd, nullptr, 0);
}

int32_t TWindowsButton::State() {
  int32_t state = TWindowsGadget::State();
  switch (SendMessageW(Hwnd(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      state |= GADGETSTATE_CHECKED;
      break;
    case BST_INDETERMINATE:
      state |= GADGETSTATE_CHECKED | GADGETSTATE_MIXED;
      break;
    default:
      break;
  }
  return state;
}

int32_t TWindowsButton::CheckData() {
  switch (SendMessageW(Hwnd(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return 1;
    case BST_INDETERMINATE:
      return -1;
    default:
      return 0;
  }
}

int32_t TWindowsButton::SetSelected(int32_t flag) {
  WPARAM check = BST_CHECKED;
  if (flag == 0) {
    check = BST_UNCHECKED;
  } else if (flag == -1 && Kind() == BUTTON_CHECKBOX) {
    check = BST_INDETERMINATE;
  }
  SendMessageW(Hwnd(), BM_SETCHECK, check, 0);
  return 0;
}

void TWindowsButton::ShowCaption(const std::u16string& text) {
  TWindowsGadget::SetText(text);
}

int32_t TWindowsButton::SetText(const std::u16string& text) {
  _strButtonText = text;
  // Only an image shown without text (BS_BITMAP) keeps the caption off the control; an
  // image beside the text must not freeze the caption shown.
  if (!(GetWindowLongW(Hwnd(), GWL_STYLE) & BS_BITMAP)) ShowCaption(text);
  return 0;
}

std::u16string TWindowsButton::GetText() {
  return _strButtonText;
}

UniqueImageList TWindowsButton::BuildImageList(const PixmapRef& pixmap) {
  const int32_t w = pixmap->Width();
  const int32_t h = pixmap->Height();
  const int32_t format = pixmap->Format();
  UniqueImageList list;
  if (TWindowsGUIDriver::CheckCommonControlVersion() >= 1 &&
      (format == PF_RGBA8888 || format == PF_BGRA8888)) {
    list.reset(ImageList_Create(w, h, ILC_COLOR32, 0, 1));
    if (list) {
      AddToImageList(list.get(), UniqueBitmap(TWindowsGraphic::BitmapFromPixmap32(pixmap)), {});
    }
  }
  if (!list) {
    list.reset(ImageList_Create(w, h, ILC_COLOR24 | ILC_MASK, 0, 1));
    if (list) {
      AddToImageList(list.get(), UniqueBitmap(TWindowsGraphic::BitmapFromPixmap24(pixmap)),
                     UniqueBitmap(TWindowsGraphic::BitmapMaskFromPixmap(pixmap)));
    }
  }
  return list;
}

void TWindowsButton::DropImageList() {
  _buttonImageList.himl = BCCL_NOGLYPH;
  _imageList.reset();
}

void TWindowsButton::ReleaseNativeResources() {
  DropImageList();
  TWindowsGadget::ReleaseNativeResources();
}

void TWindowsButton::DropFallbackBitmap() {
  ShownImage().reset();
}

int32_t TWindowsButton::SetPixmap(const PixmapRef& pixmap, int32_t flags) {
  if (!(flags & GADGETPIXMAP_ICON) || (_style != BUTTON_PUSH && _style != BUTTON_CANCEL)) return 0;
  DropImageList();
  if (pixmap) {
    _imageList = BuildImageList(TWindowsGraphic::ForDpi(pixmap, DpiOfWindow(Hwnd())));
    if (_imageList) _buttonImageList.himl = _imageList.get();
  }
  const bool no_text = (flags & GADGETPIXMAP_NOTEXT) != 0;
  _buttonImageList.uAlign = no_text ? BUTTON_IMAGELIST_ALIGN_CENTER : BUTTON_IMAGELIST_ALIGN_LEFT;
  if (!SendMessageW(Hwnd(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&_buttonImageList))) {
    // Common controls before version 6 know no image lists: show a plain bitmap instead.
    DropImageList();
    DropFallbackBitmap();
    if (pixmap) ShownImage().reset(TWindowsGraphic::BitmapFromPixmap32(pixmap));
    SendMessageW(Hwnd(), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(ShownImage().bitmap()));
  }
  LONG native = GetWindowLongW(Hwnd(), GWL_STYLE);
  if (!pixmap || !no_text) {
    native &= ~static_cast<LONG>(BS_BITMAP);
    SetWindowLongW(Hwnd(), GWL_STYLE, native);
    ShowCaption(_strButtonText);
  } else {
    native |= BS_BITMAP;
    SetWindowLongW(Hwnd(), GWL_STYLE, native);
    ShowCaption(u"");
  }
  InvalidateRect(Hwnd(), nullptr, TRUE);
  return 1;
}

LRESULT TWindowsButton::WndProc(HWND, UINT msg, WPARAM, LPARAM) {
  // The control paints its own background; the colour handling gives it the parent's.
  return msg == WM_ERASEBKGND ? 1 : 0;
}

LRESULT TWindowsButton::OnCommand(UINT, WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  if (Kind() == BUTTON_CHECKBOX) {
    // The driver flips a check box itself; a click never leads into the third state.
    const int32_t check = State() & (GADGETSTATE_CHECKED | GADGETSTATE_MIXED);
    SetSelected(check == GADGETSTATE_CHECKED ? 0 : 1);
  }
  PostGuiEvent(GadgetAction, CheckData(), 0, 0, 0, nullptr);
  // Adding the tip again lets it show once more after the click.
  const std::u16string tip = GetTooltip();
  if (!tip.empty()) {
    SetTooltip(u"");
    SetTooltip(tip);
  }
  return 0;
}

}  // namespace quardeln
