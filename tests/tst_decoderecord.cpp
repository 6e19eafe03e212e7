// Decoding records: known readings, sign bytes, and what each fault leaves in the fields.
#include "log/DecodeRecord.h"
#include "platform/core/Error.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(ErrorKind)

namespace {

TempRecord record(int sign, int half, int remain, int perDegree)
{
    return TempRecord { uint8_t(sign), uint8_t(half), uint8_t(remain), uint8_t(perDegree) };
}

} // namespace

class TestDecodeRecord : public QObject
{
    Q_OBJECT

private slots:
    void readings_data()
    {
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("half");
        QTest::addColumn<int>("remain");
        QTest::addColumn<int>("perDegree");
        QTest::addColumn<float>("rawTemp");
        QTest::addColumn<float>("temp");

        QTest::newRow("25.0") << 0 << 50 << 12 << 16 << 25.0f << 25.0f;
        QTest::newRow("half degree refined") << 0 << 51 << 4 << 16 << 25.5f << 26.0f;
        QTest::newRow("-25.0") << 255 << 206 << 16 << 16 << -25.0f << -25.25f;
        QTest::newRow("-0.5") << 255 << 255 << 8 << 16 << -0.5f << -0.25f;
        QTest::newRow("zero half degrees") << 0 << 0 << 0 << 16 << 0.0f << 0.75f;
        QTest::newRow("sign 1 is positive") << 1 << 51 << 4 << 16 << 25.5f << 26.0f;
        QTest::newRow("sign 128 is positive") << 128 << 51 << 4 << 16 << 25.5f << 26.0f;
        QTest::newRow("sign 254 is positive") << 254 << 51 << 4 << 16 << 25.5f << 26.0f;
        QTest::newRow("max positive") << 0 << 255 << 0 << 1 << 127.5f << 128.25f;
        QTest::newRow("max negative") << 255 << 1 << 100 << 100 << -127.5f << -127.75f;
        QTest::newRow("remain equals count") << 0 << 41 << 70 << 70 << 20.5f << 20.25f;
        QTest::newRow("remain zero") << 255 << 250 << 0 << 3 << -3.0f << -2.25f;
        // 1/3 is not exact: the sum is rounded once, from double to single.
        QTest::newRow("thirds") << 0 << 20 << 2 << 3 << 10.0f
                                << static_cast<float>(1.0 / 3.0 + (10.0 - 0.25));
    }

    void readings()
    {
        QFETCH(int, sign);
        QFETCH(int, half);
        QFETCH(int, remain);
        QFETCH(int, perDegree);
        QFETCH(float, rawTemp);
        QFETCH(float, temp);

        WindowState state;
        DecodeRecord(record(sign, half, remain, perDegree), state);
        QCOMPARE(state.RawTemp, rawTemp);
        QCOMPARE(state.Temp, temp);
    }

    // Each result is stored before its check: the fields show how far decoding got.
    void faults_data()
    {
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("half");
        QTest::addColumn<int>("remain");
        QTest::addColumn<int>("perDegree");
        QTest::addColumn<ErrorKind>("kind");
        QTest::addColumn<float>("rawTempAfter");
        QTest::addColumn<bool>("tempIsNaN");

        // Fields start at RawTemp 7, Temp 8.
        QTest::newRow("negative zero half degrees")
                << 255 << 0 << 4 << 16 << ErrorKind::Overflow << 7.0f << false;
        QTest::newRow("remain above count")
                << 0 << 51 << 17 << 16 << ErrorKind::Overflow << 25.5f << false;
        QTest::newRow("remain above zero count")
                << 0 << 10 << 1 << 0 << ErrorKind::Overflow << 5.0f << false;
        QTest::newRow("both counts zero")
                << 0 << 10 << 0 << 0 << ErrorKind::FloatingPointFault << 5.0f << true;
        QTest::newRow("four zero bytes")
                << 0 << 0 << 0 << 0 << ErrorKind::FloatingPointFault << 0.0f << true;
    }

    void faults()
    {
        QFETCH(int, sign);
        QFETCH(int, half);
        QFETCH(int, remain);
        QFETCH(int, perDegree);
        QFETCH(ErrorKind, kind);
        QFETCH(float, rawTempAfter);
        QFETCH(bool, tempIsNaN);

        WindowState state;
        state.RawTemp = 7;
        state.Temp = 8;
        try {
            DecodeRecord(record(sign, half, remain, perDegree), state);
            QFAIL("no fault raised");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), kind);
        }
        QCOMPARE(state.RawTemp, rawTempAfter);
        if (tempIsNaN)
            QVERIFY(std::isnan(state.Temp));
        else
            QCOMPARE(state.Temp, 8.0f);
    }
};

QTEST_APPLESS_MAIN(TestDecodeRecord)
#include "tst_decoderecord.moc"
