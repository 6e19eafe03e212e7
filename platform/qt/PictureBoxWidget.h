// The chart surface: a sunken picture box that draws lines in twips onto a persistent image.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/core/LineElement.h"
#include "platform/core/PictureModel.h"

class QPainter;

// PictureBox over Qt (platform/PictureBox.h says what each operation does). The box keeps its
// drawing in a PictureModel and shows it from one image in device pixels, which holds the
// persistent drawing, and runs of device pixels for the lines drawn with AutoRedraw off and the
// line elements. All of these are made again from the model when the size or the scale changes,
// so a paint copies the image and fills the runs, and nothing else.
class PictureBoxWidget : public QFrame
{
    Q_OBJECT

public:
    explicit PictureBoxWidget(QWidget *parent = nullptr);

    void setAutoRedraw(bool on) { model_.autoRedraw = on; }
    void Line(float x1, float y1, float x2, float y2, uint32_t colour);
    void Cls();
    void setLineElements(std::vector<LineElement> elements);

    void setBackColor(const QColor &colour);

signals:
    // X and Y are twips of whole device pixels; see PictureBox::onMouseMove.
    void MouseMove(short Button, short Shift, float X, float Y);

protected:
    bool event(QEvent *event) override;
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
    bool placedNow() const;
    void place();
    QImage baseImage() const;
    void foldOldest();
    std::vector<Run> runsOf(const std::vector<PixelLine> &lines) const;
    void fillRuns(QPainter &painter, const std::vector<Run> &runs) const;

    PictureModel model_;
    QColor background_ = Qt::white;
    // Made when first drawn on, so that a box nobody has drawn on costs no memory and paints as
    // a plain fill; null: the background only.
    QImage persistent_;
    // The lines the model folded, on the background, at the scale they were folded at.
    QImage folded_;
    std::vector<Run> screenRuns_;
    std::vector<Run> elementRuns_;
    // The size and ratio the image and the runs were made at.
    QSize placedSize_;
    qreal placedRatio_ = 0;
};
