// Owners of native handles. Every GDI and USER object and COM interface our Windows code makes
// is held by one of these small types, which releases it exactly once when the owner
// goes, whichever path ends the gadget holding it (its Free, its native window destroyed
// with a parent, or its last reference dropped). Owners move but never copy; release()
// hands a handle over to whoever takes it (a window that destroys its menu, say).
// A live count per kind of object, always on, lets tests see what is left.
// Handles the system owns (stock objects, shared icons) never go into an owner.
#pragma once

#include "runtime/win32/windows_api.h"
//
#include <commctrl.h>
#include <unknwn.h>

#include <cstdint>
#include <utility>

namespace quardeln {

enum class NativeKind : int {
  kBrush,
  kBitmap,
  kFont,
  kIcon,
  kImageList,
  kMenu,
  kDeviceContext,
  kComInterface,
  kKernelObject,
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
}  // namespace native_detail

using UniqueBrush = TUniqueNative<HBRUSH, native_detail::CloseBrush, NativeKind::kBrush>;
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
  TComRef(const TComRef& other) noexcept : pointer_(other.pointer_) {
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
  TComRef(TComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  TComRef& operator=(TComRef&& other) noexcept {
    TComRef moved(std::move(other));
    swap(moved);
    return *this;
  }

  // Takes over a reference the caller already holds (what CoCreateInstance or
  // QueryInterface wrote into a local pointer).
  static TComRef Adopt(I* pointer) noexcept {
    TComRef ref;
    ref.pointer_ = pointer;
    if (pointer) native_detail::Adopted(NativeKind::kComInterface);
    return ref;
  }

  I* get() const noexcept { return pointer_; }
  I* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  void reset() noexcept {
    if (I* old = std::exchange(pointer_, nullptr)) {
      native_detail::Released(NativeKind::kComInterface);
      old->Release();
    }
  }
  // Another interface of the same object, or empty.
  template <typename J>
  TComRef<J> As(REFIID iid) const noexcept {
    J* other = nullptr;
    if (!pointer_ || FAILED(pointer_->QueryInterface(iid, reinterpret_cast<void**>(&other)))) {
      return {};
    }
    return TComRef<J>::Adopt(other);
  }

  void swap(TComRef& other) noexcept { std::swap(pointer_, other.pointer_); }

 private:
  I* pointer_ = nullptr;
};

}  // namespace quardeln
