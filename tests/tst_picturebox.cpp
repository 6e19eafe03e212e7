// The chart surface: which pixels a line sets, what AutoRedraw keeps, what Cls erases, and the
// pointer positions it reports.
#include "Screens.h"
#include "platform/core/Error.h"
#include "platform/qt/PictureBoxWidget.h"
#include "platform/qt/ScreenDpi.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QColor Background(192, 255, 255);
constexpr uint32_t Red = 255;

// The pixels of `image` in `colour`, in row order.
QList<QPoint> pixelsOf(const QImage &image, const QColor &colour)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                found << QPoint(x, y);
    return found;
}

// The inner area of a grab: the box less its two-pixel border.
QImage innerOf(const QImage &grabbed)
{
    return grabbed.copy(2, 2, grabbed.width() - 4, grabbed.height() - 4);
}

} // namespace

class TestPictureBox : public QObject
{
    Q_OBJECT

    QPointer<PictureBoxWidget> box;
    double tpp = 15;

private slots:
    void init()
    {
        box = new PictureBoxWidget;
        box->setBackColor(Background);
        box->setGeometry(100, 100, 84, 64); // an inner area of 80 x 60 pixels
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        tpp = twipsPerPixel(box);
    }
    void cleanup()
    {
        delete box;
        box = nullptr;
    }

    void border()
    {
        QCOMPARE(box->frameWidth(), 2);
        QCOMPARE(box->contentsRect(), QRect(2, 2, 80, 60));
    }

