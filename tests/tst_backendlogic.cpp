// What both window-system backends decide alike: the dialog filter's entries, the pixels a line
// can reach, the mouse handlers' bit sets and the Thai face a row of faces gets.
#include "platform/core/Error.h"
#include "platform/core/FileFilter.h"
#include "platform/core/Pointer.h"
#include "platform/core/ThaiFace.h"
#include "platform/core/Twips.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestBackendLogic : public QObject
{
    Q_OBJECT

private slots:
    void fileFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("entries"); // description=pattern,pattern / ...; "!" an error
        QTest::newRow("the window's") << "All File(*.*)|*.*"
                                      << "All File(*.*)=*.*";
        QTest::newRow("several, trimmed") << "Logs| *.log ;;*.dat"
                                          << "Logs=*.log,*.dat";
        QTest::newRow("two entries") << "Logs|*.log|All|*.*"
                                     << "Logs=*.log / All=*.*";
        QTest::newRow("none") << ""
                              << "";
        QTest::newRow("no pattern") << "Logs|*.log|All"
                                    << "!";
    }
    void fileFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, entries);
        QStringList parsed;
        try {
            for (const FileFilterEntry &entry : parseFileFilter(filter.toStdString())) {
                QStringList patterns;
                for (const std::string &pattern : entry.patterns)
                    patterns << QString::fromStdString(pattern);
                parsed << QString::fromStdString(entry.description) + "=" + patterns.join(",");
            }
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::Dialog);
            parsed = QStringList { "!" };
        }
        QCOMPARE(parsed.join(" / "), entries);
    }

    void pixelRange_data()
    {
        QTest::addColumn<float>("twips");
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<int>("pixel"); // -1: out of range
        QTest::newRow("rounds half up") << 22.5f << 15.0 << 2;
        // Floats step by 8 here, so the rows lie either side of the limit, 2^27 - 1.
        QTest::newRow("last in range") << 134217720.0f << 1.0 << 134217720;
        QTest::newRow("just beyond") << 134217736.0f << 1.0 << -1;
        QTest::newRow("beyond, negative") << -3e9f << 15.0 << -1;
        QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 15.0 << -1;
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << 10.0 << -1;
    }
    void pixelRange()
    {
        QFETCH(float, twips);
        QFETCH(double, twipsPerPixel);
        QFETCH(int, pixel);
        const std::optional<PixelPoint> at = pixelInRange(twips, 0, twipsPerPixel);
        QCOMPARE(at ? at->x : -1, pixel);
        bool thrown = false;
        try {
            checkedPixel(0, twips, twipsPerPixel);
        } catch (const Error &error) {
            thrown = error.kind() == ErrorKind::Drawing;
        }
        QCOMPARE(thrown, pixel < 0);
    }

    void pointerBits_data()
    {
        QTest::addColumn<int>("held"); // left, right, middle, Shift, Ctrl, Alt from bit 0 up
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("shift");
        QTest::newRow("nothing") << 0 << 0 << 0;
        QTest::newRow("left") << 0b000001 << 1 << 0;
        QTest::newRow("right and middle") << 0b000110 << 6 << 0;
        QTest::newRow("Shift and Alt") << 0b101000 << 0 << 5;
        QTest::newRow("everything") << 0b111111 << 7 << 7;
    }
    void pointerBits()
    {
        QFETCH(int, held);
        QFETCH(int, button);
        QFETCH(int, shift);
        auto bit = [held](int n) { return (held >> n & 1) != 0; };
        const PointerBits bits = ::pointerBits({ bit(0), bit(1), bit(2), bit(3), bit(4), bit(5) });
        QCOMPARE(int(bits.Button), button);
        QCOMPARE(int(bits.Shift), shift);
    }

    void thaiFace_data()
    {
        QTest::addColumn<QString>("usable"); // families the system has, writing Thai
        QTest::addColumn<QString>("installed"); // the system's Thai families, in its order
        QTest::addColumn<QString>("chosen"); // family@size
        QTest::newRow("first of the row") << "A,B"
                                          << "A,B"
                                          << "A@14";
        QTest::newRow("next of the row") << "B"
                                         << "B"
                                         << "B@10";
        QTest::newRow("installed, last size") << "K"
                                              << "J,K"
                                              << "K@8";
        QTest::newRow("none: first face") << ""
                                          << ""
                                          << "A@14";
    }
    void thaiFace()
    {
        QFETCH(QString, usable);
        QFETCH(QString, installed);
        QFETCH(QString, chosen);
        static constexpr FontFace row[] { { "A", 14 }, { "B", 10 }, { "C", 8 } };
        const QStringList usableList = usable.split(',', Qt::SkipEmptyParts);
        const ThaiFace face = chooseThaiFace(
                row,
                [&](const std::string &family) {
                    return usableList.contains(QString::fromStdString(family));
                },
                [&] {
                    std::vector<std::string> names;
                    for (const QString &family : installed.split(',', Qt::SkipEmptyParts))
                        names.push_back(family.toStdString());
                    return names;
                });
        QCOMPARE(QString::fromStdString(face.family) + "@" + QString::number(face.pointSize),
                 chosen);
        QCOMPARE(chooseThaiFace(
                         {}, [](const std::string &) { return true; },
                         [] { return std::vector<std::string> { "X" }; })
                         .pointSize,
                 8.25);
    }
};

QTEST_APPLESS_MAIN(TestBackendLogic)
#include "tst_backendlogic.moc"
