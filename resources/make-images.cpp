// Draws the program icon and the toolbar glyphs into the PNG files that the gui library embeds
// (qt_add_resources in CMakeLists.txt); run it once after changing a picture here:
// vok-make-images <resources directory>.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// The eight colours the glyphs may use, each drawn by its letter in the art below.
const std::map<char, QColor> glyphColours {
    { '.', QColor(192, 192, 192) }, { 'k', QColor(0, 0, 0) },     { 'w', QColor(255, 255, 255) },
    { 'g', QColor(128, 128, 128) }, { 'y', QColor(255, 255, 0) }, { 'o', QColor(128, 128, 0) },
    { 'n', QColor(0, 0, 128) },     { 'r', QColor(255, 0, 0) },
};

using Art = std::vector<const char *>;

const Art newPage {
    "................", "...kkkkkkkk.....", "...kwwwwwwkk....", "...kwwwwwwkwk...",
    "...kwwwwwwkwwk..", "...kwwwwwwkkkkk.", "...kwwwwwwwwwwk.", "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.", "...kwwwwwwwwwwk.", "...kwwwwwwwwwwk.", "...kwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.", "...kwwwwwwwwwwk.", "...kkkkkkkkkkkk.", "................"
};

const Art openFolder { "................", "................", "................",
                       ".kkkk...........", "kooook..........", "kooooookkkkkk...",
                       "koooooooooook...", "koooooooooook...", "koookkkkkkkkkkkk",
                       "kookyyyyyyyyyyyk", "kokyyyyyyyyyyyk.", "kkyyyyyyyyyyyk..",
                       "kkkkkkkkkkkkk...", "................", "................",
                       "................" };

const Art camera { "................", "................", "................", "......kkkk......",
                   ".kkkkkkggkkkkkk.", ".kggggggggggrgk.", ".kgggkkkkkggggk.", ".kggkwwnnkkgggk.",
                   ".kgkwnnnnnkkggk.", ".kgknnnnnnnkggk.", ".kgknnnnnnnkggk.", ".kgkknnnnnkkggk.",
                   ".kggkkkkkkkgggk.", ".kkkkkkkkkkkkkk.", "................", "................" };

const Art exitCross { "................", "................", "..kk........kk..",
                      "...kk......kk...", "....kk....kk....", ".....kk..kk.....",
                      "......kkkk......", ".......kk.......", "......kkkk......",
                      ".....kk..kk.....", "....kk....kk....", "...kk......kk...",
                      "..kk........kk..", "................", "................",
                      "................" };

bool save(const QImage &image, const QString &path)
{
    const QImage indexed
            = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (indexed.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

QImage glyph(const Art &art)
{
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixelColor(x, y, glyphColours.at(art[size_t(y)][x]));
    return image;
}

// A small chart like the window's: light cyan paper, a green grid, a red trace rising and
// falling, and a thermometer beside it once there is room.
QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const bool thermometer = size >= 32;
    const int left = thermometer ? size / 4 : 0;
    const QRect paper(left, 0, size - left, size);
    painter.fillRect(paper, QColor(192, 255, 255));
    const int cells = 4;
    painter.setPen(QColor(0, 192, 0));
    for (int i = 1; i < cells; ++i) {
        painter.drawLine(paper.left() + paper.width() * i / cells, 0,
                         paper.left() + paper.width() * i / cells, size - 1);
        painter.drawLine(paper.left(), size * i / cells, size - 1, size * i / cells);
    }
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
    const double points[][2] = { { 0.05, 0.75 }, { 0.25, 0.45 }, { 0.45, 0.6 },
                                 { 0.65, 0.2 },  { 0.8, 0.35 },  { 0.95, 0.15 } };
    QPolygon trace;
    for (const auto &point : points)
        trace << QPoint(paper.left() + int(point[0] * (paper.width() - 1)),
                        int(point[1] * (size - 1)));
    painter.setPen(QPen(QColor(255, 0, 0), size >= 32 ? 2 : 1));
    painter.drawPolyline(trace);
    if (thermometer) {
        const int centre = left / 2;
        const int bulb = left / 2 - 1;
        const int tube = bulb / 2;
        painter.setPen(QColor(64, 64, 64));
        painter.setBrush(Qt::white);
        painter.drawRect(centre - tube, size / 16, 2 * tube, size - 2 * bulb);
        painter.setBrush(QColor(255, 0, 0));
        painter.drawRect(centre - tube, size / 3, 2 * tube, size - 2 * bulb - size / 3);
        painter.drawEllipse(QPoint(centre, size - bulb - 1), bulb, bulb);
    }
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources directory>\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    bool ok = true;
    for (int size : { 16, 32, 48 })
        ok &= save(icon(size), dir + QStringLiteral("icon-%1.png").arg(size));
    ok &= save(glyph(newPage), dir + QStringLiteral("glyph-new.png"));
    ok &= save(glyph(openFolder), dir + QStringLiteral("glyph-open.png"));
    ok &= save(glyph(camera), dir + QStringLiteral("glyph-camera.png"));
    ok &= save(glyph(exitCross), dir + QStringLiteral("glyph-exit.png"));
    return ok ? 0 : 1;
}
