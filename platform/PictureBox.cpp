// The chart surface's drawing, layers and pointer events.
#include "platform/PictureBox.h"

#include "platform/Error.h"
#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

// Beyond this many pixels from the origin a position cannot be drawn (the limit of the
// classic 27-bit device coordinates), so such a line is an error instead of a silent nothing.
constexpr double MaxPixel = 134217727;

QColor colourFromPacked(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QPoint pixelOf(float x, float y, double twipsPerPixel)
{
    const double px = twipsToPixels(x, twipsPerPixel);
    const double py = twipsToPixels(y, twipsPerPixel);
    if (!(std::abs(px) <= MaxPixel && std::abs(py) <= MaxPixel)) // also refuses NaN
        throw Error(ErrorKind::Drawing, "a line end lies beyond the drawing surface's range");
    return QPoint(int(px), int(py));
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

} // namespace

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    // WinPanel is a two-pixel border at every style; a styled panel may be one pixel.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, uint32_t colour)
{
    fitLayers();
    const double tpp = twipsPerPixel(this);
    const QPoint from = pixelOf(x1, y1, tpp);
    const QPoint to = pixelOf(x2, y2, tpp);
    drawLine(autoRedraw ? persistent : screen, from, to, colourFromPacked(colour));
    const QRect inner = contentsRect();
    // span() rather than QRect(from, to).normalized(): a line that rises by one pixel would
    // give an empty rectangle, and its pixels would never reach the screen.
    update(QRect::span(from, to).translated(inner.topLeft()) & inner);
}

void PictureBox::Cls()
{
    fitLayers();
    persistent.fill(background);
    screen.fill(Qt::transparent);
    update();
}

void PictureBox::setBackColor(const QColor &colour)
{
    background = colour;
    Cls();
}

void PictureBox::setLineElements(std::vector<LineElement> elements)
{
    lineElements = std::move(elements);
    fitLayers();
    drawLineElements();
    update();
}

void PictureBox::drawLineElements()
{
    lineLayer = transparentImage(contentsRect().size());
    const double tpp = twipsPerPixel(this);
    for (const LineElement &line : lineElements)
        drawLine(lineLayer, pixelOf(line.X1, line.Y1, tpp), pixelOf(line.X2, line.Y2, tpp),
                 colourFromPacked(line.BorderColor));
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    fitLayers();
    const QRect inner = contentsRect();
    QPainter painter(this);
    painter.setClipRect(inner & event->rect());
    // The line elements come last so that nothing drawn covers them.
    painter.drawImage(inner.topLeft(), persistent);
    painter.drawImage(inner.topLeft(), screen);
    painter.drawImage(inner.topLeft(), lineLayer);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    fitLayers();
}

// A widget placed before it is shown has its size but no resize event yet, so every use of the
// layers fits them first.
void PictureBox::fitLayers()
{
    const QSize size = contentsRect().size();
    if (size == persistent.size())
        return;
    // What was drawn keeps its place from the top-left corner, as it would on a larger sheet.
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(background);
    QPainter(&grown).drawImage(0, 0, persistent);
    persistent = grown;
    QImage grownScreen = transparentImage(size);
    QPainter(&grownScreen).drawImage(0, 0, screen);
    screen = grownScreen;
    drawLineElements();
}

void PictureBox::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    screen.fill(Qt::transparent);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QRect inner = contentsRect();
    // Positions are whole pixels, as the pointer reports them at every scale.
    const QPoint pixel(int(std::floor(event->position().x())) - inner.left(),
                       int(std::floor(event->position().y())) - inner.top());
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
