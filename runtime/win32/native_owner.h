// Owners of native handles. Every GDI and USER object and COM interface our Windows code makes
// is held by one of these small types, which releases it exactly once when the owner
// goes, whichever path ends the gadget holding it (its Free, its native window destroyed
// with a parent, or its last reference dropped). Owners move but never copy; release()
// hands a handle over to whoever takes it (a window that destroys its menu, say).
// A live count per kind of object, always on, lets tests see what is left.
// Handles the system owns (stock objects, shared icons) never go into an owner.
// What is only borrowed for a while (a window's or a paint DC, an object selected into
// a DC) is scoped the same way, by the guards at the end: given back when they go.
#pragma once

#include "runtime/win32/windows_api.h"
//
#include <commctrl.h>
#include <oleauto.h>
#include <unknwn.h>

#include <cstdint>
#include <string_view>
#include <utility>

namespace quardeln {

enum class NativeKind : int {
  kBrush,
  kPen,
  kBitmap,
  kFont,
  kIcon,
  kImageList,
  kMenu,
  kDeviceContext,
  kComInterface,
  kKernelObject,
  kString,  // BSTR
  kCount
};

// How many objects of a kind the driver's owners hold now.
int64_t LiveNativeCount(NativeKind kind);

namespace native_detail {
// GUI-thread only, like everything that makes native objects, so a plain counter does.
extern int64_t live[static_cast<int>(NativeKind::kCount)];
inline void Adopted(NativeKind kind) {
  ++live[static_cast<int>(kind)];
}
inline void Released(NativeKind kind) {
  --live[static_cast<int>(kind)];
}
}  // namespace native_detail

// Owns one handle of type H, closed with Close; counted as Kind.
template <typename H, void (*Close)(H), NativeKind Kind>
class TUniqueNative {
 public:
  TUniqueNative() = default;
  explicit TUniqueNative(H handle) noexcept : handle_(handle) {
    if (handle_) native_detail::Adopted(Kind);
  }
  ~TUniqueNative() { reset(); }
  TUniqueNative(const TUniqueNative&) = delete;
  TUniqueNative& operator=(const TUniqueNative&) = delete;
  TUniqueNative(TUniqueNative&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  TUniqueNative& operator=(TUniqueNative&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, H{});
    }
    return *this;
  }

  H get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != H{}; }

  // Closes the handle held (if any) and takes `handle` instead.
  void reset(H handle = H{}) noexcept {
    if (handle == handle_) return;
    H old = std::exchange(handle_, handle);
    if (handle_) native_detail::Adopted(Kind);
    if (old) {
      Close(old);
      native_detail::Released(Kind);
    }
  }
  // Hands the handle over without closing it; the owner is empty afterwards.
  [[nodiscard]] H release() noexcept {
    if (handle_) native_detail::Released(Kind);
    return std::exchange(handle_, H{});
  }

 private:
  H handle_{};
};

namespace native_detail {
inline void CloseBrush(HBRUSH brush) {
  DeleteObject(brush);
}
inline void ClosePen(HPEN pen) {
  DeleteObject(pen);
}
inline void CloseBitmap(HBITMAP bitmap) {
  DeleteObject(bitmap);
}
inline void CloseFont(HFONT font) {
  DeleteObject(font);
}
inline void CloseIcon(HICON icon) {
  DestroyIcon(icon);
}
inline void CloseImageList(HIMAGELIST list) {
  ImageList_Destroy(list);
}
inline void CloseMenu(HMENU menu) {
  DestroyMenu(menu);
}
inline void CloseDc(HDC dc) {
  DeleteDC(dc);
}
inline void CloseKernelObject(HANDLE object) {
  CloseHandle(object);
}
inline void CloseBstr(BSTR text) {
  SysFreeString(text);
}
}  // namespace native_detail

using UniqueBrush = TUniqueNative<HBRUSH, native_detail::CloseBrush, NativeKind::kBrush>;
using UniquePen = TUniqueNative<HPEN, native_detail::ClosePen, NativeKind::kPen>;
using UniqueBitmap = TUniqueNative<HBITMAP, native_detail::CloseBitmap, NativeKind::kBitmap>;
using UniqueFont = TUniqueNative<HFONT, native_detail::CloseFont, NativeKind::kFont>;
using UniqueIcon = TUniqueNative<HICON, native_detail::CloseIcon, NativeKind::kIcon>;
using UniqueImageList =
    TUniqueNative<HIMAGELIST, native_detail::CloseImageList, NativeKind::kImageList>;
using UniqueMenu = TUniqueNative<HMENU, native_detail::CloseMenu, NativeKind::kMenu>;
// A device context the program made (CreateCompatibleDC, a printer's from PrintDlg),
// deleted with DeleteDC; never one taken with GetDC, which is released instead.
using UniqueDc = TUniqueNative<HDC, native_detail::CloseDc, NativeKind::kDeviceContext>;
// A kernel object (a waitable timer, say); never a pseudo-handle, which needs no closing.
using UniqueKernelObject =
    TUniqueNative<HANDLE, native_detail::CloseKernelObject, NativeKind::kKernelObject>;
