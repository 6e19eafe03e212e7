// The error guard: what reaches the user for each kind of exception, that the program carries
// on, the real message box with its owner, title and Ctrl+C copy, and a main window that cannot
// be made.
#include "EmptyForm.h"
#include "Form1/Form1.h"
#include "platform/Application.h"
#include "platform/ErrorGuard.h"
#include "platform/core/Error.h"
#include "platform/qt/Native.h"

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
    Application &application;

    struct Box
    {
        QString title, text, copied;
        QWidget *parent = nullptr;
    };
    // Reads the next modal box once it is on view, copies its text with Ctrl+C, and closes it.
    void answerNextBox(Box &box)
    {
        QGuiApplication::clipboard()->clear();
        QTimer::singleShot(0, this, [&box] {
            auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            box = { shown->windowTitle(), shown->text(), {}, shown->parentWidget() };
            QTest::keyClick(shown, Qt::Key_C, Qt::ControlModifier);
            box.copied = QGuiApplication::clipboard()->text();
            shown->accept();
        });
    }

public:
    explicit TestErrorGuard(Application &app) : application(app) { }

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
    void cleanup()
    {
        setErrorObserver({});
        setControlCreationHook({});
    }

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

    // Without an observer a real, modal message box appears over its owner, titled like it;
    // Ctrl+C copies its text.
    void realMessageBox_data()
    {
        QTest::addColumn<bool>("owned");
        QTest::addColumn<QString>("title");
        QTest::newRow("owned") << true << QStringLiteral("Test");
        QTest::newRow("no owner: the program's name") << false << QStringLiteral("Kelvane  VOK");
    }
    void realMessageBox()
    {
        QFETCH(bool, owned);
        QFETCH(QString, title);
        setErrorObserver({});
        Form owner;
        owner.load(EmptyForm);
        owner.Show();
        QVERIFY(QTest::qWaitForWindowExposed(qt(owner)));
        Box box;
        answerNextBox(box);
        runGuarded(owned ? &owner : nullptr,
                   [] { throw Error(ErrorKind::File, "cannot open /x: denied"); });
        QCOMPARE(box.title, title);
        QCOMPARE(box.parent, owned ? qt(owner) : nullptr);
        QCOMPARE(box.text, QStringLiteral("File error: cannot open /x: denied"));
        QCOMPARE(box.copied, box.text);
    }

    // A main window that fails while it is made: its error in a box with no owner, nothing of
    // the window left on view, and the program ends with status 1.
    void mainWindowThatCannotBeMade()
    {
        setErrorObserver({});
        setControlCreationHook([](const ControlRow &row) {
            if (std::string_view(row.name) == "Pic")
                throw Error(ErrorKind::Drawing, "cannot make the chart: no memory");
        });
        Box box;
        answerNextBox(box);
        QCOMPARE(application.run([] { return std::make_unique<Form1>(); }), 1);
        QCOMPARE(box.title, QStringLiteral("Kelvane  VOK"));
        QCOMPARE(box.parent, nullptr);
        QCOMPARE(box.text, QStringLiteral("Drawing error: cannot make the chart: no memory"));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
    }
};

// The program's own run-time, as main() makes it, so that start-up can be run here.
int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestErrorGuard test(application);
    return QTest::qExec(&test, argc, argv);
}
#include "tst_errorguard.moc"
