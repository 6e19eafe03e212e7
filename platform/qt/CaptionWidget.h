// A caption: a label whose single line of Thai is drawn without Qt's line-breaking pass.
#pragma once

#include <QLabel>

// Shows what QLabel shows, pixel for pixel. QLabel lays its text out as a paragraph, and
// finding where Thai may break loads a half-megabyte word dictionary: milliseconds at start-up,
// for a caption that never wraps. So a plain line of Thai letters in a font that writes Thai
// is drawn straight from its shaped glyphs, where QLabel's layout would put them; any other
// text or setting is left to QLabel.
class CaptionWidget : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool isOneLineOfThai() const;
};
