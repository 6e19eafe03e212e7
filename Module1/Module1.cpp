// The capture routines: client-area size, the copy into a bitmap, and the picture around it.
#include "Module1/Module1.h"

#include "platform/Error.h"

#include <cmath>

namespace {

int32_t roundHalfToEven(double value)
{
    if (std::isnan(value))
        throw Error(ErrorKind::Overflow, "the window size is not a number");
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        throw Error(ErrorKind::Overflow, "the window size does not fit a 32-bit integer");
    return static_cast<int32_t>(rounded);
}

} // namespace

Picture CaptureFormImage(const ScaledForm &form)
{
    const WindowHandle hWnd = form.hWnd();
    const double scaleWidth = form.ScaleWidth();
    const ScaleUnit scaleMode = form.ScaleMode();
    const double scaleHeight = form.ScaleHeight();
    const int32_t width = roundHalfToEven(form.ScaleX(scaleWidth, scaleMode, ScaleUnit::Pixels));
    const int32_t height = roundHalfToEven(form.ScaleY(scaleHeight, scaleMode, ScaleUnit::Pixels));
    return CaptureWindowImage(hWnd, true, 0, 0, width, height);
}

Picture CaptureFormImage(QMainWindow &form) { return CaptureFormImage(MainWindowForm(form)); }

Picture CaptureWindowImage(WindowHandle hWnd, bool client, int32_t left, int32_t top, int32_t width,
                           int32_t height)
{
    DeviceContext source = client ? GetDC(hWnd) : GetWindowDC(hWnd);

    DeviceContext memory = CreateCompatibleDC(source);
    Bitmap bitmap = CreateCompatibleBitmap(source, width, height);
    Bitmap previousBitmap = SelectObject(memory, std::move(bitmap));

    // Only a 256-colour palette display needs its palette kept with the image; on any other
    // display the bitmap's pixels carry their colours themselves.
    const bool hasPalette = (GetDeviceCaps(source, RASTERCAPS) & RC_PALETTE) != 0;
    const int paletteSize = GetDeviceCaps(source, SIZEPALETTE);
    const bool palettePath = hasPalette && paletteSize == 256;

    Palette palette;
    Palette previousPalette;
    if (palettePath) {
        LOGPALETTE logPalette {};
        logPalette.palVersion = 0x300;
        logPalette.palNumEntries = 256;
        GetSystemPaletteEntries(source, 0, 256, logPalette.palPalEntry.data());
        palette = CreatePalette(logPalette);
        previousPalette = SelectPalette(memory, std::move(palette), false);
        RealizePalette(memory);
    }

    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);

    bitmap = SelectObject(memory, std::move(previousBitmap));
    if (palettePath)
        palette = SelectPalette(memory, std::move(previousPalette), false);

    DeleteDC(std::move(memory));
    ReleaseDC(hWnd, std::move(source));

    return MakeBitmapPicture(std::move(bitmap), std::move(palette));
}

Picture MakeBitmapPicture(Bitmap hBmp, Palette hPal)
{
    PICTDESC desc;
    desc.picType = PICTYPE_BITMAP;
    desc.hbitmap = std::move(hBmp);
    desc.hpal = std::move(hPal);
    return OleCreatePictureIndirect(std::move(desc));
}