// A text for a COM call, SysFreeString'd.
using UniqueBstr = TUniqueNative<BSTR, native_detail::CloseBstr, NativeKind::kString>;
inline UniqueBstr BstrOf(std::u16string_view text) {
  return UniqueBstr(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                      static_cast<UINT>(text.size())));
}

// An image a gadget shows that may be a bitmap (button images) or an icon (window icons);
// released the way its kind needs.
class TUniqueImage {
 public:
  TUniqueImage() = default;
  HANDLE get() const noexcept {
    return bitmap_ ? static_cast<HANDLE>(bitmap_.get()) : static_cast<HANDLE>(icon_.get());
  }
  explicit operator bool() const noexcept { return bitmap_ || icon_; }
  HBITMAP bitmap() const noexcept { return bitmap_.get(); }
  HICON icon() const noexcept { return icon_.get(); }
  void reset() noexcept {
    bitmap_.reset();
    icon_.reset();
  }
  void reset(HBITMAP bitmap) noexcept {
    icon_.reset();
    bitmap_.reset(bitmap);
  }
  void reset(HICON icon) noexcept {
    bitmap_.reset();
    icon_.reset(icon);
  }

 private:
  UniqueBitmap bitmap_;
  UniqueIcon icon_;
};

// A reference to a COM interface: one AddRef taken or adopted, one Release when it goes.
template <typename I>
class TComRef {
 public:
  TComRef() = default;
  ~TComRef() { reset(); }
  TComRef(const TComRef& other) noexcept : pointer_(other.get()) {
    if (pointer_) {
      pointer_->AddRef();
      native_detail::Adopted(NativeKind::kComInterface);
    }
  }
  TComRef& operator=(const TComRef& other) noexcept {
    TComRef copy(other);
    swap(copy);
    return *this;
  }
  TComRef(TComRef&& other) noexcept { swap(other); }
  TComRef& operator=(TComRef&& other) noexcept {
    TComRef moved(std::move(other));
    swap(moved);
    return *this;
  }

  // The out-parameter of a COM call that hands out a reference:
  // factory->CreateStream(stream.Put()). The reference held before goes first; whatever
  // the call writes is this owner's, counted when it is first looked at.
  I** Put() noexcept {
    reset();
    written_ = true;
    return &pointer_;
  }

  // Takes over a reference the caller already holds (a new object's first one).
  static TComRef Adopt(I* pointer) noexcept {
    TComRef ref;
    ref.pointer_ = pointer;
    if (pointer) native_detail::Adopted(NativeKind::kComInterface);
    return ref;
  }

  I* get() const noexcept {
    Settle();
    return pointer_;
  }
  I* operator->() const noexcept { return get(); }
  explicit operator bool() const noexcept { return get() != nullptr; }

  void reset() noexcept {
    Settle();
    if (I* old = std::exchange(pointer_, nullptr)) {
      native_detail::Released(NativeKind::kComInterface);
      old->Release();
    }
  }
  // Another interface of the same object, or empty.
  template <typename J>
  TComRef<J> As(REFIID iid) const noexcept {
    TComRef<J> other;
    if (get() && FAILED(get()->QueryInterface(iid, reinterpret_cast<void**>(other.Put())))) {
      other.reset();
    }
    return other;
  }

  void swap(TComRef& other) noexcept {
    Settle();
    other.Settle();
    std::swap(pointer_, other.pointer_);
  }

 private:
  // Counts the reference a call wrote through Put.
  void Settle() const noexcept {
    if (!written_) return;
    written_ = false;
    if (pointer_) native_detail::Adopted(NativeKind::kComInterface);
  }

  I* pointer_ = nullptr;
  mutable bool written_ = false;  // Put handed out pointer_'s address; not yet counted
};

// A window's device context (the screen's for a null window), borrowed with GetDC and
// given back with ReleaseDC. Never deleted: that is for DCs the program made (UniqueDc).
class TWindowDc {
 public:
  explicit TWindowDc(HWND hwnd = nullptr) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~TWindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  TWindowDc(const TWindowDc&) = delete;
  TWindowDc& operator=(const TWindowDc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// The device context of one WM_PAINT, from BeginPaint to EndPaint.
class TPaintDc {
 public:
  explicit TPaintDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~TPaintDc() { EndPaint(hwnd_, &paint_); }
  TPaintDc(const TPaintDc&) = delete;
  TPaintDc& operator=(const TPaintDc&) = delete;

  HDC get() const noexcept { return dc_; }
  const RECT& Dirty() const noexcept { return paint_.rcPaint; }  // what needs painting
  bool Erase() const noexcept { return paint_.fErase != FALSE; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context for a scope; the one it replaced goes back
// in. A DC must not be deleted while it holds a bitmap or font of ours, so the guard
// is made after the DC's owner and goes before it.
class TSelectedObject {
 public:
  TSelectedObject(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A memory device context compatible with `like`, with `bitmap` selected into it while it
// lives: drawing off screen into a bitmap that outlives the DC.
class TMemoryDc {
 public:
  TMemoryDc(HDC like, HBITMAP bitmap) noexcept
      : dc_(CreateCompatibleDC(like)), selected_(dc_.get(), bitmap) {}

  HDC get() const noexcept { return dc_.get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(dc_); }

 private:
  UniqueDc dc_;
  TSelectedObject selected_;  // after dc_, so the bitmap leaves before the DC is deleted
};

}  // namespace quardeln
