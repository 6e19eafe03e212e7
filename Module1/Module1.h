// Capturing a window's image as a picture that the clipboard takes.
#pragma once

#include "platform/DeviceContext.h"

#include <cstdint>

class Form;

// The form's client area: its scale width and height in twips converted to device pixels,
// rounded half to even. A size that does not fit 32 bits is an overflow error.
Picture CaptureFormImage(const Form &form);

// A rectangle, in device pixels, of a window's client area (client) or of the whole window
// with its menu bar, copied from the window's own rendering: what covers the window on the
// screen is not copied, and a minimised window copies as it would show. Parts outside the
// window are black. On a display of 256 colours or fewer the picture has a palette. No
// window, an empty rectangle or a bitmap that cannot be made give an empty picture.
Picture CaptureWindowImage(const Form *hWnd, bool client, int32_t left, int32_t top, int32_t width,
                           int32_t height);

// The bitmap as a picture; with a palette (256 entries, or none), indexed with its colours.
Picture MakeBitmapPicture(Bitmap hBmp, const Palette &hPal);
