// Files dragged from a file manager and dropped anywhere on a form.
#include "platform/ErrorGuard.h"
#include "platform/Form.h"
#include "platform/core/FileDrop.h"
#include "platform/qt/Native.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

// The files a drop opens from what a drag carries; a remote address is an item with no path.
std::vector<std::string> droppableFiles(const QMimeData *data)
{
    std::vector<DroppedItem> items;
    for (const QUrl &url : data->urls()) {
        const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
        items.push_back({ path.toStdString(), !path.isEmpty() && QFileInfo(path).isDir() });
    }
    return droppableFiles(items);
}

// Watches the window and every control that takes drops of its own. A drag that carries URLs
// is the window's, whichever control it is over: a text box would otherwise paste a file
// manager's path text, and the chart takes none. Drags of text alone stay the text boxes'.
class FileDropTarget : public QObject
{
public:
    FileDropTarget(const Form *form, Form::DropHandler handler)
        : QObject(qt(*form)), form_(form), handler_(std::move(handler))
    { }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        const std::vector<std::string> paths = droppableFiles(drag->mimeData());
        // Always a copy, never the proposed move: a source that moved would delete the file.
        if (paths.empty() || !(drag->possibleActions() & Qt::CopyAction)) {
            drag->ignore();
            return true;
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        // The load runs once the drop has been answered, so that the source is not held
        // through a long load or an error's message box.
        if (type == QEvent::Drop)
            QMetaObject::invokeMethod(
                    this, [this, paths] { runGuarded(form_, [&] { handler_(paths); }); },
                    Qt::QueuedConnection);
        return true;
    }

private:
    const Form *form_;
    Form::DropHandler handler_;
};

} // namespace

void Form::onFilesDropped(DropHandler handler)
{
    QMainWindow *window = qt(*this);
    auto *target = new FileDropTarget(this, std::move(handler));
    for (QWidget *control : window->findChildren<QWidget *>())
        if (control->acceptDrops())
            control->installEventFilter(target);
    window->setAcceptDrops(true);
    window->installEventFilter(target);
}
