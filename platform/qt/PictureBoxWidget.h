// The chart surface: a sunken picture box that draws lines in twips onto a persistent image.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/LineElement.h"

class QPainter;

// Coordinates are twips from the inner top-left corner, inside the two-pixel sunken border.
// Everything inside is kept and drawn in device pixels, so a line is one device pixel wide at
// any scale. A line covers the pixels from its first point up to, not including, its last, and
// every twip position becomes a pixel by twipsToPixels; so a polyline sets each joint once.
class PictureBoxWidget : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBoxWidget(QWidget *parent = nullptr);

    // On: lines go into the persistent image, which survives covering, minimising and
    // repainting. Off (the start): lines go to the screen only and are lost when the box is
    // next hidden (a minimised window included) or cleared; they never enter image().
    bool AutoRedraw() const { return autoRedraw; }
    void setAutoRedraw(bool on) { autoRedraw = on; }

    // A solid one-pixel line in `colour` (red in the low byte, the top byte ignored), opaque
    // over what is there and clipped by the inner area. A failure to draw, or an end point
    // beyond what the surface can address, is a drawing error.
    void Line(float x1, float y1, float x2, float y2, uint32_t colour);
    // Erases everything drawn back to the background; the line elements stay.
    void Cls();

    // The persistent image in device pixels: what was drawn while AutoRedraw was on, on the
    // background.
    QImage image() const;

    QColor backColor() const { return background; }
    void setBackColor(const QColor &colour);
    // An element with an end beyond what the surface can address is a drawing error.
    void setLineElements(std::vector<LineElement> elements);

signals:
    // The pointer moved over the inner area, or anywhere while a button pressed on the box is
    // held. Button and Shift are bit sets (left 1, right 2, middle 4; Shift 1, Ctrl 2, Alt 4);
    // X and Y are twips of whole device pixels.
    void MouseMove(short Button, short Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // The inner area in the box's device pixels: each edge of contentsRect() scaled by the
    // ratio and rounded, so the image, the clip and the pointer agree at any ratio.
    QRect innerPixels() const;
    // Paints a device-pixel image of the inner area's size at the inner area.
    void paintLayer(QPainter &painter, const QImage &layer) const;
    void fitLayers();
    QImage &persistentImage();
    QImage &screenLayer();
    void paintLineElements(QPainter &painter);

    bool autoRedraw = false;
    QColor background = Qt::white;
    // Each image is made when first drawn on, so that a box nobody has drawn on costs no
    // memory and paints as a plain fill.
    QImage persistent; // opaque, the background plus what AutoRedraw kept; null: background only
    QImage screen; // transparent, lines drawn while AutoRedraw was off; null: none
    QImage lineLayer; // transparent, the line elements, made only when one of them is slanted
    qreal layerRatio = 0; // the device pixel ratio the images are at
    std::vector<LineElement> lineElements;
};
