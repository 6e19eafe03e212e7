// The camera button of the main window: what reaches the clipboard, and what a failure shows.
#include "Form1/Form1.h"
#include "platform/DeviceContext.h"
#include "platform/Error.h"
#include "platform/ErrorGuard.h"
#include "platform/Twips.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QToolButton>

namespace {

QImage clipboardImage()
{
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
}

QImage clientPixels(Form1 &form)
{
    return form.centralWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A point of the chart's inner area, in twips, as a pixel of the client area.
QPoint chartPixel(Form1 &form, int xTwips, int yTwips)
{
    const double tpp = twipsPerPixel(&form);
    return form.Pic->geometry().topLeft() + form.Pic->contentsRect().topLeft()
            + QPoint(int(twipsToPixels(xTwips, tpp)), int(twipsToPixels(yTwips, tpp)));
}

struct ShownErrors
{
    ShownErrors()
    {
        setErrorObserver([this](const std::exception &caught, const QString &text) {
            const auto *error = dynamic_cast<const Error *>(&caught);
            kinds.append(error ? int(error->kind()) : -1);
            texts.append(text);
        });
    }
    ~ShownErrors() { setErrorObserver({}); }

    QList<int> kinds;
    QStringList texts;
};

} // namespace

class TestCopyImage : public QObject
{
    Q_OBJECT

    // A shown main window whose client area is `size`.
    [[nodiscard]] bool open(Form1 &form, QSize size = QSize(664, 469))
    {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return false;
        form.resize(form.width() + size.width() - form.centralWidget()->width(),
                    form.height() + size.height() - form.centralWidget()->height());
        return QTest::qWaitFor([&] { return form.centralWidget()->size() == size; }, 2000);
    }

private slots:
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("earlier")); }
    void cleanup() { QCOMPARE(DeviceContext::openCount(), 0); }

    // The camera puts exactly the client area on the clipboard: no title bar, frame or menu bar,
    // at whatever size the window has now, minimised or not.
    void copiesClientArea_data()
    {
        QTest::addColumn<QSize>("clientSize");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("starting size") << QSize(664, 469) << false;
        QTest::newRow("enlarged") << QSize(820, 600) << false;
        QTest::newRow("shrunk") << QSize(400, 300) << false;
        QTest::newRow("minimised") << QSize(664, 469) << true;
    }
    void copiesClientArea()
    {
        QFETCH(QSize, clientSize);
        QFETCH(bool, minimised);
        ShownErrors errors;
        Form1 form;
        QVERIFY(open(form, clientSize));
        if (minimised)
            form.showMinimized();

        QTest::mouseClick(form.Command1, Qt::LeftButton);

        QCOMPARE(errors.texts, QStringList());
        const QImage copied = clipboardImage();
        QCOMPARE(copied.size(), clientSize);
        // Grabbed after the click: the camera button keeps the focus it took.
        QCOMPARE(copied, clientPixels(form));
    }

    // 9960 by 7035 twips: 664 by 469 pixels at 96 dpi, 996 by 704 at 144 dpi.
    void startsAtLayoutSize()
    {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Command1_Click();
        const QSize expected = qEnvironmentVariableIntValue("VOK_TEST_DPI") == 144
                ? QSize(996, 704)
                : QSize(664, 469);
        QCOMPARE(clipboardImage().size(), expected);
    }

    // What is drawn on the chart is in the copy, under the grid as on the screen.
    void showsTheTrace()
    {
        Form1 form;
        QVERIFY(open(form));
        form.Pic->setAutoRedraw(true);
        form.Pic->Line(150, 150, 4500, 4500, 255);

        QTest::mouseClick(form.Command1, Qt::LeftButton);

        const QImage copied = clipboardImage();
        QCOMPARE(copied.pixel(chartPixel(form, 1500, 1500)), qRgb(255, 0, 0));
        QCOMPARE(copied.pixel(chartPixel(form, 3150, 3150)), qRgb(255, 0, 0));
        QCOMPARE(copied, clientPixels(form));
    }

    // On a 256-colour palette display the clipboard image is indexed with the system palette.
    void paletteDisplay()
    {
        QList<QRgb> systemPalette;
        for (int i = 0; i < 216; ++i)
            systemPalette.append(qRgb(i / 36 * 51, i / 6 % 6 * 51, i % 6 * 51));
        while (systemPalette.size() < 256)
            systemPalette.append(qRgb(192, 192, 192));
        const SimulatedDisplay display(DisplayDevice::palette256(systemPalette));
        Form1 form;
        QVERIFY(open(form));

        form.Command1_Click();

        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), form.centralWidget()->size());
        QCOMPARE(copied.format(), QImage::Format_Indexed8);
        QCOMPARE(copied.colorTable(), systemPalette);
    }

    // A capture that yields no image is reported as a clipboard error, and the clipboard, emptied
    // before the capture, stays empty rather than holding an empty picture.
    void failedCaptureIsReported()
    {
        ShownErrors errors;
        Form1 form;
        QVERIFY(open(form));
        DisplayDevice exhausted;
        exhausted.bitmapsFail = true;
        const SimulatedDisplay display(exhausted);

        QTest::mouseClick(form.Command1, Qt::LeftButton);

        QCOMPARE(errors.kinds, QList<int> { int(ErrorKind::Clipboard) });
        QVERIFY(errors.texts.value(0).startsWith(QStringLiteral("Clipboard error: ")));
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(!data || data->formats().isEmpty());
    }
};

QTEST_MAIN(TestCopyImage)
#include "tst_copyimage.moc"
