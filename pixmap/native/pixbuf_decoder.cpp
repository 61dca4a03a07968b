#include "pixmap/native/pixbuf_decoder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace quardeln {
namespace {

struct TUnrefObject {
  void operator()(gpointer object) const { g_object_unref(object); }
};
using LoaderOwner = std::unique_ptr<GdkPixbufLoader, TUnrefObject>;

const char* LoaderType(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png:
      return "png";
    case ImageFormat::Bmp:
      return "bmp";
    case ImageFormat::Ico:
      return "ico";
    case ImageFormat::Jpeg:
      return "jpeg";
    case ImageFormat::Gif:
      return "gif";
  }
  return "";
}

// What the loader told while it ran. A progressive loader hands over what it decoded
// before damaged data as if it were the whole image; a row it never filled shows that.
// The GIF loader decodes at the end, fails on damage itself, and reports only the first
// frame's rectangle, which may leave rows of the picture out.
struct TLoadWatch {
  bool refused = false;
  bool rowsReported = true;
  std::vector<bool> filled;  // one per row
};

// "size-prepared" comes once the loader knows the size, before it makes the pixbuf. A size
// of 0 x 0 makes it stop without pixels.
void OnSizePrepared(GdkPixbufLoader* loader, gint width, gint height, gpointer watch) {
  auto* w = static_cast<TLoadWatch*>(watch);
  if (!ImageSizeAllowed(width, height)) {
    w->refused = true;
    gdk_pixbuf_loader_set_size(loader, 0, 0);
    return;
  }
  w->filled.assign(static_cast<size_t>(height), false);
}

void OnAreaUpdated(GdkPixbufLoader*, gint, gint y, gint, gint height, gpointer watch) {
  std::vector<bool>& filled = static_cast<TLoadWatch*>(watch)->filled;
  const int64_t rows = static_cast<int64_t>(filled.size());
  const int64_t first = std::clamp<int64_t>(y, 0, rows);
  const int64_t end = std::clamp<int64_t>(int64_t{y} + height, first, rows);
  std::fill(filled.begin() + first, filled.begin() + end, true);
}

bool Whole(const TLoadWatch& watch, const GdkPixbuf* pixbuf) {
  if (watch.refused) return false;
  if (!watch.rowsReported) return true;
  return watch.filled.size() == static_cast<size_t>(gdk_pixbuf_get_height(pixbuf)) &&
         std::find(watch.filled.begin(), watch.filled.end(), false) == watch.filled.end();
}

PixmapRef CopyPixels(const GdkPixbuf* pixbuf) {
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
  if (gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB ||
      gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 ||
      gdk_pixbuf_get_n_channels(pixbuf) != (alpha ? 4 : 3)) {
    return nullptr;
  }
  const int width = gdk_pixbuf_get_width(pixbuf);
  const int height = gdk_pixbuf_get_height(pixbuf);
  if (!ImageSizeAllowed(width, height)) return nullptr;
  PixmapRef pixmap = TPixmap::Create(width, height, alpha ? PF_RGBA8888 : PF_RGB888);
  const guint8* rows = gdk_pixbuf_read_pixels(pixbuf);
  const size_t stride = static_cast<size_t>(gdk_pixbuf_get_rowstride(pixbuf));
  // The last row of a pixbuf may be shorter than the stride; a pixmap row never is longer.
  for (int32_t y = 0; y < height; ++y) {
    std::memcpy(pixmap->PixelPtr(0, y), rows + y * stride, static_cast<size_t>(pixmap->Pitch()));
  }
  return pixmap;
}

}  // namespace

PixmapRef DecodeWithPixbuf(const uint8_t* data, size_t size, ImageFormat format) {
  TLoadWatch watch;  // outlives the loader that writes it
  watch.rowsReported = format != ImageFormat::Gif;
  LoaderOwner loader(gdk_pixbuf_loader_new_with_type(LoaderType(format), nullptr));
  if (!loader) return nullptr;
  g_signal_connect(loader.get(), "size-prepared", G_CALLBACK(OnSizePrepared), &watch);
  g_signal_connect(loader.get(), "area-updated", G_CALLBACK(OnAreaUpdated), &watch);
  // A failed write closes the loader itself; after a good one, closing finishes the image.
  if (!gdk_pixbuf_loader_write(loader.get(), data, size, nullptr) ||
      !gdk_pixbuf_loader_close(loader.get(), nullptr)) {
    return nullptr;
  }
  const GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());  // the loader's own
  return pixbuf && Whole(watch, pixbuf) ? CopyPixels(pixbuf) : nullptr;
}

}  // namespace quardeln
