// Loading log files: which records are read, how loads stop, and which files are refused.
#include "LogFiles.h"
#include "log/LoadLog.h"
#include "platform/core/BinaryFile.h"
#include "platform/core/Error.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(std::optional<ErrorKind>)

namespace {

struct LoadResult
{
    int plottingSteps = 0;
    std::optional<ErrorKind> error;
    std::string message;
};

// Loads `path` with a plotting step that only counts, as the window's step does past sample 140.
LoadResult load(WindowState &state, const QString &path)
{
    LoadResult result;
    state.LogFileName = QFile::encodeName(path).toStdString();
    try {
        LoadLog(state, [&] {
            ++result.plottingSteps;
            ++state.SampleNo;
        });
    } catch (const Error &error) {
        result.error = error.kind();
        result.message = error.message();
    }
    return result;
}

// The process's open files (on Windows, its handles of every kind).
int openDescriptors()
{
#ifdef _WIN32
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return int(handles);
#else
    return int(QDir(QStringLiteral("/proc/self/fd"))
                       .entryList(QDir::NoDotAndDotDot | QDir::AllEntries)
                       .size());
#endif
}

} // namespace

class TestLoadLog : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    // Whole records are all read; a 2- or 3-byte tail is read as one more (zero-padded, so
    // faulty) record; a single trailing byte is never read.
    void fileLengths_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("plottingSteps");
        QTest::addColumn<std::optional<ErrorKind>>("error");
        QTest::addColumn<QString>("messagePart");

        const std::optional<ErrorKind> none;
        QTest::newRow("empty") << 0 << 0 << std::optional(ErrorKind::FloatingPointFault)
                               << "the file is empty";
        QTest::newRow("1 byte") << 1 << 0 << std::optional(ErrorKind::FloatingPointFault)
                                << "incomplete record of 1 byte";
        QTest::newRow("3 bytes") << 3 << 0 << std::optional(ErrorKind::Overflow)
                                 << "incomplete record of 3 bytes";
        QTest::newRow("4 bytes") << 4 << 1 << none << "";
        QTest::newRow("5 bytes") << 5 << 1 << none << "";
        QTest::newRow("8 bytes") << 8 << 2 << none << "";
        QTest::newRow("9 bytes") << 9 << 2 << none << "";
        QTest::newRow("10 bytes") << 10 << 2 << std::optional(ErrorKind::FloatingPointFault)
                                  << "record 2 (byte position 9): the file ends in an incomplete "
                                     "record of 2 bytes";
    }

    void fileLengths()
    {
        QFETCH(int, length);
        QFETCH(int, plottingSteps);
        QFETCH(std::optional<ErrorKind>, error);
        QFETCH(QString, messagePart);

        // Valid records throughout; bytes past a whole record are a sign byte and a 0, so a
        // tail is faulty only through the zero padding of the missing count bytes.
        QByteArray bytes;
        while (bytes.size() < length)
            appendRecord(bytes, recordForDegrees(20));
        bytes.truncate(length);
        writeFile(path("log.bin"), bytes);

        WindowState state;
        state.SampleNo = 77;
        const int descriptors = openDescriptors();
        const LoadResult result = load(state, path("log.bin"));
        QCOMPARE(result.plottingSteps, plottingSteps);
        QCOMPARE(result.error, error);
        QVERIFY2(QString::fromStdString(result.message).contains(messagePart),
                 result.message.c_str());
        QCOMPARE(state.SampleNo, plottingSteps);
        QCOMPARE(openDescriptors(), descriptors);
    }

    void malformedRecordStopsTheLoad()
    {
        QByteArray bytes;
        for (int i = 0; i < 600; ++i)
            appendRecord(bytes,
                         i == 400 ? RecordBytes { 0, 10, 17, 16 } : recordForDegrees(i % 100));
        writeFile(path("600.bin"), bytes);

        WindowState state;
        const LoadResult result = load(state, path("600.bin"));
        QCOMPARE(result.plottingSteps, 400);
        QCOMPARE(result.error, std::optional(ErrorKind::Overflow));
        QVERIFY2(QString::fromStdString(result.message).contains("record 400 (byte position 1601)"),
                 result.message.c_str());
        QVERIFY(result.message.find(path("600.bin").toStdString()) != std::string::npos);
        // RawTemp already holds the faulty record's reading; Temp the last good one.
        QCOMPARE(state.RawTemp, 5.0f);
        QCOMPARE(state.Temp, 99.0f);
    }

    void everyRecordIsRead()
    {
        QByteArray bytes;
        for (int i = 0; i < 600; ++i)
            appendRecord(bytes, recordForDegrees(i % 100));
        writeFile(path("600ok.bin"), bytes);
        WindowState state;
        const LoadResult result = load(state, path("600ok.bin"));
        QCOMPARE(result.plottingSteps, 600);
        QVERIFY(!result.error);
        QCOMPARE(state.Temp, 99.0f);
    }

    // The length is taken at the open: a log cut short while loading reads zeros past its new
    // end, and says so.
    void fileShortenedWhileLoading()
    {
        QByteArray bytes;
        for (int i = 0; i < 100000; ++i)
            appendRecord(bytes, recordForDegrees(i % 100));
        writeFile(path("shrinking.bin"), bytes);

        WindowState state;
        state.LogFileName = QFile::encodeName(path("shrinking.bin")).toStdString();
        int steps = 0;
        try {
            LoadLog(state, [&] {
                if (++steps == 2)
                    QFile::resize(path("shrinking.bin"), 4);
                ++state.SampleNo;
            });
            QFAIL("no error for the missing records");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::FloatingPointFault);
            // Reads are buffered, so the cut shows at the next buffer's first record.
            const std::string message = error.what();
            QVERIFY2(message.find("record 16384 (byte position 65537): the file ended early")
                             != std::string::npos,
                     message.c_str());
        }
        QCOMPARE(steps, 16384);
    }

    // Names that are no readable log are refused before anything is read, and nothing is
    // created; SampleNo is not reset by a load that never opened its file.
    void refusedNames()
    {
        WindowState state;
        state.SampleNo = 5;

        const QString missing = path("missing.bin");
        LoadResult result = load(state, missing);
        QCOMPARE(result.error, std::optional(ErrorKind::File));
        QVERIFY(QString::fromStdString(result.message).contains(missing));
        QVERIFY(!QFile::exists(missing));

        QDir(dir.path()).mkdir("folder");
        result = load(state, path("folder"));
        QCOMPARE(result.error, std::optional(ErrorKind::File));
        QVERIFY(QString::fromStdString(result.message).contains("folder"));

#ifndef _WIN32
        // A FIFO with no writer would block an ordinary open for ever.
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
        result = load(state, path("fifo"));
        QCOMPARE(result.error, std::optional(ErrorKind::File));
#endif

        result = load(state, QStringLiteral("/dev/zero"));
        QCOMPARE(result.error, std::optional(ErrorKind::File));

        QCOMPARE(result.plottingSteps, 0);
        QCOMPARE(state.SampleNo, 5);
    }

    void readOnlyFileLoads()
    {
        QByteArray bytes;
        appendRecord(bytes, recordForDegrees(-20));
        appendRecord(bytes, recordForDegrees(30));
        writeFile(path("readonly.bin"), bytes);
        QFile::setPermissions(path("readonly.bin"), QFileDevice::ReadOwner);
        const QDateTime modified = QFileInfo(path("readonly.bin")).lastModified();

        WindowState state;
        const LoadResult result = load(state, path("readonly.bin"));
        QVERIFY(!result.error);
        QCOMPARE(result.plottingSteps, 2);
        QCOMPARE(QFileInfo(path("readonly.bin")).lastModified(), modified);
    }

    // Positions are 64-bit: a record beyond 4 GiB is read from its own place.
    void positionsBeyondTwoGigabytes()
    {
        QFile file(path("sparse.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const qint64 offset = (qint64(1) << 32) + 8;
        QVERIFY(file.seek(offset));
        QCOMPARE(file.write("\x01\x02\x03\x04", 4), qint64(4));
        file.close();

        BinaryFile binary(QFile::encodeName(path("sparse.bin")).toStdString());
        QCOMPARE(binary.length(), offset + 4);
        uint8_t bytes[4] = {};
        QCOMPARE(binary.read(offset + 1, bytes, 4), size_t(4));
        QCOMPARE(bytes[0], uint8_t(1));
        QCOMPARE(bytes[3], uint8_t(4));
        QCOMPARE(binary.read(offset + 3, bytes, 4), size_t(2));
    }
};

QTEST_APPLESS_MAIN(TestLoadLog)
#include "tst_loadlog.moc"
