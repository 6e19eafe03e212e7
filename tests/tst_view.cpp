// Viewing logs in the real window: the trace on the chart, the commands, and the read-out.
#include "Form1/Form1.h"
#include "LogFiles.h"
#include "Screens.h"
#include "platform/ErrorGuard.h"
#include "platform/core/Error.h"
#include "platform/qt/Native.h"

#include <QLocale>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QRgb Red = qRgb(255, 0, 0);
constexpr int Border = 2; // the chart's sunken border, in pixels

QImage chartPixels(Form1 &form)
{
    return qt(form.Pic)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int countRed(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == Red;
    return count;
}

std::string flatLog(int records, int degrees)
{
    std::string bytes;
    for (int i = 0; i < records; ++i)
        appendRecord(bytes, recordForDegrees(degrees));
    return bytes;
}

// A trace that moves every sample, so that any missing or extra segment shows.
std::string zigzagLog(int records)
{
    std::string bytes;
    for (int i = 0; i < records; ++i)
        appendRecord(bytes, recordForDegrees((i * 37) % 200 - 50));
    return bytes;
}

} // namespace

class TestView : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
    QString chosen; // what the scripted dialog answers
    QStringList errors; // what the error guard showed
    bool busyWhenReported = false; // the busy pointer on view as the last error was shown

    QString file(const QString &name, const std::string &bytes)
    {
        writeFile(dir.filePath(name).toStdString(), bytes);
        return dir.filePath(name);
    }

    void open(const QString &path)
    {
        chosen = path;
        qt(form->Cm2)->click();
    }

