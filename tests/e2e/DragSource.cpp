// A stand-in for a file manager in end-to-end tests: a window that, once pressed, drags the
// files named on its command line as URLs with their paths beside as text, the way file
// managers offer them, proposes a move, and prints how the drag ended. It stays until killed:
// the target may still ask for the data after the drag has ended.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget
{
public:
    explicit DragSource(const QStringList &paths) : paths(paths) { }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        data->setText(paths.join('\n'));
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction result
                = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
        const char *name = result == Qt::CopyAction ? "copy"
                : result == Qt::MoveAction          ? "move"
                : result == Qt::LinkAction          ? "link"
                                                    : "none";
        std::printf("%s\n", name);
        std::fflush(stdout);
    }

private:
    QStringList paths;
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
