// The open-file dialog component: a form-style filter, the chosen name, and a modal dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QFileDialog;
class QWidget;

// Invisible until ShowOpen. The dialog is Qt's own rather than the desktop's, so it behaves the
// same everywhere; its title, folder, default extension and initial name are Qt's defaults.
// One dialog serves every ShowOpen for the component's life: building Qt's dialog anew for each
// Open costs time and leaves memory behind every time.
class OpenFileDialog : public QObject
{
    Q_OBJECT

public:
    explicit OpenFileDialog(QWidget *owner);
    ~OpenFileDialog() override;

    // Properties, read and written as plain fields the way the window's code uses them.
    // "Description|pattern|Description|pattern...", patterns separated by ';'.
    QString Filter;
    // The chosen file's path after ShowOpen.
    QString FileName;

    // Lets the user pick one existing file and waits for the answer: FileName becomes its path,
    // or the empty string when the dialog is cancelled. A malformed filter is a dialog error.
    void ShowOpen();

    // Qt's name filters for a form-style filter: each entry shows exactly its description,
    // and "*.*" matches every file, names without a dot included.
    static QStringList nameFilters(const QString &filter);

    // Test hook: stands in for the dialog. It gets the owner and the name filters and returns
    // the chosen path, or an empty string for a cancelled dialog.
    using Chooser = std::function<QString(QWidget *owner, const QStringList &nameFilters)>;
    void setChooser(Chooser replacement) { chooser = std::move(replacement); }

private:
    QString chooseWithDialog(const QStringList &nameFilters);
    void forgetChoice();

    QWidget *owner;
    Chooser chooser;
    // Made by the first ShowOpen that needs it, as a child of the owner so that it stays modal to
    // it; deleted with this component.
    QPointer<QFileDialog> dialog;
};
