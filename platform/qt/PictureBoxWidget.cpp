// The chart surface's drawing, layers and pointer events.
#include "platform/qt/PictureBoxWidget.h"

#include "platform/core/Error.h"
#include "platform/core/Pointer.h"
#include "platform/core/Twips.h"
#include "platform/qt/ScreenDpi.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

QColor colourFromPacked(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

std::optional<QPoint> drawablePixel(float x, float y, double twipsPerPixel)
{
    if (const std::optional<PixelPoint> pixel = pixelInRange(x, y, twipsPerPixel))
        return QPoint(pixel->x, pixel->y);
    return std::nullopt;
}

QPoint pixelOf(float x, float y, double twipsPerPixel)
{
    const PixelPoint pixel = checkedPixel(x, y, twipsPerPixel);
    return QPoint(pixel.x, pixel.y);
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

// The pixels drawLine sets in an area of `size` for a line of one colour, as rectangles. A
// slanted line is drawn once onto a scratch image of the whole area: where its pixels fall can
// depend on the clip it is drawn under, and the area is the clip it is always drawn under.
std::vector<QRect> pixelRuns(QPoint from, QPoint to, QSize size)
{
    const QRect area(QPoint(), size);
    if (from == to || area.isEmpty())
        return {};
    if (const std::optional<QRect> run = straightRun(from, to)) {
        if (const QRect inside = *run & area; !inside.isEmpty())
            return { inside };
        return {};
    }
    QImage scratch(size, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    drawLine(scratch, from, to, Qt::black);
    std::vector<QRect> runs;
    const QRect bounds = QRect::span(from, to) & area;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            if (!runs.empty() && runs.back().top() == y && runs.back().right() == x - 1)
                runs.back().setRight(x);
            else
                runs.emplace_back(x, y, 1, 1);
        }
    }
    return runs;
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
    fitToScreen();
    const double tpp = twipsPerPixel(this);
    const QPoint from = pixelOf(x1, y1, tpp);
    const QPoint to = pixelOf(x2, y2, tpp);
    const QColor pen = colourFromPacked(colour);
    if (autoRedraw) {
        drawLine(persistentImage(), from, to, pen);
    } else {
        for (const QRect &run : pixelRuns(from, to, innerPixels().size()))
            screenRuns.push_back({ run, pen });
    }
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
    screenRuns.clear();
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
    placeLineElements();
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

void PictureBoxWidget::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    fitToScreen();
    QPainter painter(this);
    const QRectF inner = layoutRect(innerPixels(), devicePixelRatioF());
    painter.setClipRect(inner & QRectF(event->rect()));
    if (persistent.isNull())
        painter.fillRect(inner, background);
    else
        painter.drawImage(inner, persistent);
    fillRuns(painter, screenRuns);
    // The line elements come last so that nothing drawn covers them.
    fillRuns(painter, elementRuns);
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

void PictureBoxWidget::fillRuns(QPainter &painter, const std::vector<Run> &runs) const
{
    const qreal ratio = devicePixelRatioF();
    const QPoint origin = innerPixels().topLeft();
    for (const Run &run : runs)
        painter.fillRect(layoutRect(run.pixels.translated(origin), ratio), run.colour);
}

// Elements beyond reach are left out: they can be only at a dpi other than the one they were
// set at.
void PictureBoxWidget::placeLineElements()
{
    const double tpp = twipsPerPixel(this);
    const QSize size = innerPixels().size();
    elementRuns.clear();
    for (const LineElement &line : lineElements) {
        const std::optional<QPoint> from = drawablePixel(line.X1, line.Y1, tpp);
        const std::optional<QPoint> to = drawablePixel(line.X2, line.Y2, tpp);
        if (!from || !to)
            continue;
        for (const QRect &run : pixelRuns(*from, *to, size))
            elementRuns.push_back({ run, colourFromPacked(line.BorderColor) });
    }
    placedSize = size;
    placedRatio = devicePixelRatioF();
}

void PictureBoxWidget::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    fitToScreen();
}

// A widget placed before it is shown has its size but no resize event yet, and one moved to a
// screen of another scale has no event of its own, so every use of the box fits it first; it
// does work only when the size or the scale has changed. What was drawn keeps its place from
// the top-left corner, as it would on a larger sheet; on a screen of another scale it is first
// scaled to the new resolution.
void PictureBoxWidget::fitToScreen()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = innerPixels().size();
    if (placedRatio == ratio && placedSize == size)
        return;
    const qreal factor = placedRatio > 0 ? ratio / placedRatio : 1;
    if (factor != 1) {
        if (!persistent.isNull())
            persistent = persistent.scaled(roundedPixel(persistent.width() * factor),
                                           roundedPixel(persistent.height() * factor));
        const auto scaled = [factor](int edge) { return roundedPixel(edge * factor); };
        for (Run &run : screenRuns)
            run.pixels = QRect(QPoint(scaled(run.pixels.left()), scaled(run.pixels.top())),
                               QPoint(scaled(run.pixels.right() + 1) - 1,
                                      scaled(run.pixels.bottom() + 1) - 1));
    }
    if (!persistent.isNull() && persistent.size() != size) {
        QImage grown(size, QImage::Format_RGB32);
        grown.fill(background);
        QPainter(&grown).drawImage(0, 0, persistent);
        persistent = grown;
    }
    // Lines drawn with AutoRedraw off are cut where the area shrinks, as the screen cuts them.
    std::erase_if(screenRuns, [&](Run &run) {
        run.pixels &= QRect(QPoint(), size);
        return run.pixels.isEmpty();
    });
    placeLineElements();
}

void PictureBoxWidget::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    screenRuns.clear();
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
    const Qt::MouseButtons buttons = event->buttons();
    const Qt::KeyboardModifiers keys = event->modifiers();
    const PointerBits bits
            = pointerBits({ buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
                            buttons.testFlag(Qt::MiddleButton), keys.testFlag(Qt::ShiftModifier),
                            keys.testFlag(Qt::ControlModifier), keys.testFlag(Qt::AltModifier) });
    const double tpp = twipsPerPixel(this);
    emit MouseMove(bits.Button, bits.Shift, float(pixel.x() * tpp), float(pixel.y() * tpp));
}
