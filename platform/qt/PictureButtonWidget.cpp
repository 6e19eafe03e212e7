// Painting the graphical command button.
#include "platform/qt/PictureButtonWidget.h"

#include <QPainter>
#include <qdrawutil.h>

PictureButtonWidget::PictureButtonWidget(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setIconSize(QSize(16, 16));
}

void PictureButtonWidget::setBackColor(const QColor &colour)
{
    face = colour;
    update();
}

QSize PictureButtonWidget::sizeHint() const { return iconSize() + QSize(8, 8); }

void PictureButtonWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    const QBrush fill(face);
    qDrawWinButton(&painter, rect(), palette(), sunken, &fill);
    const QPixmap picture
            = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    QRect at(QPoint(), picture.deviceIndependentSize().toSize());
    at.moveCenter(rect().center());
    if (sunken)
        at.translate(1, 1);
    painter.drawPixmap(at, picture);
    if (hasFocus()) {
        // The dotted focus rectangle sits just inside the bevel.
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}
