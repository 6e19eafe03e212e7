// The capture routines: client-area size, the copy into a bitmap, and the picture around it.
#include "Module1/Module1.h"

#include "platform/Form.h"
#include "platform/core/Error.h"

#include <cmath>

namespace {

int32_t roundHalfToEven(double value)
{
    // The floating-point environment rounds to nearest, halves to even, unless told otherwise.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) // NaN too
        throw Error(ErrorKind::Overflow, "the window size does not fit a 32-bit integer");
    return static_cast<int32_t>(rounded);
}

} // namespace

Picture CaptureFormImage(const Form &form)
{
    const double twipsPerDevicePixel = form.twipsPerPixel();
    return CaptureWindowImage(&form, true, 0, 0,
                              roundHalfToEven(form.ScaleWidth() / twipsPerDevicePixel),
                              roundHalfToEven(form.ScaleHeight() / twipsPerDevicePixel));
}

Picture CaptureWindowImage(const Form *hWnd, bool client, int32_t left, int32_t top, int32_t width,
                           int32_t height)
{
    if (!hWnd || width <= 0 || height <= 0)
        return {};
    return MakeBitmapPicture(copyWindowPixels(*hWnd, client, left, top, width, height));
}

Picture MakeBitmapPicture(Bitmap hBmp)
{
    if (hBmp.isNull())
        return {};
    return createBitmapPicture(std::move(hBmp));
}
