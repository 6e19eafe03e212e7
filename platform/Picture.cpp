// Picture objects made from a bitmap and an optional palette.
#include "platform/Picture.h"

QImage Picture::image() const
{
    const QImage &pixels = bitmap.image();
    if (palette.isNull() || pixels.isNull())
        return pixels;
    if (pixels.format() == QImage::Format_Indexed8 && pixels.colorTable() == palette.entries())
        return pixels;
    return pixels.convertToFormat(QImage::Format_RGB32)
            .convertToFormat(QImage::Format_Indexed8, palette.entries(), Qt::ThresholdDither);
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
