// Capturing a main window's client area: size, pixels, palette displays and failed captures.
#include "Module1/Module1.h"
#include "platform/Clipboard.h"
#include "platform/Error.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <optional>

namespace {

// Solid areas, an aliased line and aliased text: few enough colours for a 256-colour palette.
class Swatches : public QWidget
{
public:
    Swatches()
    {
        auto *label = new QLabel(QStringLiteral("Kelvane"), this);
        QFont font = label->font();
        font.setStyleStrategy(QFont::NoAntialias);
        label->setFont(font);
        label->move(200, 8);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(192, 255, 255));
        painter.fillRect(QRect(0, 0, width() / 3, height() / 3), Qt::blue);
        painter.fillRect(QRect(width() - 10, height() - 10, 10, 10), QColor(0, 192, 0));
        painter.setPen(Qt::red);
        painter.drawLine(0, height() - 1, width() - 1, 0);
    }
};

// A main window with a menu bar over the client area.
class Window : public QMainWindow
{
public:
    Window()
    {
        menuBar()->addMenu(QStringLiteral("&File"));
        setCentralWidget(new Swatches);
    }

    // Shows the window with a client area of `size`; false if it never gets there.
    [[nodiscard]] bool open(QSize size)
    {
        show();
        return QTest::qWaitForWindowExposed(this) && setClientSize(size);
    }

    [[nodiscard]] bool setClientSize(QSize size)
    {
        resize(size.width(), size.height() + menuBar()->height());
        return QTest::qWaitFor([&] { return centralWidget()->size() == size; }, 2000);
    }

    QImage clientPixels()
    {
        return centralWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// A form whose scale is set by the test: `twipsPerPixel` twips to a pixel on both axes.
class ScaledTestForm : public ScaledForm
{
public:
    ScaledTestForm(WindowHandle window, double width, double height, ScaleUnit mode,
                   double twipsPerPixel)
        : window(window), width(width), height(height), mode(mode), twipsPerPixel(twipsPerPixel)
    { }

    WindowHandle hWnd() const override { return window; }
    double ScaleWidth() const override { return width; }
    double ScaleHeight() const override { return height; }
    ScaleUnit ScaleMode() const override { return mode; }
    double ScaleX(double length, ScaleUnit from, ScaleUnit to) const override
    {
        return convert(length, from, to);
    }
    double ScaleY(double length, ScaleUnit from, ScaleUnit to) const override
    {
        return convert(length, from, to);
    }

private:
    double convert(double length, ScaleUnit from, ScaleUnit to) const
    {
        if (from == to)
            return length;
        return to == ScaleUnit::Pixels ? length / twipsPerPixel : length * twipsPerPixel;
    }

    WindowHandle window;
    double width;
    double height;
    ScaleUnit mode;
    double twipsPerPixel;
};

// The colours of `image` first, then grey steps until there are 256 entries.
QList<QRgb> paletteFor(const QImage &image)
{
    QSet<QRgb> seen;
    QList<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y);
            if (!seen.contains(colour)) {
                seen.insert(colour);
                colours.append(colour);
            }
        }
    for (int grey = 0; colours.size() < 256; ++grey)
        colours.append(qRgb(grey, grey, grey));
    return colours;
}

QImage clipboardImage()
{
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
}

bool clipboardEmpty()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return !data || data->formats().isEmpty();
}

} // namespace

Q_DECLARE_METATYPE(ScaleUnit)

