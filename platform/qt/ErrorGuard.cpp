// The error guard's message box over Qt.
#include "platform/ErrorGuard.h"

#include "platform/Application.h"
#include "platform/qt/Native.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

// Qt copies a message box's text with Ctrl+C on Windows only; users elsewhere want it too.
class CopyableMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(text());
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
};

} // namespace

void showErrorMessage(const Form *owner, const std::string &text)
{
    QWidget *parent = owner ? qt(*owner) : nullptr;
    const QString title = parent ? parent->windowTitle() : QString::fromUtf8(ProgramName);
    CopyableMessageBox box(QMessageBox::Critical, title, QString::fromStdString(text),
                           QMessageBox::Ok, parent);
    box.exec();
}
