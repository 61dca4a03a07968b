// The little the gallery asks of Windows itself: the folder of its own executable (where
// its toolbar picture lies) and drawing on its canvas.
#pragma once

#include <cstdint>
#include <string>

#include "gui/gadget.h"

namespace gallery {

// The folder of the running executable with a trailing backslash; empty when unknown.
std::u16string ExecutableFolder();

// Fills the canvas's native window with `rgb` (0xRRGGBB) and writes `caption` in its middle.
// FIXME: drawn with GDI until the toolkit has its graphics layer (CanvasGetGraphics).
void PaintCanvas(quardeln::NativeHandle canvas, uint32_t rgb, const std::u16string& caption);

}  // namespace gallery
