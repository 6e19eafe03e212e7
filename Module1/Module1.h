// Capturing a window's image as a picture that the clipboard takes.
#pragma once

#include "platform/DeviceContext.h"

#include <cstdint>

class Form;

// An image of the form's client area: its ScaleWidth and ScaleHeight in device pixels, rounded
// half to even. A size that does not fit 32 bits is an overflow error.
Picture CaptureFormImage(const Form &form);

// Copies a rectangle of the window (its client area, or the whole window with its frame and
// menu bar) into a bitmap, as the window shows it now. Pixels outside the window come out
// black, and a palette display's copy keeps the system palette. An empty picture when there is
// no window, the rectangle is empty or the bitmap cannot be made.
Picture CaptureWindowImage(const Form *hWnd, bool client, int32_t left, int32_t top, int32_t width,
                           int32_t height);

// The picture the clipboard takes, owning the bitmap and its palette; empty for an empty bitmap.
Picture MakeBitmapPicture(Bitmap hBmp);
