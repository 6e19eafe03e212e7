// Draws the program icon and the toolbar glyphs into the PNG files that the Qt edition embeds
// (qt_add_resources in platform/qt/Backend.cmake), and the same pictures as the icon file and
// bitmaps the Windows edition's resource script takes; run it once after changing a picture
// here: vok-make-images <resources directory>.
#include <QByteArray>
#include <QColor>
#include <QFile>
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

QImage indexed(const QImage &image)
{
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

bool failed(const QString &path)
{
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool save(const QImage &image, const QString &path)
{
    return indexed(image).save(path, "PNG") || failed(path);
}

bool write(const QByteArray &bytes, const QString &path)
{
    QFile file(path);
    return (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) || failed(path);
}

// The Windows formats store numbers little-endian.
void put(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

constexpr int DibHeaderSize = 40;
constexpr int PaletteEntries = 256;

// A 256-colour device-independent bitmap, bottom row first. An icon's doubles the height for
// the mask after the colours, whose set bits let the desktop show through.
QByteArray dib(const QImage &image, bool withMask)
{
    const QImage colours = indexed(image);
    const int width = colours.width(), height = colours.height();
    QByteArray out;
    put(out, DibHeaderSize, 4);
    put(out, quint32(width), 4);
    put(out, quint32(withMask ? 2 * height : height), 4);
    put(out, 1, 2); // planes
    put(out, 8, 2); // bits per pixel
    put(out, 0, 4); // uncompressed
    put(out, 0, 4 * 5); // image size (implied), resolution, colours used and important (all)
    for (int i = 0; i < PaletteEntries; ++i) {
        const QRgb colour = i < colours.colorCount() ? colours.color(i) : 0;
        put(out, quint32(qBlue(colour) | qGreen(colour) << 8 | qRed(colour) << 16), 4);
    }
    const int rowBytes = (width + 3) / 4 * 4;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const bool clear = qAlpha(colours.color(colours.pixelIndex(x, y))) == 0;
            // Where the mask shows the desktop, the colour must be black to leave it unchanged.
            out.append(char(withMask && clear ? 0 : colours.pixelIndex(x, y)));
        }
        out.append(QByteArray(rowBytes - width, '\0'));
    }
    if (withMask) {
        const int maskBytes = (width + 31) / 32 * 4;
        for (int y = height - 1; y >= 0; --y) {
            QByteArray row(maskBytes, '\0');
            for (int x = 0; x < width; ++x)
                if (qAlpha(image.pixel(x, y)) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            out.append(row);
        }
    }
    return out;
}

bool saveBitmap(const QImage &image, const QString &path)
{
    constexpr int FileHeaderSize = 14;
    const QByteArray bits = dib(image, false);
    QByteArray out("BM");
    put(out, quint32(FileHeaderSize + bits.size()), 4);
    put(out, 0, 4);
    put(out, FileHeaderSize + DibHeaderSize + 4 * PaletteEntries, 4);
    return write(out + bits, path);
}

bool saveIcon(const std::vector<QImage> &sizes, const QString &path)
{
    constexpr int HeaderSize = 6, EntrySize = 16;
    QByteArray out;
    put(out, 0, 2);
    put(out, 1, 2); // an icon, not a cursor
    put(out, quint32(sizes.size()), 2);
    QByteArray images;
    for (const QImage &image : sizes) {
        const QByteArray bits = dib(image, true);
        put(out, quint32(image.width()), 1);
        put(out, quint32(image.height()), 1);
        put(out, 0, 1); // 256 colours or more
        put(out, 0, 1);
        put(out, 1, 2); // planes
        put(out, 8, 2); // bits per pixel
        put(out, quint32(bits.size()), 4);
        put(out, quint32(HeaderSize + EntrySize * int(sizes.size()) + images.size()), 4);
        images += bits;
    }
    return write(out + images, path);
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
    std::vector<QImage> icons;
    for (int size : { 16, 32, 48 }) {
        icons.push_back(icon(size));
        ok &= save(icons.back(), dir + QStringLiteral("icon-%1.png").arg(size));
    }
    ok &= saveIcon(icons, dir + QStringLiteral("icon.ico"));
    const std::pair<const char *, const Art *> glyphs[] {
        { "new", &newPage }, { "open", &openFolder }, { "camera", &camera }, { "exit", &exitCross }
    };
    for (const auto &[name, art] : glyphs) {
        const QString path = dir + QStringLiteral("glyph-%1.").arg(QLatin1String(name));
        ok &= save(glyph(*art), path + QStringLiteral("png"));
        ok &= saveBitmap(glyph(*art), path + QStringLiteral("bmp"));
    }
    return ok ? 0 : 1;
}
