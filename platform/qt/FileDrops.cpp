// Log files dragged from a file manager and dropped anywhere on the window open as Open would
// open them.
#include "Form1/Form1.h"

#include "platform/ErrorGuard.h"
#include "platform/PictureBox.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

// The files a drag carries, when every item is a local file and none is a folder; otherwise
// nothing, and the whole drag is refused rather than part of what the user picked opened.
QStringList droppableFiles(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
        if (path.isEmpty() || QFileInfo(path).isDir())
            return {};
        paths << path;
    }
    return paths;
}

// Watches the window and every control that takes drops of its own. A drag that carries URLs
// is the window's, whichever control it is over: a text box would otherwise paste a file
// manager's path text, and the chart takes none. Drags of text alone stay the text boxes'.
class FileDropTarget : public QObject
{
public:
    explicit FileDropTarget(Form1 *form) : QObject(form), form(form) { }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        const QStringList paths = droppableFiles(drag->mimeData());
        // Always a copy, never the proposed move: a source that moved would delete the log.
        if (paths.isEmpty() || !(drag->possibleActions() & Qt::CopyAction)) {
            drag->ignore();
            return true;
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        // The load runs once the drop has been answered, so that the source is not held
        // through a long load or an error's message box.
        if (type == QEvent::Drop)
            QMetaObject::invokeMethod(
                    form,
                    [form = form, paths] {
                        runGuarded(form, [&] { form->openDroppedFiles(paths); });
                    },
                    Qt::QueuedConnection);
        return true;
    }

private:
    Form1 *form;
};

} // namespace

void Form1::acceptFileDrops()
{
    auto *target = new FileDropTarget(this);
    for (QWidget *control : findChildren<QWidget *>())
        if (control->acceptDrops())
            control->installEventFilter(target);
    setAcceptDrops(true);
    installEventFilter(target);
}

void Form1::openDroppedFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        Pic->setAutoRedraw(true);
        openLogFile(path);
    }
}
