// The open-file component: form-style filters in Qt's terms, the real dialog's single entry
// that shows every file, cancelling, and the scripted chooser tests use.
#include "EmptyForm.h"
#include "platform/OpenFileDialog.h"
#include "platform/core/Error.h"
#include "platform/qt/Native.h"

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

    Form owner;

private slots:
    void initTestCase()
    {
        owner.load(EmptyForm);
        owner.Show();
        QVERIFY(QTest::qWaitForWindowExposed(qt(owner)));
    }

    // The entries in Qt's terms; how a filter parses is tst_backendlogic's to check.
    void nameFilters()
    {
        QCOMPARE(qtNameFilters("Logs|*.log;*.dat|All File(*.*)|*.*"),
                 QStringList({ "Logs (*.log *.dat)", "All File(*.*) (*)" }));
    }

    void malformedFilter()
    {
        OpenFileDialog dialog(owner);
        dialog.Filter = "Logs|*.log|All";
        dialog.setChooser([](const std::string &) { return std::string("x"); });
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
        OpenFileDialog component(owner);
        component.Filter = "All File(*.*)|*.*";
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
        QCOMPARE(component.FileName, dir.filePath(QStringLiteral("LOGFILE")).toStdString());
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
        QCOMPARE(component.FileName, std::string());
    }

    void cancellingYieldsAnEmptyName()
    {
        OpenFileDialog component(owner);
        component.Filter = "All File(*.*)|*.*";
        component.FileName = "/earlier/choice";
        QTimer::singleShot(0, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        component.ShowOpen();
        QCOMPARE(component.FileName, std::string());
    }

    void scriptedChooser()
    {
        OpenFileDialog component(owner);
        component.Filter = "All File(*.*)|*.*";
        std::string offered;
        component.setChooser([&](const std::string &filter) {
            offered = filter;
            return std::string("/logs/a");
        });
        component.ShowOpen();
        QCOMPARE(component.FileName, std::string("/logs/a"));
        QCOMPARE(offered, std::string("All File(*.*)|*.*"));
    }
};

QTEST_MAIN(TestOpenFileDialog)
#include "tst_openfiledialog.moc"
