// A graphical command button: its picture on a flat face inside the classic two-pixel bevel.
#pragma once

#include <QAbstractButton>
#include <QColor>

// The face takes BackColor; the bevel takes the system's 3D colours from the palette, so the
// button looks the same under every widget style. The picture is the button's icon at its
// icon size, centred, and moves one pixel down and right while the button is pressed.
class PictureButtonWidget : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PictureButtonWidget(QWidget *parent = nullptr);

    QColor backColor() const { return face; }
    void setBackColor(const QColor &colour);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor face = QColor(192, 192, 192);
};
