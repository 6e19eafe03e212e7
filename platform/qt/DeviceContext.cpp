// The window capture's device operations over Qt: a window renders itself into an image.
#include "platform/DeviceContext.h"

#include "platform/qt/Native.h"

#include <QPainter>
#include <QScreen>
#include <cmath>

Bitmap::Bitmap() = default;
Bitmap::Bitmap(std::unique_ptr<Native> native) : native_(std::move(native)) { }
Bitmap::~Bitmap() = default;
Bitmap::Bitmap(Bitmap &&) noexcept = default;
Bitmap &Bitmap::operator=(Bitmap &&) noexcept = default;

Picture::Picture() = default;
Picture::Picture(std::unique_ptr<Native> native) : native_(std::move(native)) { }
Picture::~Picture() = default;
Picture::Picture(Picture &&) noexcept = default;
Picture &Picture::operator=(Picture &&) noexcept = default;

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

bool isPaletteDisplay(const Form &window)
{
    const QMainWindow *widget = qt(window);
    const QScreen *screen = widget ? widget->screen() : nullptr;
    return screen && screen->depth() <= 8;
}

// The image's own colours when it has no more than 256, otherwise a colour cube; always 256
// entries, as a palette display's system palette has.
Palette displayPalette(const Form &, const Bitmap &bitmap)
{
    const QList<QRgb> table
            = bitmap.native()
                      .image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)
                      .colorTable();
    Palette colours(256, 0);
    for (qsizetype i = 0; i < table.size() && i < 256; ++i)
        colours[size_t(i)]
                = uint32_t(qRed(table[i]) | qGreen(table[i]) << 8 | qBlue(table[i]) << 16);
    return colours;
}

Picture createBitmapPicture(Bitmap bitmap, const Palette &palette)
{
    QImage image = bitmap.native().image;
    if (!palette.empty()) {
        QList<QRgb> table;
        for (uint32_t colour : palette)
            table << qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        image = image.convertToFormat(QImage::Format_RGB32)
                        .convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
    }
    return Picture(std::make_unique<Picture::Native>(Picture::Native { image }));
}
