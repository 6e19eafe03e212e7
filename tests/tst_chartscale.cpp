// The chart scale's known points, forward and back, and its unclipped and faulting ends.
#include "chart/ChartScale.h"
#include "platform/Error.h"

#include <QTest>
#include <limits>

class TestChartScale : public QObject
{
    Q_OBJECT

private slots:
    void tempToY_data()
    {
        QTest::addColumn<float>("temp");
        QTest::addColumn<float>("y");
        QTest::newRow("top") << 180.0f << 0.0f;
        QTest::newRow("bottom") << -60.0f << 5760.0f;
        QTest::newRow("zero") << 0.0f << 4320.0f;
        QTest::newRow("refined") << 25.25f << 3714.0f;
        QTest::newRow("above chart") << 200.0f << -480.0f;
        QTest::newRow("below chart") << -100.0f << 6720.0f;
        QTest::newRow("segment start") << -25.25f << 4926.0f;
        QTest::newRow("segment end") << 26.0f << 3696.0f;
    }
    void tempToY()
    {
        QFETCH(float, temp);
        QFETCH(float, y);
        QCOMPARE(ChartScale::TempToY(temp), y);
    }

    void yToTemp_data()
    {
        QTest::addColumn<float>("y");
        QTest::addColumn<float>("temp");
        QTest::newRow("top") << 0.0f << 180.0f;
        QTest::newRow("bottom") << 5760.0f << -60.0f;
        QTest::newRow("zero") << 4320.0f << 0.0f;
        QTest::newRow("last pixel row") << 5700.0f << -57.5f;
    }
    void yToTemp()
    {
        QFETCH(float, y);
        QFETCH(float, temp);
        QCOMPARE(ChartScale::YToTemp(y), temp);
    }

    void samples()
    {
        QCOMPARE(ChartScale::SampleToX(0), 0.0f);
        QCOMPARE(ChartScale::SampleToX(1), 60.0f);
        QCOMPARE(ChartScale::SampleToX(140), 8400.0f);
        QCOMPARE(ChartScale::XToSample(8400), 140.0f);
        QCOMPARE(ChartScale::XToSample(30), 0.5f);
        QCOMPARE(ChartScale::XToSample(8340), 139.0f);
    }

    void faults()
    {
        // The sample product is a checked 32-bit multiplication.
        QCOMPARE(ChartScale::SampleToX(3579139), 214748340.0f);
        try {
            ChartScale::SampleToX(3579140);
            QFAIL("no overflow raised");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::Overflow);
        }
        try {
            ChartScale::YToTemp(std::numeric_limits<float>::infinity());
            QFAIL("no fault raised");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::FloatingPointFault);
        }
        try {
            ChartScale::TempToY(-std::numeric_limits<float>::max());
            QFAIL("no fault raised");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::FloatingPointFault);
        }
    }
};

QTEST_APPLESS_MAIN(TestChartScale)
#include "tst_chartscale.moc"
