// The system clipboard through Qt; failures are clipboard errors.
#include "platform/Clipboard.h"

#include "platform/DeviceContext.h"
#include "platform/core/Error.h"
#include "platform/qt/Native.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace {

QClipboard &clipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw Error(ErrorKind::Clipboard, "the clipboard is not available");
    return *clipboard;
}

} // namespace

void clearClipboard() { clipboard().clear(); }

void setClipboardData(const Picture &picture, int format)
{
    if (format != CF_BITMAP)
        throw Error(ErrorKind::Clipboard, "only bitmap images can be put on the clipboard");
    if (picture.isNull())
        throw Error(ErrorKind::Clipboard,
                    "the window image could not be captured, so nothing was copied");
    clipboard().setImage(qt(picture));
}
