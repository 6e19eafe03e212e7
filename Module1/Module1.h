// Capturing a window's image as a picture that the clipboard takes.
#pragma once

#include "platform/Picture.h"
#include "platform/ScaledForm.h"

#include <QMainWindow>
#include <cstdint>

// The form's client area: its scale width and height converted to pixels, rounded half to even.
// A size that does not fit 32 bits is an overflow error.
Picture CaptureFormImage(const ScaledForm &form);
Picture CaptureFormImage(QMainWindow &form);

// A rectangle of a window's client area (client) or of the whole window, as a bitmap picture,
// with a copy of the system palette on a 256-colour palette display. Failed steps are passed on:
// the picture then has no image.
Picture CaptureWindowImage(WindowHandle hWnd, bool client, int32_t left, int32_t top, int32_t width,
                           int32_t height);

// A picture owning the bitmap and the palette (which may be null).
Picture MakeBitmapPicture(Bitmap hBmp, Palette hPal);
