// The chart surface's drawing, layers and pointer events.
#include "platform/qt/PictureBoxWidget.h"

#include "platform/Error.h"
#include "platform/Twips.h"
#include "platform/qt/ScreenDpi.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

namespace {

// Beyond this many pixels from the origin a position cannot be drawn (the limit of the
// classic 27-bit device coordinates), so such a line is an error instead of a silent nothing.
constexpr double MaxPixel = 134217727;

QColor colourFromPacked(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

std::optional<QPoint> drawablePixel(float x, float y, double twipsPerPixel)
{
    const double px = twipsToPixels(x, twipsPerPixel);
    const double py = twipsToPixels(y, twipsPerPixel);
    if (!(std::abs(px) <= MaxPixel && std::abs(py) <= MaxPixel)) // also refuses NaN
        return std::nullopt;
    return QPoint(int(px), int(py));
}

QPoint pixelOf(float x, float y, double twipsPerPixel)
{
    if (const std::optional<QPoint> pixel = drawablePixel(x, y, twipsPerPixel))
        return *pixel;
    throw Error(ErrorKind::Drawing, "a line end lies beyond the drawing surface's range");
}

QRgb &rawPixel(QImage &image, QPoint point)
{
    return reinterpret_cast<QRgb *>(image.scanLine(point.y()))[point.x()];
}

// Sets the pixels from `from` up to, not including, `to`. Square caps set both ends whichever
// way the line runs (flat caps would drop the right or bottom end instead of the last), so
// the end pixel is saved first and put back afterwards.
void drawLine(QImage &image, QPoint from, QPoint to, const QColor &colour)
{
    if (from == to)
        return;
    QPainter painter(&image);
    if (!painter.isActive())
        throw Error(ErrorKind::Drawing, "the chart's image cannot be drawn on");
    const bool endInside = image.rect().contains(to);
    const QRgb endPixel = endInside ? rawPixel(image, to) : 0;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, 0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(from, to);
    painter.end();
    if (endInside)
        rawPixel(image, to) = endPixel;
}

int signOf(int value) { return (value > 0) - (value < 0); }

// The pixels drawLine sets for a line that runs along a row or a column, as one rectangle:
// filled directly it gives the same pixels under any clip, with no layer to draw it on.
std::optional<QRect> straightRun(QPoint from, QPoint to)
{
    if (from == to || (from.x() != to.x() && from.y() != to.y()))
        return std::nullopt;
    const QPoint last = to - QPoint(signOf(to.x() - from.x()), signOf(to.y() - from.y()));
    // Spelled out: QRect::normalized() moves both edges of a reversed rectangle by one.
    return QRect(QPoint(std::min(from.x(), last.x()), std::min(from.y(), last.y())),
                 QPoint(std::max(from.x(), last.x()), std::max(from.y(), last.y())));
}

// The classic bit set for Qt flags: each flag that is set adds its bit.
template<typename Flag>
short bitsOf(QFlags<Flag> flags, std::initializer_list<std::pair<Flag, short>> bits)
{
    short result = 0;
    for (const auto &[flag, bit] : bits)
        if (flags.testFlag(flag))
            result |= bit;
    return result;
}

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

int roundedPixel(double position) { return int(std::floor(position + 0.5)); }

// A device-pixel rectangle of the box in the box's own layout units, which Qt scales back by
// the ratio and rounds to the same device pixels.
QRectF layoutRect(const QRect &pixels, qreal ratio)
{
    return QRectF(pixels.x() / ratio, pixels.y() / ratio, pixels.width() / ratio,
                  pixels.height() / ratio);
}

} // namespace

PictureBoxWidget::PictureBoxWidget(QWidget *parent) : QFrame(parent)
{
    // WinPanel is a two-pixel border at every style; a styled panel may be one pixel.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // Not opaque: at a device pixel ratio above 1 the style's bevel lines are one device pixel
    // wide and leave part of the border to the window's background, on the screen and in a copy
    // alike.
}

void PictureBoxWidget::Line(float x1, float y1, float x2, float y2, uint32_t colour)
{
    fitLayers();
    const double tpp = twipsPerPixel(this);
    const QPoint from = pixelOf(x1, y1, tpp);
    const QPoint to = pixelOf(x2, y2, tpp);
    drawLine(autoRedraw ? persistentImage() : screenLayer(), from, to, colourFromPacked(colour));
    // span() rather than QRect(from, to).normalized(): a line that rises by one pixel would
    // give an empty rectangle, and its pixels would never reach the screen.
    const QRect changed = QRect::span(from, to).translated(innerPixels().topLeft());
    update(layoutRect(changed, devicePixelRatioF()).toAlignedRect() & contentsRect());
}

void PictureBoxWidget::Cls()
{
    // Once made, the persistent image is refilled rather than dropped: a large image made anew
    // at every New would leave holes in the heap that small long-lived pieces then pin.
    if (!persistent.isNull())
        persistent.fill(background);
    screen = QImage();
    update();
}

QImage PictureBoxWidget::image() const
{
    if (!persistent.isNull())
        return persistent;
    QImage blank(innerPixels().size(), QImage::Format_RGB32);
    blank.fill(background);
    return blank;
}

void PictureBoxWidget::setBackColor(const QColor &colour)
{
    background = colour;
    Cls();
}

void PictureBoxWidget::setLineElements(std::vector<LineElement> elements)
{
    const double tpp = twipsPerPixel(this);
    for (const LineElement &line : elements) {
        pixelOf(line.X1, line.Y1, tpp);
        pixelOf(line.X2, line.Y2, tpp);
    }
    lineElements = std::move(elements);
    lineLayer = QImage();
    update();
}

QImage &PictureBoxWidget::persistentImage()
{
    if (persistent.isNull()) {
        persistent = QImage(innerPixels().size(), QImage::Format_RGB32);
        persistent.fill(background);
    }
    return persistent;
}

QImage &PictureBoxWidget::screenLayer()
{
    if (screen.isNull())
        screen = transparentImage(innerPixels().size());
    return screen;
}

void PictureBoxWidget::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    fitLayers();
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QRect inner = innerPixels();
    painter.setClipRect(layoutRect(inner, ratio) & QRectF(event->rect()));
    if (persistent.isNull())
        painter.fillRect(layoutRect(inner, ratio), background);
    else
        paintLayer(painter, persistent);
    if (!screen.isNull())
        paintLayer(painter, screen);
    // The line elements come last so that nothing drawn covers them.
    paintLineElements(painter);
}

