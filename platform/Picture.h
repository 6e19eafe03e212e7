// Picture objects: a bitmap and its palette, owned together, as the clipboard takes them.
#pragma once

#include "platform/DeviceContext.h"

#include <QImage>
#include <cstdint>

constexpr int32_t PICTYPE_BITMAP = 1;

// What a picture is made from. Its bitmap and palette move into the picture.
struct PICTDESC
{
    int32_t picType = 0;
    Bitmap hbitmap;
    Palette hpal;
};

class Picture
{
public:
    Picture() = default;

    // No image when the bitmap is missing: a failed capture yields such a picture.
    bool isNull() const { return bitmap.isNull(); }
    bool hasPalette() const { return !palette.isNull(); }
    const QList<QRgb> &paletteEntries() const { return palette.entries(); }

    // The picture as an image; with a palette it is indexed with that palette's colours.
    QImage image() const;

private:
    Bitmap bitmap;
    Palette palette;

    friend Picture OleCreatePictureIndirect(PICTDESC desc);
};

// The picture always owns the handles it is made from; a description of any type other than a
// bitmap yields a null picture.
Picture OleCreatePictureIndirect(PICTDESC desc);