class TestCapture : public QObject
{
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("earlier")); }
    void cleanup() { QCOMPARE(DeviceContext::openCount(), 0); }

    // The clipboard receives the client area exactly as the window draws it, whatever its size,
    // and also while the window is minimised.
    void clientArea_data()
    {
        QTest::addColumn<QSize>("clientSize");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("starting size") << QSize(664, 469) << false;
        QTest::newRow("enlarged") << QSize(900, 640) << false;
        QTest::newRow("shrunk") << QSize(320, 200) << false;
        QTest::newRow("minimised") << QSize(664, 469) << true;
    }
    void clientArea()
    {
        QFETCH(QSize, clientSize);
        QFETCH(bool, minimised);
        Window window;
        QVERIFY(window.open(QSize(664, 469)));
        QVERIFY(window.setClientSize(clientSize));
        const QImage expected = window.clientPixels();
        if (minimised)
            window.showMinimized();

        clearClipboard();
        setClipboardData(CaptureFormImage(window), CF_BITMAP);

        const QImage copied = clipboardImage();
        QCOMPARE(copied.size(), clientSize);
        QCOMPARE(copied, expected);
    }

    // Rectangles of the client area or of the whole window; what lies outside the window is black.
    void rectangles_data()
    {
        QTest::addColumn<bool>("client");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("client interior") << true << QRect(10, 20, 50, 40);
        QTest::newRow("client past the right and bottom") << true << QRect(600, 440, 100, 60);
        QTest::newRow("client before the origin") << true << QRect(-5, -7, 30, 30);
        QTest::newRow("whole window, menu bar included") << false << QRect(0, 0, 664, 500);
    }
    void rectangles()
    {
        QFETCH(bool, client);
        QFETCH(QRect, rect);
        Window window;
        QVERIFY(window.open(QSize(664, 469)));
        const QImage source = client
                ? window.clientPixels()
                : window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(rect.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(QPoint(0, 0), source, rect);

        const Picture picture = CaptureWindowImage(&window, client, rect.x(), rect.y(),
                                                   rect.width(), rect.height());
        QCOMPARE(picture.image().convertToFormat(QImage::Format_RGB32), expected);
        QVERIFY(!picture.hasPalette());
    }

    // Only a palette device with exactly 256 entries has its palette copied into the picture.
    void palettes_data()
    {
        QTest::addColumn<bool>("paletteDevice");
        QTest::addColumn<int>("paletteSize");
        QTest::addColumn<bool>("expectPalette");
        QTest::newRow("true colour") << false << 0 << false;
        QTest::newRow("256-colour palette") << true << 256 << true;
        QTest::newRow("16-colour palette") << true << 16 << false;
    }
    void palettes()
    {
        QFETCH(bool, paletteDevice);
        QFETCH(int, paletteSize);
        QFETCH(bool, expectPalette);
        Window window;
        QVERIFY(window.open(QSize(664, 469)));
        const QImage expected = window.clientPixels();
        const QList<QRgb> systemPalette = paletteFor(expected);
        QVERIFY(systemPalette.size() == 256);
        DisplayDevice display;
        if (paletteDevice) {
            display = DisplayDevice::palette256(systemPalette);
            display.paletteSize = paletteSize;
        }
        const SimulatedDisplay simulated(display);

        clearClipboard();
        const Picture picture = CaptureFormImage(window);
        setClipboardData(picture, CF_BITMAP);

        QCOMPARE(picture.hasPalette(), expectPalette);
        const QImage image = picture.image();
        if (expectPalette) {
            QCOMPARE(picture.paletteEntries(), systemPalette);
            QCOMPARE(image.format(), QImage::Format_Indexed8);
            QCOMPARE(image.colorTable(), systemPalette);
        }
        // Every colour of the window is in the palette, so nothing is lost to the mapping.
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), expected);
        QCOMPARE(clipboardImage(), expected);
    }

    // On a palette device each pixel becomes the nearest palette colour.
    void paletteMapsToNearestColour()
    {
        Window window;
        QVERIFY(window.open(QSize(100, 80)));
        QList<QRgb> systemPalette;
        for (int i = 0; i < 256; ++i)
            systemPalette.append(i < 128 ? qRgb(255 - i, 0, 0) : qRgb(0, 0, i));
        const SimulatedDisplay simulated(DisplayDevice::palette256(systemPalette));
        const QImage image = CaptureFormImage(window).image();
        QCOMPARE(image.colorTable(), systemPalette);
        // The blue block maps to pure blue, the pale cyan background to the nearest blue.
        QCOMPARE(image.pixel(2, 2), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(60, 60), qRgb(0, 0, 255));
    }

    // The scale width and height become pixels rounded half to even.
    void scaleRounding_data()
    {
        QTest::addColumn<ScaleUnit>("mode");
        QTest::addColumn<double>("scaleWidth");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<int>("expectedWidth");
        QTest::newRow("whole twips") << ScaleUnit::Twips << 9960.0 << 15.0 << 664;
        QTest::newRow("half below even") << ScaleUnit::Twips << 1329.0 << 2.0 << 664;
        QTest::newRow("half above odd") << ScaleUnit::Twips << 1331.0 << 2.0 << 666;
        QTest::newRow("just under a half") << ScaleUnit::Twips << 1330.98 << 2.0 << 665;
        QTest::newRow("just over a half") << ScaleUnit::Twips << 1329.02 << 2.0 << 665;
        QTest::newRow("already pixels") << ScaleUnit::Pixels << 300.0 << 15.0 << 300;
        QTest::newRow("pixels with a half") << ScaleUnit::Pixels << 300.5 << 15.0 << 300;
    }
    void scaleRounding()
    {
        QFETCH(ScaleUnit, mode);
        QFETCH(double, scaleWidth);
        QFETCH(double, twipsPerPixel);
        QFETCH(int, expectedWidth);
        Window window;
        QVERIFY(window.open(QSize(664, 469)));
        const double scaleHeight = mode == ScaleUnit::Twips ? 100 * twipsPerPixel : 100;
        const ScaledTestForm form(&window, scaleWidth, scaleHeight, mode, twipsPerPixel);
        QCOMPARE(CaptureFormImage(form).image().size(), QSize(expectedWidth, 100));
    }

    void sizeBeyond32Bits()
    {
        Window window;
        QVERIFY(window.open(QSize(100, 100)));
        const ScaledTestForm form(&window, 4e10, 1500, ScaleUnit::Twips, 15);
        try {
            CaptureFormImage(form);
            QFAIL("no error");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::Overflow);
        }
    }

    // A capture that yields no image is a clipboard error and leaves the clipboard empty.
    void failedCapture_data()
    {
        QTest::addColumn<bool>("withWindow");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("bitmapsFail");
        QTest::newRow("bitmap cannot be allocated") << true << QSize(664, 469) << true;
        QTest::newRow("empty client area") << true << QSize(0, 469) << false;
        QTest::newRow("negative height") << true << QSize(664, -1) << false;
        QTest::newRow("no window") << false << QSize(664, 469) << false;
        QTest::newRow("too large to allocate") << true << QSize(2000000, 2000000) << false;
    }
    void failedCapture()
    {
        QFETCH(bool, withWindow);
        QFETCH(QSize, size);
        QFETCH(bool, bitmapsFail);
        Window window;
        QVERIFY(window.open(QSize(664, 469)));
        DisplayDevice display;
        display.bitmapsFail = bitmapsFail;
        const SimulatedDisplay simulated(display);
        const ScaledTestForm form(withWindow ? &window : nullptr, size.width(), size.height(),
                                  ScaleUnit::Pixels, 15);

        clearClipboard();
        const Picture picture = CaptureFormImage(form);
        QVERIFY(picture.isNull());
        try {
            setClipboardData(picture, CF_BITMAP);
            QFAIL("no error");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::Clipboard);
        }
        QVERIFY(clipboardEmpty());
    }
};

QTEST_MAIN(TestCapture)
#include "tst_capture.moc"
