// The chart scale's known points, forward and back, and its unclipped and faulting ends.
#include "chart/ChartScale.h"
#include "chart/TraceSegments.h"
#include "platform/core/Error.h"

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

    // Segments are drawn for samples 1 to 140 inclusive; sample 0 only sets the start.
    void segmentBounds_data()
    {
        QTest::addColumn<int>("sampleNo");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("start point") << 0 << false;
        QTest::newRow("first segment") << 1 << true;
        QTest::newRow("last segment") << 140 << true;
        QTest::newRow("past the chart") << 141 << false;
    }
    void segmentBounds()
    {
        QFETCH(int, sampleNo);
        QFETCH(bool, drawn);
        WindowState state;
        state.SampleNo = sampleNo;
        QCOMPARE(segmentForCurrentSample(state).has_value(), drawn);
    }

    void segmentFromPreviousSample()
    {
        WindowState state;
        state.Temp = -25.25f;
        advanceSamples(state);
        state.Temp = 26.0f;
        const auto segment = segmentForCurrentSample(state);
        QVERIFY(segment);
        QCOMPARE(segment->x1, 0.0f);
        QCOMPARE(segment->y1, 4926.0f);
        QCOMPARE(segment->x2, 60.0f);
        QCOMPARE(segment->y2, 3696.0f);
    }

    void sampleCounterOverflows()
    {
        WindowState state;
        state.SampleNo = std::numeric_limits<int32_t>::max();
        state.Temp = 5;
        try {
            advanceSamples(state);
            QFAIL("no overflow raised");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::Overflow);
        }
        QCOMPARE(state.SampleNo, std::numeric_limits<int32_t>::max());
        QCOMPARE(state.PrevTemp, 5.0f);
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
