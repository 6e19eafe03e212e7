// Capturing a main window's client area: size, pixels, rectangles and failed captures.
#include "EmptyForm.h"
#include "Module1/Module1.h"
#include "Screens.h"
#include "platform/Clipboard.h"
#include "platform/core/Error.h"
#include "platform/qt/Native.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QTest>

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

// A form with a menu bar over a client area of swatches.
class Window : public Form
{
public:
    Window()
    {
        load(EmptyForm);
        auto *swatches = new Swatches;
        widget().setCentralWidget(swatches);
        native().client = swatches;
    }

    QMainWindow &widget() const { return *qt(*this); }

    // Shows the window with a client area of `size`; false if it never gets there.
    [[nodiscard]] bool open(QSize size)
    {
        Show();
        return QTest::qWaitForWindowExposed(&widget()) && setClientSize(size);
    }

    [[nodiscard]] bool setClientSize(QSize size)
    {
        widget().resize(size.width(), size.height() + widget().menuBar()->height());
        return QTest::qWaitFor([&] { return widget().centralWidget()->size() == size; }, 2000);
    }

    QImage clientPixels() { return ::clientPixels(widget()); }
};

bool clipboardEmpty()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return !data || data->formats().isEmpty();
}

} // namespace

class TestCapture : public QObject
{
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("earlier")); }

    // The client area in device pixels, its size rounded half to even where the ratio leaves a
    // half (the starting size at each ratio is the camera's own test), and its pixels as the
    // window renders them, minimised or not.
    void clientArea_data()
    {
        QTest::addColumn<QSize>("clientSize");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<QSize>("copiedSize");
        QTest::newRow("starting size") << QSize(664, 469) << 1.0 << false << QSize(664, 469);
        QTest::newRow("enlarged") << QSize(900, 640) << 1.0 << false << QSize(900, 640);
        QTest::newRow("shrunk") << QSize(320, 200) << 1.0 << false << QSize(320, 200);
        QTest::newRow("minimised") << QSize(664, 469) << 1.0 << true << QSize(664, 469);
        QTest::newRow("150 %, a half down to even")
                << QSize(663, 467) << 1.5 << false << QSize(994, 700);
    }
    void clientArea()
    {
        QFETCH(QSize, clientSize);
        QFETCH(qreal, ratio);
        QFETCH(bool, minimised);
        QFETCH(QSize, copiedSize);
        Window window;
        SHOW_AT_RATIO(window.widget(), ratio);
        QVERIFY(window.setClientSize(clientSize));
        const QImage expected = window.clientPixels();
        if (minimised)
            window.widget().showMinimized();

        const QImage copied = qt(CaptureFormImage(window));

        QCOMPARE(copied.size(), copiedSize);
        // Where the ratio leaves a half pixel, the rendering has it and the copy may not.
        const QRect common = copied.rect() & expected.rect();
        QCOMPARE(copied.copy(common), expected.copy(common));
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
                : window.widget().grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected(rect.size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(QPoint(0, 0), source, rect);

        const Picture picture = CaptureWindowImage(&window, client, rect.x(), rect.y(),
                                                   rect.width(), rect.height());
        QCOMPARE(qt(picture), expected);
    }

    // A capture that yields no image is a clipboard error and leaves the clipboard empty.
    void failedCapture_data()
    {
        QTest::addColumn<bool>("withWindow");
        QTest::addColumn<QSize>("size");
        QTest::newRow("empty client area") << true << QSize(0, 469);
        QTest::newRow("negative height") << true << QSize(664, -1);
        QTest::newRow("no window") << false << QSize(664, 469);
        QTest::newRow("too large to allocate") << true << QSize(2000000, 2000000);
    }
    void failedCapture()
    {
        QFETCH(bool, withWindow);
        QFETCH(QSize, size);
        Window window;
        QVERIFY(window.open(QSize(664, 469)));

        clearClipboard();
        const Picture picture = CaptureWindowImage(withWindow ? &window : nullptr, true, 0, 0,
                                                   size.width(), size.height());
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
