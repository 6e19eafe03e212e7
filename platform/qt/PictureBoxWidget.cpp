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

namespace {

QRgb &rawPixel(QImage &image, QPoint point)
{
    return reinterpret_cast<QRgb *>(image.scanLine(point.y()))[point.x()];
}

// Sets the pixels from `from` up to, not including, `to`, in the image's device pixels whatever
// its ratio; false if the image cannot be drawn on. Square caps set both ends whichever way the
// line runs (flat caps would drop the right or bottom end instead of the last), so the end
// pixel is saved first and put back afterwards.
bool drawLine(QImage &image, QPoint from, QPoint to, const QColor &colour)
{
    if (from == to)
        return true;
    const qreal ratio = image.devicePixelRatio();
    image.setDevicePixelRatio(1);
    QPainter painter(&image);
    const bool active = painter.isActive();
    if (active) {
        const bool endInside = image.rect().contains(to);
        const QRgb endPixel = endInside ? rawPixel(image, to) : 0;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(colour, 0, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(from, to);
        painter.end();
        if (endInside)
            rawPixel(image, to) = endPixel;
    }
    image.setDevicePixelRatio(ratio);
    return active;
}

QPoint pointOf(PixelPoint pixel) { return QPoint(pixel.x, pixel.y); }

QColor colourOf(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

bool drawLine(QImage &image, const PixelLine &line)
{
    return drawLine(image, pointOf(line.from), pointOf(line.to), colourOf(line.colour));
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
    // A box placed before it is shown has its size but no resize event yet.
    if (!placedNow())
        place();
    const PixelLine line = model_.line(x1, y1, x2, y2, colour, twipsPerPixel(this));
    if (model_.autoRedraw) {
        if (persistent_.isNull())
            persistent_ = baseImage();
        if (!drawLine(persistent_, line))
            throw Error(ErrorKind::Drawing, "the chart's image cannot be drawn on");
        foldOldest();
    } else {
        const std::vector<Run> runs = runsOf({ line });
        screenRuns_.insert(screenRuns_.end(), runs.begin(), runs.end());
    }
    // span() rather than QRect(from, to).normalized(): a line that rises by one pixel would
    // give an empty rectangle, and its pixels would never reach the screen.
    const QRect changed
            = QRect::span(pointOf(line.from), pointOf(line.to)).translated(innerPixels().topLeft());
    update(layoutRect(changed, devicePixelRatioF()).toAlignedRect() & contentsRect());
}

void PictureBoxWidget::Cls()
{
    model_.cls();
    folded_ = QImage();
    // Once made, the persistent image is refilled rather than dropped: a large image made anew
    // at every New would leave holes in the heap that small long-lived pieces then pin.
    if (!persistent_.isNull())
        persistent_.fill(background_);
    screenRuns_.clear();
    update();
}

void PictureBoxWidget::setBackColor(const QColor &colour)
{
    background_ = colour;
    Cls();
}

void PictureBoxWidget::setLineElements(std::vector<LineElement> elements)
{
    const double tpp = twipsPerPixel(this);
    model_.setLineElements(elements, tpp);
    elementRuns_ = runsOf(model_.elementLines(tpp));
    update();
}

// Sent to every widget of a window that moved to another screen, and from Qt 6.6 also when the
// screen's own scale changes.
bool PictureBoxWidget::event(QEvent *event)
{
    const bool handled = QFrame::event(event);
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        if (!placedNow())
            place();
        break;
    default:
        break;
    }
    return handled;
}

void PictureBoxWidget::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRectF inner = layoutRect(innerPixels(), devicePixelRatioF());
    painter.setClipRect(inner & QRectF(event->rect()));
    if (persistent_.isNull())
        painter.fillRect(inner, background_);
    else
        painter.drawImage(inner, persistent_);
    fillRuns(painter, screenRuns_);
    // The line elements come last so that nothing drawn covers them.
    fillRuns(painter, elementRuns_);
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

std::vector<PictureBoxWidget::Run>
PictureBoxWidget::runsOf(const std::vector<PixelLine> &lines) const
{
    const QSize size = innerPixels().size();
    std::vector<Run> runs;
    for (const PixelLine &line : lines)
        for (const QRect &run : pixelRuns(pointOf(line.from), pointOf(line.to), size))
            runs.push_back({ run, colourOf(line.colour) });
    return runs;
}

void PictureBoxWidget::fillRuns(QPainter &painter, const std::vector<Run> &runs) const
{
    const qreal ratio = devicePixelRatioF();
    const QPoint origin = innerPixels().topLeft();
    for (const Run &run : runs)
        painter.fillRect(layoutRect(run.pixels.translated(origin), ratio), run.colour);
}

bool PictureBoxWidget::placedNow() const
{
    return placedRatio_ == devicePixelRatioF() && placedSize_ == innerPixels().size();
}

// The background with the folded lines on it, scaled from the scale they were folded at (the
// one part of the drawing that is not exact at another scale), at the current size and ratio.
QImage PictureBoxWidget::baseImage() const
{
    const qreal ratio = devicePixelRatioF();
    QImage base(innerPixels().size(), QImage::Format_RGB32);
    base.fill(background_);
    if (!folded_.isNull()) {
        const qreal factor = ratio / folded_.devicePixelRatio();
        QPainter(&base).drawImage(QRectF(QPointF(), QSizeF(folded_.size()) * factor), folded_,
                                  QRectF(folded_.rect()));
    }
    base.setDevicePixelRatio(ratio);
    return base;
}

// Everything the box shows, made again from the model at the current size and ratio: the same
// pixels as a box that started at them and was given the same commands.
void PictureBoxWidget::place()
{
    const double tpp = twipsPerPixel(this);
    placedSize_ = innerPixels().size();
    placedRatio_ = devicePixelRatioF();
    if (model_.hasPersistent() || !persistent_.isNull()) {
        persistent_ = baseImage();
        for (const PixelLine &line : model_.persistentLines(tpp))
            drawLine(persistent_, line);
    }
    screenRuns_ = runsOf(model_.screenLines(tpp));
    elementRuns_ = runsOf(model_.elementLines(tpp));
    update();
}

// Past the lines the model keeps exactly, the oldest go into the folded image at this scale.
void PictureBoxWidget::foldOldest()
{
    const std::vector<PixelLine> oldest = model_.takeFolded(twipsPerPixel(this));
    if (oldest.empty())
        return;
    folded_ = baseImage();
    for (const PixelLine &line : oldest)
        drawLine(folded_, line);
}

void PictureBoxWidget::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (!placedNow())
        place();
}

void PictureBoxWidget::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    model_.dropScreenLines();
    screenRuns_.clear();
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
