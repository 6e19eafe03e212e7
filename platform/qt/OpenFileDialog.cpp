// Showing Qt's file dialog for the open-file component.
#include "platform/OpenFileDialog.h"

#include "platform/core/FileFilter.h"
#include "platform/qt/Native.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QWidget>

namespace {

// The next Open starts as a new dialog would: no file selected, an empty name, no completion
// pending. The folder, its history and the view stay as the user left them.
void forgetChoice(QFileDialog *dialog)
{
    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
        // A completion still waiting for its folder to load would pop up over the window once
        // the folder arrives, with the dialog long closed.
        if (QCompleter *completer = name->completer()) {
            completer->setCompletionPrefix(QString());
            completer->popup()->hide();
        }
        // Unlike clear(), which can be undone, this also empties the undo history, which
        // would otherwise keep every name ever typed.
        name->setText(QString());
    }
    // After the name: an emptied name field selects the folder itself in the file list.
    if (auto *files = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView")))
        files->selectionModel()->clear();
}

QString chooseWithDialog(OpenFileDialog::Native &native, const QStringList &filters)
{
    QPointer<QFileDialog> &dialog = native.dialog;
    if (!dialog) {
        dialog = new QFileDialog(native.owner);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        // The patterns go in brackets after the description, where Qt reads them; hiding the
        // details drops that bracket again, so the entry reads as its description alone.
        dialog->setOption(QFileDialog::HideNameFilterDetails);
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    dialog->setNameFilters(filters);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QStringList chosen = dialog->selectedFiles();
    forgetChoice(dialog);
    if (!accepted || chosen.isEmpty())
        return QString();
    return chosen.constFirst();
}

} // namespace

OpenFileDialog::OpenFileDialog(Form &owner)
    : native_(std::make_unique<Native>(Native { qt(owner), nullptr }))
{ }

// The dialog goes with the component; the pointer is null if the owner's teardown took it first.
OpenFileDialog::~OpenFileDialog() { delete native_->dialog; }

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    for (const FileFilterEntry &entry : parseFileFilter(filter.toStdString())) {
        QStringList patterns;
        // Qt's "*.*" wants a dot in the name; the classic pattern means every file.
        for (const std::string &pattern : entry.patterns)
            patterns << (pattern == "*.*" ? QStringLiteral("*") : QString::fromStdString(pattern));
        result << QStringLiteral("%1 (%2)").arg(QString::fromStdString(entry.description),
                                                patterns.join(QLatin1Char(' ')));
    }
    return result;
}

void OpenFileDialog::ShowOpen()
{
    const QStringList filters = qtNameFilters(QString::fromStdString(Filter));
    FileName = chooser_ ? chooser_(Filter) : chooseWithDialog(*native_, filters).toStdString();
}
