// A stand-in for a file manager in end-to-end tests: a window that, once pressed, drags the
// files named on its command line as URLs with their paths beside as text, the way file
// managers offer them, proposes a move, and prints how the drag ended. On the way it tells
// stderr "dragging" once the drag holds the pointer, and each action a target would take, so a
// test waits for these instead of a while. It stays until killed: the target may still ask for
// the data after the drag has ended.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget
{
public:
    explicit DragSource(const QStringList &paths) : paths_(paths) { }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        QList<QUrl> urls;
        for (const QString &path : paths_)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        data->setText(paths_.join('\n'));
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        connect(drag, &QDrag::actionChanged, this,
                [](Qt::DropAction action) { std::fprintf(stderr, "action %s\n", name(action)); });
        // Runs inside the drag's own event loop, which starts once the pointer is grabbed.
        QTimer::singleShot(0, this, [] { std::fprintf(stderr, "dragging\n"); });
        const Qt::DropAction result
                = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
        std::printf("%s\n", name(result));
        std::fflush(stdout);
    }

private:
    static const char *name(Qt::DropAction action)
    {
        return action == Qt::CopyAction    ? "copy"
                : action == Qt::MoveAction ? "move"
                : action == Qt::LinkAction ? "link"
                                           : "none";
    }

    QStringList paths_;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DragSource source(QApplication::arguments().mid(1));
    source.setWindowTitle(QStringLiteral("drag source"));
    source.setGeometry(900, 100, 120, 120);
    source.show();
    return app.exec();
}
