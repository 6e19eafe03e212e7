// The sample logs in examples/: their generator rebuilds them byte for byte, and each loads as
// its README line promises.
#include "log/LoadLog.h"
#include "platform/core/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <optional>

Q_DECLARE_METATYPE(std::optional<ErrorKind>)

namespace {

const QString examplesDir = QStringLiteral(VOK_EXAMPLES_DIR);

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestExamples : public QObject
{
    Q_OBJECT

private slots:
    void generatorRebuildsTheCommittedLogs()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QProcess generator;
        generator.start(QStringLiteral(VOK_MAKE_EXAMPLES), { out.path() });
        QVERIFY(generator.waitForFinished());
        QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
        QCOMPARE(generator.exitCode(), 0);

        const QStringList generated = QDir(out.path()).entryList({ "*.log" }, QDir::Files);
        QCOMPARE(QDir(examplesDir).entryList({ "*.log" }, QDir::Files), generated);
        QVERIFY(!generated.isEmpty());
        for (const QString &name : generated) {
            const QByteArray committed = readAll(QDir(examplesDir).filePath(name));
            QVERIFY2(committed == readAll(QDir(out.path()).filePath(name)),
                     qPrintable(name + " differs from what make-examples writes"));
        }
    }

    void logsLoadAsDescribed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("plottingSteps");
        QTest::addColumn<std::optional<ErrorKind>>("error");
        QTest::addColumn<QString>("messagePart");
        QTest::addColumn<float>("lowest");

        const std::optional<ErrorKind> none;
        // The day outlasts the chart, so its later records are read but not drawn.
        QTest::newRow("day") << "day.log" << 288 << none << "" << 20.0f;
        QTest::newRow("cold store") << "cold-store.log" << 200 << none << "" << -25.0f;
        QTest::newRow("still writing")
                << "still-writing.log" << 80 << std::optional(ErrorKind::Overflow)
                << "record 80 (byte position 321): the file ends in an incomplete record of 3 bytes"
                << 20.0f;
        QTest::newRow("bad record")
                << "bad-record.log" << 90 << std::optional(ErrorKind::FloatingPointFault)
                << "record 90 (byte position 361)" << 20.0f;
    }

    void logsLoadAsDescribed()
    {
        QFETCH(QString, name);
        QFETCH(int, plottingSteps);
        QFETCH(std::optional<ErrorKind>, error);
        QFETCH(QString, messagePart);
        QFETCH(float, lowest);

        WindowState state;
        state.LogFileName = QFile::encodeName(QDir(examplesDir).filePath(name)).toStdString();
        int steps = 0;
        float low = 1000, high = -1000;
        std::optional<ErrorKind> caught;
        QString message;
        try {
            LoadLog(state, [&] {
                ++steps;
                ++state.SampleNo;
                low = std::min(low, state.Temp);
                high = std::max(high, state.Temp);
            });
        } catch (const Error &e) {
            caught = e.kind();
            message = QString::fromStdString(e.message());
        }
        QCOMPARE(steps, plottingSteps);
        QCOMPARE(caught, error);
        QVERIFY2(message.contains(messagePart), qPrintable(message));
        // Every drawn reading lies well inside the chart's -60..180 degrees, and the cold store
        // really goes below zero.
        QVERIFY2(low >= lowest && high <= 130,
                 qPrintable(QStringLiteral("%1..%2").arg(low).arg(high)));
        if (lowest < 0)
            QVERIFY(low < -15);
    }
};

QTEST_APPLESS_MAIN(TestExamples)
#include "tst_examples.moc"