QRect PictureBoxWidget::innerPixels() const
{
    const qreal ratio = devicePixelRatioF();
    const QRect inner = contentsRect();
    const QPoint topLeft(roundedPixel(inner.left() * ratio), roundedPixel(inner.top() * ratio));
    const QPoint end(roundedPixel((inner.right() + 1) * ratio),
                     roundedPixel((inner.bottom() + 1) * ratio));
    return QRect(topLeft, end - QPoint(1, 1));
}

void PictureBoxWidget::paintLayer(QPainter &painter, const QImage &layer) const
{
    painter.drawImage(layoutRect(innerPixels(), devicePixelRatioF()), layer);
}

// Lines along a row or a column, which a grid is made of, are filled as runs of pixels. Where a
// slanted line's pixels fall can depend on the clip it is drawn under, so if there is one, all
// the elements are drawn in their order onto a layer once, and the layer is shown.
void PictureBoxWidget::paintLineElements(QPainter &painter)
{
    const double tpp = twipsPerPixel(this);
    struct Segment
    {
        QPoint from, to;
        QColor colour;
    };
    std::vector<Segment> segments;
    bool slanted = false;
    for (const LineElement &line : lineElements) {
        const std::optional<QPoint> from = drawablePixel(line.X1, line.Y1, tpp);
        const std::optional<QPoint> to = drawablePixel(line.X2, line.Y2, tpp);
        if (!from || !to || *from == *to)
            continue; // beyond reach only at a dpi other than the one they were set at
        segments.push_back({ *from, *to, colourFromPacked(line.BorderColor) });
        slanted = slanted || !straightRun(*from, *to);
    }
    if (!slanted) {
        const QPoint origin = innerPixels().topLeft();
        for (const Segment &segment : segments)
            painter.fillRect(layoutRect(straightRun(segment.from, segment.to)->translated(origin),
                                        devicePixelRatioF()),
                             segment.colour);
        return;
    }
    if (lineLayer.isNull()) {
        lineLayer = transparentImage(innerPixels().size());
        for (const Segment &segment : segments)
            drawLine(lineLayer, segment.from, segment.to, segment.colour);
    }
    paintLayer(painter, lineLayer);
}

