// Read-out number formatting: the two patterns and the rounding rules that set it apart.
#include "platform/core/NumberFormat.h"

#include <QTest>

#ifdef _WIN32
#include "platform/core/Locale.h"

#include <cstdlib>
#endif

class TestNumberFormat : public QObject
{
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");

        QTest::newRow("rounds down") << 37.4f << "0."
                                     << "."
                                     << "37.";
        QTest::newRow("half away from zero") << 0.5f << "0."
                                             << "."
                                             << "1.";
        QTest::newRow("1.5 not to even") << 1.5f << "0."
                                         << "."
                                         << "2.";
        QTest::newRow("2.5 not to even") << 2.5f << "0."
                                         << "."
                                         << "3.";
        QTest::newRow("negative half") << -2.5f << "0."
                                       << "."
                                       << "-3.";
        QTest::newRow("sign before rounding") << -0.25f << "0."
                                              << "."
                                              << "-0.";
        QTest::newRow("zero") << 0.0f << "0."
                              << "."
                              << "0.";
        QTest::newRow("no exponent") << 123456789.0f << "0."
                                     << "."
                                     << "123456800.";
        QTest::newRow("huge") << 1e30f << "0."
                              << "."
                              << "1000000000000000000000000000000.";
        QTest::newRow("two decimals") << 25.25f << "0.###"
                                      << "."
                                      << "25.25";
        QTest::newRow("whole value keeps point") << 180.0f << "0.###"
                                                 << "."
                                                 << "180.";
        QTest::newRow("three decimals") << -12.3456f << "0.###"
                                        << "."
                                        << "-12.346";
        QTest::newRow("seven digits first") << 1.0004999f << "0.###"
                                            << "."
                                            << "1.001";
        QTest::newRow("pixel step") << -0.625f << "0.###"
                                    << "."
                                    << "-0.625";
        QTest::newRow("below one") << 0.0625f << "0.###"
                                   << "."
                                   << "0.063";
        QTest::newRow("tiny positive") << 0.0001f << "0.###"
                                       << "."
                                       << "0.";
        QTest::newRow("carry into integer") << 9.9996f << "0.###"
                                            << "."
                                            << "10.";
        QTest::newRow("last pixel row") << -57.5f << "0.###"
                                        << "."
                                        << "-57.5";
        QTest::newRow("comma locale") << 25.25f << "0.###"
                                      << ","
                                      << "25,25";
        QTest::newRow("comma whole") << 37.0f << "0."
                                     << ","
                                     << "37,";
    }

    void format()
    {
        QFETCH(float, value);
        QFETCH(QString, pattern);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(
                         formatNumber(value, pattern.toStdString(), separator.toStdString())),
                 expected);
    }

#ifdef _WIN32
    // The read-out writes the user's separator from the regional settings; the Windows build's
    // tests run this again for a user who has set a comma there (VOK_TEST_DECIMAL).
    void usersSeparator()
    {
        const char *separator = std::getenv("VOK_TEST_DECIMAL");
        const std::string expected = std::string("25") + (separator ? separator : ".") + "25";
        QCOMPARE(formatNumber(25.25f, "0.###", userDecimalSeparator()), expected);
    }
#endif
};

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