    // Ends given in pixels; the line runs between their twip positions.
    void linePixels_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("count");
        QTest::newRow("rightward") << QPoint(5, 5) << QPoint(15, 5) << 10;
        QTest::newRow("leftward") << QPoint(15, 5) << QPoint(5, 5) << 10;
        QTest::newRow("downward") << QPoint(5, 5) << QPoint(5, 25) << 20;
        QTest::newRow("upward") << QPoint(5, 25) << QPoint(5, 5) << 20;
        QTest::newRow("diagonal down-right") << QPoint(5, 5) << QPoint(25, 25) << 20;
        QTest::newRow("diagonal up-left") << QPoint(25, 25) << QPoint(5, 5) << 20;
        QTest::newRow("steep up-right") << QPoint(10, 40) << QPoint(14, 2) << 38;
        QTest::newRow("shallow down-left") << QPoint(70, 3) << QPoint(2, 9) << 68;
        QTest::newRow("one pixel long") << QPoint(7, 7) << QPoint(8, 7) << 1;
        QTest::newRow("no length") << QPoint(7, 7) << QPoint(7, 7) << 0;
    }
    // A line sets its first point and not its last, whichever way it runs, so consecutive
    // segments of a polyline set each joint exactly once.
    void linePixels()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, count);
        box->setAutoRedraw(true);
        box->Line(float(from.x() * tpp), float(from.y() * tpp), float(to.x() * tpp),
                  float(to.y() * tpp), Red);
        const QList<QPoint> red = pixelsOf(innerOf(box->grab().toImage()), Qt::red);
        QCOMPARE(red.size(), count);
        if (count > 0)
            QVERIFY(red.contains(from));
        QVERIFY(!red.contains(to));
        for (const QPoint &pixel : red) {
            QVERIFY(pixel.x() >= std::min(from.x(), to.x())
                    && pixel.x() <= std::max(from.x(), to.x()));
            QVERIFY(pixel.y() >= std::min(from.y(), to.y())
                    && pixel.y() <= std::max(from.y(), to.y()));
        }
    }

    // A line element sets the pixels Line sets, whichever way it runs; the box fills elements
    // along a row or column itself and draws slanted ones on a layer, and both must agree.
    void lineElementPixels_data() { linePixels_data(); }
    void lineElementPixels()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        const float x1 = float(from.x() * tpp), y1 = float(from.y() * tpp);
        const float x2 = float(to.x() * tpp), y2 = float(to.y() * tpp);
        box->setAutoRedraw(true);
        box->Line(x1, y1, x2, y2, Red);
        const QList<QPoint> line = pixelsOf(innerOf(box->grab().toImage()), Qt::red);
        box->setLineElements({ { "LineA", x1, y1, x2, y2, 0x00C000 } });
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), QColor(0, 192, 0)), line);
    }

    // Where elements cross, the later one shows, with or without a slanted one among them.
    void lineElementsCrossInOrder()
    {
        const auto at = [this](int x1, int y1, int x2, int y2, uint32_t colour) {
            return LineElement { "Line",          float(x1 * tpp), float(y1 * tpp),
                                 float(x2 * tpp), float(y2 * tpp), colour };
        };
        const LineElement row = at(0, 10, 40, 10, 0x00C000);
        const LineElement column = at(20, 0, 20, 30, 0xFF0000);
        box->setLineElements({ row, column });
        QCOMPARE(innerOf(box->grab().toImage()).pixelColor(20, 10), QColor(Qt::blue));
        box->setLineElements({ row, column, at(0, 0, 40, 40, Red) });
        const QImage shown = innerOf(box->grab().toImage());
        QCOMPARE(shown.pixelColor(20, 10), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(10, 10), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(20, 20), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(30, 10), QColor(0, 192, 0));
    }

    // Fractional twips go to the nearest pixel, halves upward.
    void rounding_data()
    {
        QTest::addColumn<double>("pixels"); // a position in pixels, turned into twips
        QTest::addColumn<int>("pixel");
        QTest::newRow("just below a half") << 10.49 << 10;
        QTest::newRow("a half") << 10.5 << 11;
        QTest::newRow("above a half") << 10.6 << 11;
        QTest::newRow("a whole pixel") << 10.0 << 10;
    }
    void rounding()
    {
        QFETCH(double, pixels);
        QFETCH(int, pixel);
        box->setAutoRedraw(true);
        const float y = float(pixels * tpp);
        box->Line(0, y, 30 * float(tpp), y, Red);
        const QList<QPoint> red = pixelsOf(innerOf(box->grab().toImage()), Qt::red);
        QVERIFY(!red.isEmpty());
        QCOMPARE(red.first().y(), pixel);
        QCOMPARE(twipsToPixels(-7.5, 15), -0.0);
    }

    void colourIsPackedRedLow()
    {
        box->setAutoRedraw(true);
        box->Line(0, 0, 20 * float(tpp), 0, 0x00C08040); // blue 0xC0, green 0x80, red 0x40
        QCOMPARE(innerOf(box->grab().toImage()).pixelColor(0, 0), QColor(0x40, 0x80, 0xC0));
    }

    // Lines reaching far outside the surface are clipped; ends it cannot address are errors.
    void clippingAndRange()
    {
        box->setAutoRedraw(true);
        box->Line(-1000 * float(tpp), 10 * float(tpp), 1000 * float(tpp), 10 * float(tpp), Red);
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), Qt::red).size(), 80);
        const float bad[] = { std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(), 1e30f };
        for (float value : bad) {
            try {
                box->Line(0, 0, value, 10, Red);
                QFAIL("a line to an unaddressable point was drawn");
            } catch (const Error &error) {
                QCOMPARE(error.kind(), ErrorKind::Drawing);
            }
        }
    }

    void autoRedrawKeepsWhatIsDrawn()
    {
        box->setAutoRedraw(true);
        box->Line(0, 10 * float(tpp), 40 * float(tpp), 10 * float(tpp), Red);
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), Qt::red).size(), 40);
        // Hidden and shown again (a window minimised and restored), then painted afresh.
        box->hide();
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        box->repaint();
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), Qt::red).size(), 40);
    }

    // Moved to a screen of another scale, the box shows what a box started there shows after
    // the same commands: a trace, a line drawn with AutoRedraw off and an element, all one
    // device pixel wide. The box sits in a window, as in the program: on the way to the other
    // screen Qt 6.8 first keeps the window's size in device pixels, which would crop a box that
    // is a window itself.
    void exactAfterMovingToAnotherScale_data()
    {
        QTest::addColumn<qreal>("from");
        QTest::addColumn<qreal>("to");
        QTest::newRow("1 to 2") << 1.0 << 2.0;
        QTest::newRow("2 to 1") << 2.0 << 1.0;
        QTest::newRow("1 to 1.5") << 1.0 << 1.5;
        QTest::newRow("1.25 to 2") << 1.25 << 2.0;
    }
    void exactAfterMovingToAnotherScale()
    {
        QFETCH(qreal, from);
        QFETCH(qreal, to);
        const auto draw = [](PictureBoxWidget &on) {
            on.setLineElements({ { "LineA", 0, 300, 1200, 300, 0x00C000 } });
            on.Line(0, 100, 1200, 100, Red);
            on.setAutoRedraw(true);
            const float ys[] = { 700, 523.7f, 181, 866.2f, 402.5f };
            for (int i = 1; i < 5; ++i)
                on.Line(float(i - 1) * 290, ys[i - 1], float(i) * 290, ys[i], Red);
        };
        QWidget moved, fresh;
        for (QWidget *window : { &moved, &fresh }) {
            window->resize(200, 100);
            auto *chart = new PictureBoxWidget(window);
            chart->setBackColor(Background);
            chart->setGeometry(10, 10, 84, 64);
        }
        SHOW_AT_RATIO(moved, from);
        draw(*moved.findChild<PictureBoxWidget *>());
        SHOW_AT_RATIO(moved, to);
        SHOW_AT_RATIO(fresh, to);
        draw(*fresh.findChild<PictureBoxWidget *>());
        const auto shown = [](QWidget &window) {
            return window.findChild<PictureBoxWidget *>()->grab().toImage();
        };
        QCOMPARE(shown(moved), shown(fresh));
    }

    // Past the lines kept exactly, the oldest stay in the image: exact at the scale they were
    // folded at, scaled at another, under the kept lines drawn exactly there.
    void foldedLinesStay()
    {
        QWidget window; // deletes the box
        window.resize(200, 100);
        box->setParent(&window);
        box->move(10, 10);
        SHOW_AT_RATIO(window, 1.0);
        box->setAutoRedraw(true);
        for (std::size_t i = 0; i < PictureModel::KeptLines; ++i) {
            const float y = float((i < PictureModel::KeptLines / 2 ? 10 : 30) * tpp);
            box->Line(0, y, 40 * float(tpp), y, Red);
        }
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), Qt::red).size(), 2 * 40);
        SHOW_AT_RATIO(window, 2.0);
        const QImage scaled = box->grab().toImage().copy(4, 4, 160, 120); // the inner area
        QCOMPARE(pixelsOf(scaled.copy(0, 20, 160, 2), Qt::red).size(), 2 * 80);
        QCOMPARE(pixelsOf(scaled.copy(0, 60, 160, 2), Qt::red).size(), 80);
        box->Cls();
        QVERIFY(pixelsOf(box->grab().toImage(), Qt::red).isEmpty());
    }

    void withoutAutoRedrawLinesAreNotKept()
    {
        box->Line(0, 10 * float(tpp), 40 * float(tpp), 10 * float(tpp), Red);
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), Qt::red).size(), 40);
        box->hide();
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        QVERIFY(pixelsOf(innerOf(box->grab().toImage()), Qt::red).isEmpty());
    }

    void clsErasesBothLayers()
    {
        box->Line(0, 5 * float(tpp), 40 * float(tpp), 5 * float(tpp), Red);
        box->setAutoRedraw(true);
        box->Line(0, 10 * float(tpp), 40 * float(tpp), 10 * float(tpp), Red);
        box->Cls();
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), Background).size(), 80 * 60);
    }

    void lineElementsStayOnTop()
    {
        const uint32_t green = 0x00C000;
        box->setLineElements(
                { { "LineA", 0, float(20 * tpp), float(100 * tpp), float(20 * tpp), green } });
        box->setAutoRedraw(true);
        box->Line(float(30 * tpp), 0, float(30 * tpp), float(60 * tpp), Red);
        const QImage shown = innerOf(box->grab().toImage());
        QCOMPARE(shown.pixelColor(30, 20), QColor(0, 192, 0));
        QCOMPARE(shown.pixelColor(30, 19), QColor(Qt::red));
        box->Cls();
        QCOMPARE(pixelsOf(innerOf(box->grab().toImage()), QColor(0, 192, 0)).size(), 80);
    }

    void pointerPositions_data()
    {
        QTest::addColumn<QPoint>("at"); // in the box's own pixels, border included
        QTest::addColumn<bool>("reported");
        QTest::addColumn<QPointF>("pixels"); // the inner-area position reported, in pixels
        QTest::newRow("inner top-left") << QPoint(2, 2) << true << QPointF(0, 0);
        QTest::newRow("inside") << QPoint(12, 22) << true << QPointF(10, 20);
        QTest::newRow("last inner pixel") << QPoint(81, 61) << true << QPointF(79, 59);
        QTest::newRow("on the top border") << QPoint(10, 1) << false << QPointF();
        QTest::newRow("on the right border") << QPoint(82, 10) << false << QPointF();
    }
    void pointerPositions()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, reported);
        QFETCH(QPointF, pixels);
        QSignalSpy moves(box, &PictureBoxWidget::MouseMove);
        QTest::mouseMove(box, at);
        QTRY_COMPARE(moves.size(), reported ? 1 : 0);
        if (!reported)
            return;
        const QList<QVariant> move = moves.takeFirst();
        QCOMPARE(move.at(0).value<short>(), short(0));
        QCOMPARE(move.at(2).toFloat(), float(pixels.x() * tpp));
        QCOMPARE(move.at(3).toFloat(), float(pixels.y() * tpp));
    }

    // A button held after pressing on the box keeps the pointer: moves beyond it still count.
    void heldButtonReportsBeyondTheBox()
    {
        QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(12, 12));
        QSignalSpy moves(box, &PictureBoxWidget::MouseMove);
        QTest::mouseMove(box, QPoint(-5, 90));
        QTRY_COMPARE(moves.size(), 1);
        const QList<QVariant> move = moves.takeFirst();
        QCOMPARE(move.at(0).value<short>(), short(1));
        QCOMPARE(move.at(2).toFloat(), float(-7 * tpp));
        QCOMPARE(move.at(3).toFloat(), float(88 * tpp));
        QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(-5, 90));
    }
};

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
