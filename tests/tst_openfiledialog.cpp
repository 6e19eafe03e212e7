// The open-file component: form-style filters in Qt's terms, the real dialog's single entry
// that shows every file, cancelling, and the scripted chooser tests use.
#include "platform/Error.h"
#include "platform/OpenFileDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// The names the dialog's file list shows.
QStringList listedNames(QFileDialog *dialog)
{
    QStringList names;
    const auto *view = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView"));
    if (!view || !view->model())
        return names;
    const QAbstractItemModel *model = view->model();
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row)
        names << model->index(row, 0, root).data().toString();
    return names;
}

} // namespace

class TestOpenFileDialog : public QObject
{
    Q_OBJECT

    QWidget owner;

private slots:
    void initTestCase()
    {
        owner.resize(200, 100);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
    }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("nameFilters");
        QTest::newRow("the window's") << "All File(*.*)|*.*" << QStringList { "All File(*.*) (*)" };
        QTest::newRow("several patterns")
                << "Logs|*.log;*.dat" << QStringList { "Logs (*.log *.dat)" };
        QTest::newRow("two entries")
                << "Logs|*.log|All|*.*" << QStringList { "Logs (*.log)", "All (*)" };
        QTest::newRow("none") << "" << QStringList {};
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, nameFilters);
        QCOMPARE(OpenFileDialog::nameFilters(filter), nameFilters);
    }

    void malformedFilter()
    {
        OpenFileDialog dialog(&owner);
        dialog.Filter = QStringLiteral("Logs|*.log|All");
        dialog.setChooser([](QWidget *, const QStringList &) { return QStringLiteral("x"); });
        try {
            dialog.ShowOpen();
            QFAIL("a filter without a pattern was accepted");
        } catch (const Error &error) {
            QCOMPARE(error.kind(), ErrorKind::Dialog);
        }
    }

    // The real dialog: one entry reading "All File(*.*)" that lists names without a dot too,
    // and a name typed into it comes back as the chosen path. The next Open shows the same
    // dialog again, with nothing left chosen or typed from the last one.
    void realDialogShowsEveryFile()
    {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("LOGFILE")));
        touch(dir.filePath(QStringLiteral("day1.bin")));
        OpenFileDialog component(&owner);
        component.Filter = QStringLiteral("All File(*.*)|*.*");
        QStringList entries, listed;
        bool native = true;
        QFileDialog *first = nullptr;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            first = dialog;
            native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
            const auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; types && i < types->count(); ++i)
                entries << types->itemText(i);
            dialog->setDirectory(dir.path());
            if (!QTest::qWaitFor([&] { return listedNames(dialog).size() == 2; }, 5000))
                qWarning("the dialog did not list the folder in time");
            listed = listedNames(dialog);
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            name->clear();
            QTest::keyClicks(name, QStringLiteral("LOGFILE"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        component.ShowOpen();
        QVERIFY(!native);
        QCOMPARE(entries, QStringList { "All File(*.*)" });
        listed.sort();
        QCOMPARE(listed, QStringList({ "LOGFILE", "day1.bin" }));
        QCOMPARE(component.FileName, dir.filePath(QStringLiteral("LOGFILE")));
        // The typed name's completion list goes with the dialog.
        QCOMPARE(QApplication::activePopupWidget(), nullptr);

        QFileDialog *second = nullptr;
        QString typed = QStringLiteral("unread");
        bool selected = true, undoable = true;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            second = dialog;
            const auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            typed = name->text();
            undoable = name->isUndoAvailable();
            selected = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView"))
                               ->selectionModel()
                               ->hasSelection();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        component.ShowOpen();
        QCOMPARE(second, first);
        QCOMPARE(typed, QString());
        QVERIFY(!selected);
        QVERIFY(!undoable);
        QCOMPARE(component.FileName, QString());
    }

    void cancellingYieldsAnEmptyName()
    {
        OpenFileDialog component(&owner);
        component.Filter = QStringLiteral("All File(*.*)|*.*");
        component.FileName = QStringLiteral("/earlier/choice");
        QTimer::singleShot(0, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        component.ShowOpen();
        QCOMPARE(component.FileName, QString());
    }

    void scriptedChooser()
    {
        OpenFileDialog component(&owner);
        component.Filter = QStringLiteral("All File(*.*)|*.*");
        QStringList offered;
        QWidget *parent = nullptr;
        component.setChooser([&](QWidget *owner, const QStringList &filters) {
            parent = owner;
            offered = filters;
            return QStringLiteral("/logs/a");
        });
        component.ShowOpen();
        QCOMPARE(component.FileName, QStringLiteral("/logs/a"));
        QCOMPARE(parent, &owner);
        QCOMPARE(offered, QStringList { "All File(*.*) (*)" });
    }
};

QTEST_MAIN(TestOpenFileDialog)
#include "tst_openfiledialog.moc"
