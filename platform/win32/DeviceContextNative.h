// What stands behind a Bitmap and a Picture on Windows: a GDI bitmap, and an OLE picture object.
#pragma once

#include "platform/DeviceContext.h"
#include "platform/win32/Handles.h"

#include <ocidl.h>

struct Bitmap::Native
{
    GdiObject<HBITMAP> bitmap;
    GdiObject<HPALETTE> palette; // the system palette it was copied through; none on true colour
};

struct Picture::Native
{
    IPicture *picture = nullptr; // owns its bitmap and palette
    Native() = default;
    ~Native();
    Native(const Native &) = delete;
    Native &operator=(const Native &) = delete;
};