private slots:
    void init()
    {
        errors.clear();
        setErrorObserver([this](const std::exception &, const std::string &text) {
            errors << QString::fromStdString(text);
            busyWhenReported = QGuiApplication::overrideCursor() != nullptr;
        });
        form = std::make_unique<Form1>();
        form->CmD->setChooser([this](const std::string &) { return chosen.toStdString(); });
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(qt(*form)));
    }

    void cleanup()
    {
        form.reset();
        setErrorObserver({});
        QLocale::setDefault(QLocale::c());
    }

    // -25.25 then 26.0 degrees: one segment from (0, 4926) to (60, 3696) twips, at 96 dpi from
    // pixel (0, 328) toward (4, 246), whose end point is left for the next segment; one device
    // pixel wide at every ratio, each end on the device pixel of its twips.
    void firstSegment_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("gridRows"); // green rows crossing the segment, which stay on top
        QTest::newRow("100 %") << 1.0 << QPoint(0, 328) << QPoint(4, 246) << 3;
        QTest::newRow("125 %") << 1.25 << QPoint(0, 411) << QPoint(5, 308) << 3;
        QTest::newRow("150 %") << 1.5 << QPoint(0, 493) << QPoint(6, 370) << 3;
        QTest::newRow("200 %") << 2.0 << QPoint(0, 657) << QPoint(8, 493) << 3;
    }
    void firstSegment()
    {
        QFETCH(qreal, ratio);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, gridRows);
        SHOW_AT_RATIO(*qt(*form), ratio);
        std::string bytes;
        appendRecord(bytes, { 255, 206, 16, 16 });
        appendRecord(bytes, { 0, 51, 4, 16 });
        open(file("segment.log", bytes));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));

        const QImage chart = chartPixels(*form);
        const QPoint origin(innerOrigin(ratio), innerOrigin(ratio));
        QCOMPARE(chart.pixel(origin + from), Red);
        QVERIFY(chart.pixel(origin + to) != Red);
        int top = chart.height(), bottom = -1, left = chart.width(), right = -1;
        for (int y = 0; y < chart.height(); ++y)
            for (int x = 0; x < chart.width(); ++x)
                if (chart.pixel(x, y) == Red) {
                    top = std::min(top, y), bottom = std::max(bottom, y);
                    left = std::min(left, x), right = std::max(right, x);
                }
        QCOMPARE(QPoint(left, top) - origin, QPoint(0, to.y() + 1));
        QCOMPARE(QPoint(right, bottom) - origin, QPoint(to.x() - 1, from.y()));
        // One pixel per row, less the rows where the grid's green lines stay on top.
        QCOMPARE(countRed(chart), from.y() - to.y() - gridRows);
        QCOMPARE(form->SampleNo, 2);
        QCOMPARE(form->PrevTemp, 26.0f);
    }

    // What reaches the window's backing store after the load, not a fresh rendering of the
    // widget: every segment's pixels must have been scheduled for repainting. The empty chart
    // is on the screen first, so that the window's first paint cannot bring the trace there.
    void everySegmentReachesTheScreen()
    {
        const QRect inner = qt(form->Pic)->contentsRect().translated(
                qt(form->Pic)->mapTo(qt(*form), QPoint()));
        const auto onScreen = [&] {
            return qt(*form)
                    ->screen()
                    ->grabWindow(qt(*form)->winId())
                    .toImage()
                    .convertToFormat(QImage::Format_RGB32)
                    .copy(inner);
        };
        const auto rendered
                = [&] { return chartPixels(*form).copy(qt(form->Pic)->contentsRect()); };
        QTRY_COMPARE(onScreen(), rendered());
        open(file("zigzag.log", zigzagLog(141)));
        QVERIFY(countRed(rendered()) > 1000);
        QTRY_COMPARE(onScreen(), rendered());
    }

    // Records past sample 140 are read and counted but draw nothing.
    void onlyTheFirst141SamplesAreDrawn()
    {
        open(file("first141.log", zigzagLog(141)));
        const QImage first141 = chartPixels(*form);
        QVERIFY(countRed(first141) > 1000);

        qt(form->Cm1)->click();
        open(file("600.log", zigzagLog(600)));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QCOMPARE(chartPixels(*form), first141);
        QCOMPARE(form->SampleNo, 600);
        QCOMPARE(form->PrevSampleNo, 599);
    }

    void loadsOverlayUntilNew()
    {
        open(file("warm.log", flatLog(141, 50)));
        const QImage warm = chartPixels(*form);
        qt(form->Cm1)->click();
        open(file("cold.log", flatLog(141, -20)));
        const QImage cold = chartPixels(*form);

        open(file("warm.log", flatLog(141, 50)));
        const QImage both = chartPixels(*form);
        QCOMPARE(countRed(both), countRed(warm) + countRed(cold));
        for (int y = 0; y < both.height(); ++y)
            for (int x = 0; x < both.width(); ++x)
                QCOMPARE(both.pixel(x, y) == Red,
                         warm.pixel(x, y) == Red || cold.pixel(x, y) == Red);
    }

    void newThenOpenRedrawsTheSameTrace()
    {
        const QImage empty = chartPixels(*form);
        qt(form->Cm1)->click(); // New before anything was opened changes nothing
        QCOMPARE(chartPixels(*form), empty);

        const QString path = file("zigzag.log", zigzagLog(300));
        open(path);
        const QImage first = chartPixels(*form);
        qt(form->mnuNew)->trigger();
        QCOMPARE(chartPixels(*form), empty);
        open(path);
        QCOMPARE(chartPixels(*form), first);
    }

    void cancelledDialogChangesNothing()
    {
        open(QString()); // before any file was chosen
        QCOMPARE(form->SampleNo, 0);
        form->Pic->Line(0, 0, 600, 600, 255); // kept: the cancelled Open still made lines stay

        open(file("trace.log", zigzagLog(200)));
        const QImage trace = chartPixels(*form);
        const WindowState before = *form;
        open(QString());
        QVERIFY(errors.isEmpty());
        // Hidden and shown again, as in a minimised window: what was drawn since Open stays.
        qt(form->Pic)->hide();
        qt(form->Pic)->show();
        QCOMPARE(chartPixels(*form), trace);
        QCOMPARE(form->SampleNo, before.SampleNo);
        QCOMPARE(form->Temp, before.Temp);
        QCOMPARE(form->PrevTemp, before.PrevTemp);
    }

    // A malformed record 50 stops the load there: 49 segments stay, the error is shown with the
    // busy pointer gone, and the window goes on working.
    void faultDuringLoadKeepsWhatWasDrawn()
    {
        open(file("prefix.log", zigzagLog(50)));
        const QImage prefix = chartPixels(*form);
        qt(form->Cm1)->click();

        std::string bytes = zigzagLog(200);
        bytes[50 * 4 + 2] = 17; // remaining count above the count per degree
        open(file("bad.log", bytes));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith("Overflow"), qPrintable(errors.first()));
        QVERIFY2(errors.first().contains("record 50"), qPrintable(errors.first()));
        QVERIFY(!busyWhenReported);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(chartPixels(*form), prefix);
        QCOMPARE(form->SampleNo, 50);
        QCOMPARE(form->PrevSampleNo, 49);

        qt(form->Cm1)->click();
        open(file("again.log", zigzagLog(50)));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(chartPixels(*form), prefix);
    }

    void readOut_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("pixel"); // a device pixel of the chart's inner area
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("temperature");

        QTest::newRow("top-left corner") << 1.0 << QPoint(0, 0) << "0."
                                         << "180.";
        QTest::newRow("zero degrees") << 1.0 << QPoint(10, 288) << "3."
                                      << "0.";
        QTest::newRow("sample 100") << 1.0 << QPoint(400, 100) << "100."
                                    << "117.5";
        QTest::newRow("half a sample rounds up") << 1.0 << QPoint(2, 1) << "1."
                                                 << "179.375";
        QTest::newRow("last column and row") << 1.0 << QPoint(556, 380) << "139."
                                             << "-57.5";
        QTest::newRow("refined step") << 1.0 << QPoint(3, 203) << "1."
                                      << "53.125";
        // Each device pixel has its own position, finer than the layout's pixels.
        QTest::newRow("150 %, one pixel below the top") << 1.5 << QPoint(0, 1) << "0."
                                                        << "179.583";
        QTest::newRow("125 %, five pixels a sample") << 1.25 << QPoint(5, 1) << "1."
                                                     << "179.5";
        QTest::newRow("200 %, half-pixel twips") << 2.0 << QPoint(801, 3) << "100."
                                                 << "179.063";
        QTest::newRow("150 %, last column and row") << 1.5 << QPoint(835, 571) << "139."
                                                    << "-57.917";
        // A button held on the chart keeps the pointer's moves coming past its edges.
        QTest::newRow("dragged past the top-left") << 1.0 << QPoint(-40, -20) << "-10."
                                                   << "192.5";
        QTest::newRow("dragged past the bottom-right") << 1.0 << QPoint(620, 420) << "155."
                                                       << "-82.5";
    }

    void readOut()
    {
        QFETCH(qreal, ratio);
        QFETCH(QPoint, pixel);
        QFETCH(QString, sample);
        QFETCH(QString, temperature);
        SHOW_AT_RATIO(*qt(*form), ratio);

        QVERIFY(qt(form->Text5)->text().isEmpty());
        QVERIFY(qt(form->Text6)->text().isEmpty());
        // Anywhere in the device pixel as the screen shows it, as a desktop that reports fine
        // positions gives it, and as Qt hands it on: the widget's position rounded, the window's
        // kept. The screen rounds the chart's corner where the window has it at half a pixel.
        const QPoint origin = qt(form->Pic)->mapTo(qt(*form), QPoint());
        const QPointF corner = QPointF(origin) * ratio;
        const QPointF shown = QPointF(std::floor(corner.x() + 0.5), std::floor(corner.y() + 0.5))
                + QPointF(pixel + QPoint(innerOrigin(ratio), innerOrigin(ratio)));
        for (const qreal within : { 0.25, 0.75 }) {
            qt(form->Text5)->clear();
            const QPointF inWindow = (shown + QPointF(within, within)) / ratio;
            const QPointF at = inWindow - QPointF(origin);
            // Beyond the chart the pointer still counts while a button pressed on it is held.
            const bool dragged = !qt(form->Pic)->contentsRect().contains(at.toPoint());
            QMouseEvent move(QEvent::MouseMove, at.toPoint(), inWindow,
                             qt(*form)->mapToGlobal(inWindow), Qt::NoButton,
                             dragged ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(qt(form->Pic), &move);
            QTRY_COMPARE(qt(form->Text5)->text(), sample);
            QCOMPARE(qt(form->Text6)->text(), temperature);
        }

        // The boxes keep their values once the pointer has left the chart.
        QTest::mouseMove(qt(*form), QPoint(5, 5));
        QCOMPARE(qt(form->Text5)->text(), sample);
    }

    void readOutUsesTheLocaleSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QTest::mouseMove(qt(form->Pic), QPoint(Border + 400, Border + 100));
        QTRY_COMPARE(qt(form->Text5)->text(), QString("100,"));
        QCOMPARE(qt(form->Text6)->text(), QString("117,5"));
    }

    void exitClosesTheWindow()
    {
        qt(form->Command2)->click();
        QVERIFY(!qt(*form)->isVisible());
    }
};

QTEST_MAIN(TestView)
#include "tst_view.moc"
