// The window capture's device operations over Qt: a window renders itself into an image.
#include "platform/DeviceContext.h"

#include "platform/qt/Native.h"

#include <QPainter>
#include <cmath>

// After the backend's Native types, which these members need complete.
#include "platform/DeviceContextMembers.h"

// The window's own rendering rather than the screen's pixels: what covers the window is not
// copied, and a minimised window copies as it would show.
Bitmap copyWindowPixels(const Form &window, bool client, int32_t left, int32_t top, int32_t width,
                        int32_t height)
{
    QWidget *source = client ? qtClientArea(window) : qt(window);
    if (!source)
        return {};
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
        // At a fractional ratio the client area may start at a fraction of a device pixel in its
        // window, below a menu bar. The screen's first row of it is the one that fraction rounds
        // to, so the copy is drawn at the same fraction, and its antialiased edges come out as
        // the screen's.
        const QPointF corner = QPointF(source->mapTo(source->window(), QPoint())) * ratio;
        const QPointF fraction
                = corner - QPointF(std::floor(corner.x() + 0.5), std::floor(corner.y() + 0.5));
        painter.translate((fraction - QPointF(left, top)) / ratio);
        source->render(&painter, QPoint(), QRegion(source->rect()),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    bitmap.setDevicePixelRatio(1);
    return Bitmap(std::make_unique<Bitmap::Native>(Bitmap::Native { bitmap }));
}

// Qt draws no 8-bit screens, so a bitmap never has a palette here.
Picture createBitmapPicture(Bitmap bitmap)
{
    return Picture(std::make_unique<Picture::Native>(Picture::Native { bitmap.native().image }));
}
