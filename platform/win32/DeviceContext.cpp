// A window's pixels copied through its device context into a compatible bitmap (through the
// system palette on palette displays), and the OLE picture object that owns the result.
#include "platform/DeviceContext.h"

#include "platform/Form.h"
#include "platform/win32/Application.h"
#include "platform/win32/DeviceContextNative.h"
#include "platform/win32/Native.h"

#include <olectl.h>

// After the backend's Native types, which these members need complete.
#include "platform/DeviceContextMembers.h"

namespace {

constexpr int PaletteSize = 256;

bool hasSystemPalette(HDC dc)
{
    return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)
            && GetDeviceCaps(dc, SIZEPALETTE) == PaletteSize;
}

// A copy of the system palette: 256 entries, as a palette display has.
GdiObject<HPALETTE> systemPalette(HDC dc)
{
    struct
    {
        WORD version = 0x300;
        WORD count = PaletteSize;
        PALETTEENTRY entries[PaletteSize] {};
    } colours;
    GetSystemPaletteEntries(dc, 0, PaletteSize, colours.entries);
    return GdiObject<HPALETTE>(CreatePalette(reinterpret_cast<const LOGPALETTE *>(&colours)));
}

} // namespace

Picture::Native::~Native()
{
    if (picture)
        picture->Release();
}

Bitmap copyWindowPixels(const Form &window, bool client, int32_t left, int32_t top, int32_t width,
                        int32_t height)
{
    const HWND handle = window.native().window;
    // Paints still pending (a text box hiding its selection as the focus moves to the button
    // that asked for the copy) go on the screen first, so that the copy is what the screen shows.
    RedrawWindow(handle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const WindowDc source(handle, client);
    if (!source.get())
        return {};
    const MemoryDc memory(CreateCompatibleDC(source.get()));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(source.get(), width, height));
    if (!memory || !bitmap)
        return {};
    auto native = std::make_unique<Bitmap::Native>();
    {
        const Selection selectedBitmap(memory.get(), bitmap.get());
        // On a palette display (Windows' reduced-colour compatibility mode gives one) the copy
        // is made through the system palette, so that its indices mean the colours the screen
        // shows; the picture keeps that palette.
        HPALETTE previousPalette = nullptr;
        if (hasSystemPalette(source.get())) {
            native->palette = systemPalette(source.get());
            previousPalette = SelectPalette(memory.get(), native->palette.get(), FALSE);
            RealizePalette(memory.get());
        }
        BitBlt(memory.get(), 0, 0, width, height, source.get(), left, top, SRCCOPY);
        if (previousPalette)
            SelectPalette(memory.get(), previousPalette, FALSE);
    }
    native->bitmap = std::move(bitmap);
    return Bitmap(std::move(native));
}

Picture createBitmapPicture(Bitmap bitmap)
{
    PICTDESC description {};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap.native().bitmap.get();
    description.bmp.hpal = bitmap.native().palette.get();
    static const auto createPicture = systemFunction<decltype(OleCreatePictureIndirect)>(
            L"oleaut32.dll", "OleCreatePictureIndirect");
    IDispatch *dispatch = nullptr;
    // The picture owns the bitmap and the palette from here on.
    if (!createPicture
        || FAILED(createPicture(&description, IID_IDispatch, TRUE,
                                reinterpret_cast<void **>(&dispatch))))
        return {};
    static_cast<void>(bitmap.native().bitmap.release());
    static_cast<void>(bitmap.native().palette.release());
    auto native = std::make_unique<Picture::Native>();
    const HRESULT found
            = dispatch->QueryInterface(IID_IPicture, reinterpret_cast<void **>(&native->picture));
    dispatch->Release();
    if (FAILED(found))
        return {};
    return Picture(std::move(native));
}
