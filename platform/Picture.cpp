// Picture objects made from a bitmap and an optional palette.
#include "platform/Picture.h"

QImage Picture::image() const
{
    const QImage &pixels = bitmap.image();
    if (palette.isNull() || pixels.isNull())
        return pixels;
    if (pixels.format() == QImage::Format_Indexed8 && pixels.colorTable() == palette.entries())
        return pixels;
    return toPaletteColours(pixels, palette.entries());
}

Picture OleCreatePictureIndirect(PICTDESC desc)
{
    Picture picture;
    if (desc.picType != PICTYPE_BITMAP)
        return picture;
    picture.bitmap = std::move(desc.hbitmap);
    picture.palette = std::move(desc.hpal);
    return picture;
}
