// Showing Qt's file dialog for the open-file component.
#include "platform/OpenFileDialog.h"

#include "platform/Error.h"

#include <QFileDialog>
#include <QWidget>

namespace {

QString chooseWithDialog(QWidget *owner, const QStringList &nameFilters)
{
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The patterns go in brackets after the description, where Qt reads them; hiding the
    // details drops that bracket again, so the entry reads as its description alone.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

OpenFileDialog::OpenFileDialog(QWidget *owner_) : QObject(owner_), owner(owner_) { }

QStringList OpenFileDialog::nameFilters(const QString &filter)
{
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() % 2 != 0)
        throw Error(ErrorKind::Dialog,
                    "the file filter \"" + filter.toStdString() + "\" lacks a pattern");
    QStringList result;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            // Qt's "*.*" wants a dot in the name; the classic pattern means every file.
            patterns << (pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*")
                                                                   : pattern.trimmed());
        }
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return result;
}

void OpenFileDialog::ShowOpen()
{
    const QStringList filters = nameFilters(Filter);
    FileName = chooser ? chooser(owner, filters) : chooseWithDialog(owner, filters);
}
