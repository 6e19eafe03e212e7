// The clipboard as Copy image uses it: a copy of the picture's bitmap, and its palette when it
// has one; any failure is a clipboard error.
#include "platform/Clipboard.h"

// After the header: the system's headers define CF_BITMAP as a macro of the same value.
#include "platform/core/Error.h"
#include "platform/core/win32/Text.h"
#include "platform/win32/Application.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/DeviceContextNative.h"
#include "platform/win32/Handles.h"

#include <cstring>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string &what)
{
    throw Error(ErrorKind::Clipboard, what + ": " + systemMessage(GetLastError()));
}

// Emptying the clipboard makes the window that opened it the owner, and the system takes data
// only from an owner; a hidden window of the program's own serves.
HWND clipboardOwner()
{
    static const HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, instance(), nullptr);
    if (!owner)
        fail("cannot make the clipboard's owner window");
    return owner;
}

class OpenClipboardScope
{
public:
    OpenClipboardScope()
    {
        // Another program may hold the clipboard for a moment, as clipboard viewers do.
        for (int attempt = 0; !OpenClipboard(clipboardOwner()); ++attempt) {
            if (attempt == 10)
                fail("cannot open the clipboard");
            Sleep(20);
        }
        if (!EmptyClipboard()) {
            const DWORD error = GetLastError();
            CloseClipboard();
            SetLastError(error);
            fail("cannot empty the clipboard");
        }
    }
    ~OpenClipboardScope() { CloseClipboard(); }
    OpenClipboardScope(const OpenClipboardScope &) = delete;
    OpenClipboardScope &operator=(const OpenClipboardScope &) = delete;
};

GdiObject<HPALETTE> copyOfPalette(HPALETTE palette)
{
    const UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
    std::vector<BYTE> record(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto *copy = reinterpret_cast<LOGPALETTE *>(record.data());
    copy->palVersion = 0x300;
    copy->palNumEntries = WORD(count);
    GetPaletteEntries(palette, 0, count, copy->palPalEntry);
    return GdiObject<HPALETTE>(CreatePalette(copy));
}

} // namespace

void clearClipboard() { const OpenClipboardScope clipboard; }

void setClipboardText(const std::wstring &text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        fail("cannot copy the text");
    if (void *target = GlobalLock(memory)) {
        std::memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory);
    }
    const OpenClipboardScope clipboard;
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        const DWORD error = GetLastError();
        GlobalFree(memory);
        SetLastError(error);
        fail("cannot put the text on the clipboard");
    }
}

void setClipboardData(const Picture &picture, int format)
{
    if (format != CF_BITMAP)
        throw Error(ErrorKind::Clipboard, "only bitmap images can be put on the clipboard");
    OLE_HANDLE bitmapHandle = 0;
    if (picture.isNull() || FAILED(picture.native().picture->get_Handle(&bitmapHandle))
        || !bitmapHandle)
        throw Error(ErrorKind::Clipboard,
                    "the window image could not be captured, so nothing was copied");
    OLE_HANDLE paletteHandle = 0;
    picture.native().picture->get_hPal(&paletteHandle);

    // The picture keeps its own bitmap; the clipboard takes a copy it will own.
    GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
            CopyImage(reinterpret_cast<HBITMAP>(UINT_PTR(bitmapHandle)), IMAGE_BITMAP, 0, 0, 0)));
    if (!bitmap)
        fail("cannot copy the window image");
    GdiObject<HPALETTE> palette;
    if (paletteHandle) {
        palette = copyOfPalette(reinterpret_cast<HPALETTE>(UINT_PTR(paletteHandle)));
        if (!palette)
            fail("cannot copy the window image's palette");
    }
    const OpenClipboardScope clipboard;
    if (!SetClipboardData(CF_BITMAP, bitmap.get()))
        fail("cannot put the window image on the clipboard");
    static_cast<void>(bitmap.release());
    if (palette) {
        if (!SetClipboardData(CF_PALETTE, palette.get()))
            fail("cannot put the window image's palette on the clipboard");
        static_cast<void>(palette.release());
    }
}
