// The capture routines: client-area size, the copy into a bitmap, and the picture around it.
#include "Module1/Module1.h"

#include "platform/Error.h"
#include "platform/Twips.h"

#include <QMainWindow>
#include <QPainter>
#include <QScreen>
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

// A main window's client area is its central widget, below the menu bar.
QWidget *clientArea(QWidget *window)
{
    auto *mainWindow = qobject_cast<QMainWindow *>(window);
    return mainWindow && mainWindow->centralWidget() ? mainWindow->centralWidget() : window;
}

// The colours a palette display shows the image in: its own when it has no more than 256,
// otherwise a colour cube; always 256 entries, as a palette display's system palette has.
QList<QRgb> paletteFor(const QImage &image)
{
    QList<QRgb> colours
            = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).colorTable();
    colours.resize(256, qRgb(0, 0, 0));
    return colours;
}

} // namespace

Picture CaptureFormImage(QMainWindow &form)
{
    const QWidget *client = clientArea(&form);
    const double scaleWidth = client->width() * twipsPerLayoutPixel(client);
    const double scaleHeight = client->height() * twipsPerLayoutPixel(client);
    const double twipsPerDevicePixel = twipsPerPixel(client);
    return CaptureWindowImage(&form, true, 0, 0, roundHalfToEven(scaleWidth / twipsPerDevicePixel),
                              roundHalfToEven(scaleHeight / twipsPerDevicePixel));
}

Picture CaptureWindowImage(QWidget *hWnd, bool client, int32_t left, int32_t top, int32_t width,
                           int32_t height)
{
    if (!hWnd || width <= 0 || height <= 0)
        return {};
    QWidget *source = client ? clientArea(hWnd) : hWnd;
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull()) // too large to allocate
        return {};
    bitmap.fill(Qt::black);
    // Rendered at the screen's ratio, so that a pixel of the copy is a device pixel of the
    // screen, drawn as the screen draws it.
    const qreal ratio = source->devicePixelRatioF();
    bitmap.setDevicePixelRatio(ratio);
    {
        QPainter painter(&bitmap);
        painter.translate(-left / ratio, -top / ratio);
        source->render(&painter, QPoint(), QRegion(source->rect()),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    bitmap.setDevicePixelRatio(1);
    const QScreen *screen = source->screen();
    const bool paletteDisplay = screen && screen->depth() <= 8;
    return MakeBitmapPicture(bitmap, paletteDisplay ? paletteFor(bitmap) : QList<QRgb>());
}

Picture MakeBitmapPicture(const QImage &hBmp, const QList<QRgb> &hPal)
{
    if (hPal.isEmpty() || hBmp.isNull())
        return hBmp;
    return hBmp.convertToFormat(QImage::Format_RGB32)
            .convertToFormat(QImage::Format_Indexed8, hPal, Qt::ThresholdDither);
}
