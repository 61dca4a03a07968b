#include "pixmap/win32/wic_decoder.h"

#include "runtime/win32/native_owner.h"
//
#include <wincodec.h>

namespace quardeln {
namespace {

// COM for this thread while one decode runs. A thread already in a single-threaded
// apartment gets S_FALSE and one in the multithreaded apartment RPC_E_CHANGED_MODE; both
// can decode. Only a successful call (S_OK or S_FALSE) is balanced by CoUninitialize.
class TComApartment {
 public:
  TComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  const HRESULT result_;
};

// Adopts the interface `call` writes through its out-pointer; empty when the call fails.
template <typename I, typename Call>
TComRef<I> Made(Call&& call) {
  TComRef<I> ref;
  if (FAILED(call(ref.Put()))) ref.reset();
  return ref;
}

const GUID& ContainerFormat(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png:
      return GUID_ContainerFormatPng;
    case ImageFormat::Bmp:
      return GUID_ContainerFormatBmp;
    case ImageFormat::Ico:
      return GUID_ContainerFormatIco;
    case ImageFormat::Jpeg:
      return GUID_ContainerFormatJpeg;
    case ImageFormat::Gif:
      return GUID_ContainerFormatGif;
  }
  return GUID_NULL;
}

// The stream reads `data` in place; the decoder keeps the stream, so `data` must outlive
// every interface made here.
TComRef<IWICBitmapFrameDecode> FirstFrame(IWICImagingFactory* factory, const uint8_t* data,
                                          size_t size, ImageFormat format) {
  auto stream = Made<IWICStream>([&](IWICStream** out) { return factory->CreateStream(out); });
  if (!stream ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size)))) {
    return {};
  }
  auto decoder = Made<IWICBitmapDecoder>([&](IWICBitmapDecoder** out) {
    return factory->CreateDecoder(ContainerFormat(format), nullptr, out);
  });
  if (!decoder || FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand))) {
    return {};
  }
  return Made<IWICBitmapFrameDecode>(
      [&](IWICBitmapFrameDecode** out) { return decoder->GetFrame(0, out); });
}

PixmapRef CopyFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || !ImageSizeAllowed(width, height)) {
    return nullptr;
  }
  auto converter = Made<IWICFormatConverter>(
      [&](IWICFormatConverter** out) { return factory->CreateFormatConverter(out); });
  if (!converter ||
      FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }
  PixmapRef pixmap =
      TPixmap::Create(static_cast<int32_t>(width), static_cast<int32_t>(height), PF_BGRA8888);
  // Within the caps a whole image is at most 512 MiB, so its byte count fits a UINT.
  const UINT pitch = static_cast<UINT>(pixmap->Pitch());
  if (FAILED(converter->CopyPixels(nullptr, pitch, pitch * height, pixmap->PixelPtr(0, 0)))) {
    return nullptr;
  }
  return pixmap;
}

// Every interface is released on return, while the caller's apartment is still open.
PixmapRef DecodeInApartment(const uint8_t* data, size_t size, ImageFormat format) {
  auto factory = Made<IWICImagingFactory>([](IWICImagingFactory** out) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                            IID_PPV_ARGS(out));
  });
  if (!factory) return nullptr;
  const TComRef<IWICBitmapFrameDecode> frame = FirstFrame(factory.get(), data, size, format);
  return frame ? CopyFrame(factory.get(), frame.get()) : nullptr;
}

}  // namespace

PixmapRef DecodeWithWic(const uint8_t* data, size_t size, ImageFormat format) {
  if (size > MAXDWORD) return nullptr;  // a memory stream's size is 32-bit
  const TComApartment apartment;
  return apartment.Usable() ? DecodeInApartment(data, size, format) : nullptr;
}

}  // namespace quardeln
