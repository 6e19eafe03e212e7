// The chart surface: a sunken picture box that draws lines in twips onto a persistent image.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/LineElement.h"

class QPainter;

// PictureBox over Qt (platform/PictureBox.h says what each operation does). One image keeps
// what is drawn with AutoRedraw on, in device pixels; everything else on the box (the lines
// drawn with it off, the line elements) is kept as runs of device pixels that are placed when a
// line is drawn or the size or scale changes, so that a paint only copies the image and fills.
class PictureBoxWidget : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBoxWidget(QWidget *parent = nullptr);

    bool AutoRedraw() const { return autoRedraw; }
    void setAutoRedraw(bool on) { autoRedraw = on; }
    void Line(float x1, float y1, float x2, float y2, uint32_t colour);
    void Cls();
    void setLineElements(std::vector<LineElement> elements);

    // What was drawn while AutoRedraw was on, on the background, in device pixels; lines drawn
    // with it off never enter it.
    QImage image() const;

    QColor backColor() const { return background; }
    void setBackColor(const QColor &colour);

signals:
    // X and Y are twips of whole device pixels; see PictureBox::onMouseMove.
    void MouseMove(short Button, short Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // Pixels of one colour, in device pixels of the inner area.
    struct Run
    {
        QRect pixels;
        QColor colour;
    };

    // The inner area in the box's device pixels: each edge of contentsRect() scaled by the
    // ratio and rounded, so the image, the clip and the pointer agree at any ratio.
    QRect innerPixels() const;
    void fitToScreen();
    void placeLineElements();
    QImage &persistentImage();
    void fillRuns(QPainter &painter, const std::vector<Run> &runs) const;

    bool autoRedraw = false;
    QColor background = Qt::white;
    // Made when first drawn on, so that a box nobody has drawn on costs no memory and paints as
    // a plain fill; null: the background only.
    QImage persistent;
    std::vector<Run> screenRuns; // lines drawn while AutoRedraw was off, in their order
    std::vector<LineElement> lineElements;
    std::vector<Run> elementRuns; // the line elements placed at placedSize and placedRatio
    QSize placedSize;
    qreal placedRatio = 0;
};