void PictureBoxWidget::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    fitLayers();
}

// A widget placed before it is shown has its size but no resize event yet, and one moved to a
// screen of another scale has no event of its own, so every use of the layers fits them first.
// What was drawn keeps its place from the top-left corner, as it would on a larger sheet; on a
// screen of another scale it is first scaled to the new resolution.
void PictureBoxWidget::fitLayers()
{
    const qreal ratio = devicePixelRatioF();
    if (layerRatio != ratio) {
        const qreal factor = layerRatio > 0 ? ratio / layerRatio : 1;
        const auto rescaled = [factor](const QImage &layer) {
            if (layer.isNull() || factor == 1)
                return layer;
            return layer.scaled(roundedPixel(layer.width() * factor),
                                roundedPixel(layer.height() * factor));
        };
        persistent = rescaled(persistent);
        screen = rescaled(screen);
        lineLayer = QImage();
        layerRatio = ratio;
    }
    const QSize size = innerPixels().size();
    if (!persistent.isNull() && persistent.size() != size) {
        QImage grown(size, QImage::Format_RGB32);
        grown.fill(background);
        QPainter(&grown).drawImage(0, 0, persistent);
        persistent = grown;
    }
    if (!screen.isNull() && screen.size() != size) {
        QImage grown = transparentImage(size);
        QPainter(&grown).drawImage(0, 0, screen);
        screen = grown;
    }
    if (!lineLayer.isNull() && lineLayer.size() != size)
        lineLayer = QImage();
}

void PictureBoxWidget::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    screen = QImage();
}

void PictureBoxWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QRect inner = innerPixels();
    // The device pixel under the pointer: where the desktop reports positions finer than layout
    // pixels, each device pixel gets its own position. Qt rounds a widget's own position to
    // whole layout pixels; the position in the window keeps the fraction. At a fractional ratio
    // the box may lie at a fraction of a device pixel in its window, which the screen rounds.
    const qreal ratio = devicePixelRatioF();
    const QPointF inWindow = event->scenePosition() * ratio;
    const QPointF corner = QPointF(mapTo(window(), QPoint())) * ratio;
    const QPoint pixel(int(std::floor(inWindow.x())) - roundedPixel(corner.x()) - inner.left(),
                       int(std::floor(inWindow.y())) - roundedPixel(corner.y()) - inner.top());
    // A button pressed on the box keeps the pointer, so its moves beyond the box still count.
    if (event->buttons() == Qt::NoButton && !QRect(QPoint(), inner.size()).contains(pixel))
        return;
    const short button
            = bitsOf(event->buttons(),
                     { { Qt::LeftButton, 1 }, { Qt::RightButton, 2 }, { Qt::MiddleButton, 4 } });
    const short shift = bitsOf(
            event->modifiers(),
            { { Qt::ShiftModifier, 1 }, { Qt::ControlModifier, 2 }, { Qt::AltModifier, 4 } });
    const double tpp = twipsPerPixel(this);
    emit MouseMove(button, shift, float(pixel.x() * tpp), float(pixel.y() * tpp));
}
