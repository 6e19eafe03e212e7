// The camera button of the main window: what reaches the clipboard, and what a failure shows.
#include "Form1/Form1.h"
#include "Screens.h"
#include "platform/ErrorGuard.h"
#include "platform/core/Error.h"
#include "platform/qt/Native.h"
#include "platform/qt/ScreenDpi.h"

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

QImage clientPixels(Form1 &form) { return clientPixels(*qt(form)); }

// A point of the chart's inner area, in twips, as a pixel of the client area.
QPoint chartPixel(Form1 &form, int xTwips, int yTwips)
{
    const double tpp = form.twipsPerPixel();
    return qt(form.Pic)->geometry().topLeft() + qt(form.Pic)->contentsRect().topLeft()
            + QPoint(int(twipsToPixels(xTwips, tpp)), int(twipsToPixels(yTwips, tpp)));
}

struct ShownErrors
{
    ShownErrors()
    {
        setErrorObserver([this](const std::exception &caught, const std::string &text) {
            const auto *error = dynamic_cast<const Error *>(&caught);
            kinds.append(error ? int(error->kind()) : -1);
            texts.append(QString::fromStdString(text));
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
        form.Show();
        if (!QTest::qWaitForWindowExposed(qt(form)))
            return false;
        qt(form)->resize(qt(form)->width() + size.width() - qt(form)->centralWidget()->width(),
                         qt(form)->height() + size.height() - qt(form)->centralWidget()->height());
        return QTest::qWaitFor([&] { return qt(form)->centralWidget()->size() == size; }, 2000);
    }

private slots:
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("earlier")); }

    // The camera puts exactly the client area on the clipboard: no title bar, frame or menu bar.
    // The size it takes at other window sizes and minimised is the capture's own table.
    void copiesClientArea()
    {
        ShownErrors errors;
        Form1 form;
        QVERIFY(open(form));

        QTest::mouseClick(qt(form.Command1), Qt::LeftButton);

        QCOMPARE(errors.texts, QStringList());
        const QImage copied = clipboardImage();
        QCOMPARE(copied.size(), QSize(664, 469));
        // Grabbed after the click: the camera button keeps the focus it took.
        QCOMPARE(copied, clientPixels(form));
    }

    // 9960 by 7035 twips in device pixels: 664 by 469 at 96 dpi; 996 by 704 at 144 dpi or at
    // 96 dpi scaled by 1.5 (703.5 rounded to even); the screen's own rendering, pixel for pixel.
    void startsAtLayoutSize_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("at96");
        QTest::newRow("100 %") << 1.0 << QSize(664, 469);
        QTest::newRow("125 %") << 1.25 << QSize(830, 586);
        QTest::newRow("150 %") << 1.5 << QSize(996, 704);
        QTest::newRow("200 %") << 2.0 << QSize(1328, 938);
    }
    void startsAtLayoutSize()
    {
        QFETCH(qreal, ratio);
        QFETCH(QSize, at96);
        Form1 form;
        SHOW_AT_RATIO(*qt(form), ratio);
        form.Pic->setAutoRedraw(true);
        form.Pic->Line(150, 150, 4500, 4500, 255);
        QCoreApplication::processEvents();
        form.Command1_Click();
        const QImage copied = clipboardImage();
        QCOMPARE(copied.size(),
                 qEnvironmentVariableIntValue("VOK_TEST_DPI") == 144 ? QSize(996, 704) : at96);
        QCOMPARE(copied, clientPixels(form));
    }

    // What is drawn on the chart is in the copy, under the grid as on the screen.
    void showsTheTrace()
    {
        Form1 form;
        QVERIFY(open(form));
        form.Pic->setAutoRedraw(true);
        form.Pic->Line(150, 150, 4500, 4500, 255);

        QTest::mouseClick(qt(form.Command1), Qt::LeftButton);

        const QImage copied = clipboardImage();
        QCOMPARE(copied.pixel(chartPixel(form, 1500, 1500)), qRgb(255, 0, 0));
        QCOMPARE(copied.pixel(chartPixel(form, 3150, 3150)), qRgb(255, 0, 0));
        QCOMPARE(copied, clientPixels(form));
    }

    // A capture that yields no image is reported as a clipboard error, and the clipboard, emptied
    // before the capture, stays empty rather than holding an empty picture.
    void failedCaptureIsReported()
    {
        ShownErrors errors;
        Form1 form;
        QVERIFY(open(form));
        qt(form)->centralWidget()->setFixedSize(0, 0);
        QTRY_VERIFY(qt(form)->centralWidget()->size().isEmpty());

        runGuarded(&form, [&] { form.Command1_Click(); });

        QCOMPARE(errors.kinds, QList<int> { int(ErrorKind::Clipboard) });
        QVERIFY(errors.texts.value(0).startsWith(QStringLiteral("Clipboard error: ")));
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(!data || data->formats().isEmpty());
    }
};

QTEST_MAIN(TestCopyImage)
#include "tst_copyimage.moc"
