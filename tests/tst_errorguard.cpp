// The error guard: what reaches the user for each kind of exception, that the program carries
// on, and the real message box with its title and Ctrl+C copy.
#include "platform/Error.h"
#include "platform/ErrorGuard.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <stdexcept>

class TestErrorGuard : public QObject
{
    Q_OBJECT

    struct Report
    {
        bool isError = false;
        ErrorKind kind {};
        QString text;
    };
    QList<Report> reports;

private slots:
    void init()
    {
        reports.clear();
        setErrorObserver([this](const std::exception &caught, const std::string &text) {
            Report report;
            report.text = QString::fromStdString(text);
            if (const auto *error = dynamic_cast<const Error *>(&caught)) {
                report.isError = true;
                report.kind = error->kind();
            }
            reports << report;
        });
    }
    void cleanup() { setErrorObserver({}); }

    void errorsAreReportedByKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("overflow") << int(ErrorKind::Overflow) << "Overflow: detail";
        QTest::newRow("fault") << int(ErrorKind::FloatingPointFault)
                               << "Floating-point fault: detail";
        QTest::newRow("file") << int(ErrorKind::File) << "File error: detail";
        QTest::newRow("drawing") << int(ErrorKind::Drawing) << "Drawing error: detail";
        QTest::newRow("dialog") << int(ErrorKind::Dialog) << "Dialog error: detail";
        QTest::newRow("clipboard") << int(ErrorKind::Clipboard) << "Clipboard error: detail";
    }
    // As in the program, the handler runs from the event loop: the guard catches what it
    // throws, reports it, and the loop goes on to the next event.
    void errorsAreReportedByKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        static_assert(noexcept(runGuarded(nullptr, {})), "nothing may leave the guard");
        int reportsWhenGuardReturned = -1;
        bool nextEventRan = false;
        QTimer::singleShot(0, this, [&] {
            runGuarded(nullptr, [&] { throw Error(ErrorKind(kind), "detail"); });
            reportsWhenGuardReturned = int(reports.size());
        });
        QTimer::singleShot(0, this, [&] { nextEventRan = true; });
        QVERIFY(QTest::qWaitFor([&] { return nextEventRan; }));
        QCOMPARE(reportsWhenGuardReturned, 1);
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports[0].isError);
        QCOMPARE(int(reports[0].kind), kind);
        QCOMPARE(reports[0].text, text);
    }

    void otherExceptionsGetAGeneralMessage()
    {
        runGuarded(nullptr, [] { throw std::runtime_error("boom"); });
        runGuarded(nullptr, [] { throw 42; });
        QCOMPARE(reports.size(), 2);
        QVERIFY(!reports[0].isError);
        QVERIFY(reports[0].text.startsWith(QStringLiteral("Unexpected error")));
        QVERIFY(reports[0].text.contains(QStringLiteral("boom")));
        QVERIFY(reports[1].text.startsWith(QStringLiteral("Unexpected error")));
    }

    void quietHandlersReportNothing()
    {
        int runs = 0;
        runGuarded(nullptr, [&] { ++runs; });
        QCOMPARE(runs, 1);
        QVERIFY(reports.isEmpty());
    }

    // Without an observer a real, modal message box appears; Ctrl+C copies its text.
    void realMessageBox()
    {
        setErrorObserver({});
        QWidget parent;
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QGuiApplication::clipboard()->clear();
        QString title, text, copied;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            copied = QGuiApplication::clipboard()->text();
            box->accept();
        });
        runGuarded(nullptr, [] { throw Error(ErrorKind::File, "cannot open /x: denied"); });
        QCOMPARE(title, QStringLiteral("Kelvane  VOK"));
        QCOMPARE(text, QStringLiteral("File error: cannot open /x: denied"));
        QCOMPARE(copied, text);
    }
};

QTEST_MAIN(TestErrorGuard)
#include "tst_errorguard.moc"
