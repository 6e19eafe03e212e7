// Painting a caption's single line of Thai without line breaking.
#include "platform/qt/CaptionWidget.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

// Text layout places a line on a 1/64-pixel grid, cutting toward zero.
qreal onLayoutGrid(qreal position) { return qreal(int(position * 64)) / 64; }

} // namespace

// Only where QLabel would hand the whole text to the style as one run in one font: enabled,
// left to right, no frame, margin, indent or selection, and a style that draws item text the
// common way.
bool CaptionWidget::isOneLineOfThai() const
{
    const QString line = text();
    if (line.isEmpty() || wordWrap() || !isEnabled() || layoutDirection() != Qt::LeftToRight
        || frameWidth() != 0 || margin() != 0 || indent() > 0 || textFormat() == Qt::RichText
        || textFormat() == Qt::MarkdownText
        || (textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)))
        return false;
    const QString styleName = style()->name();
    if (styleName.compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0
        && styleName.compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0)
        return false;
    for (QChar letter : line) {
        if (letter.script() != QChar::Script_Thai)
            return false;
    }
    // A font without Thai would have its letters drawn by a stand-in with other metrics.
    return QFontDatabase::writingSystems(QFontInfo(font()).family()).contains(QFontDatabase::Thai);
}

void CaptionWidget::paintEvent(QPaintEvent *event)
{
    if (!isOneLineOfThai()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));

    // The arithmetic of QPainter::drawText(rect, flags, text) for a single line.
    const QString line = text();
    const QRectF area = contentsRect();
    const QFontMetricsF metrics(font(), this);
    const qreal width = metrics.horizontalAdvance(line);
    const qreal height = metrics.ascent() + metrics.descent();
    const Qt::Alignment align = QStyle::visualAlignment(Qt::LeftToRight, alignment());
    qreal x = 0;
    qreal y = 0;
    if (align & Qt::AlignRight)
        x = area.width() - width;
    else if (align & Qt::AlignHCenter)
        x = (area.width() - width) / 2;
    if (align & Qt::AlignBottom)
        y = area.height() - height;
    else if (align & Qt::AlignVCenter)
        y = (area.height() - height) / 2;
    if (!area.contains(QRectF(area.x() + x, area.y() + y, width, height)))
        painter.setClipRect(area);
    painter.drawText(
            QPointF(onLayoutGrid(area.x() + x), onLayoutGrid(area.y() + y) + metrics.ascent()),
            line);
}
