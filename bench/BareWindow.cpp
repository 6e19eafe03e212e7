// The start-up yardstick: a bare main window of the viewer's size with a two-item menu bar.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.menuBar()->addMenu(QStringLiteral("Help"));
    window.setCentralWidget(new QWidget);
    // The viewer's client area at 96 dpi (9960 x 7035 twips) below the menu bar.
    window.resize(664, 469 + window.menuBar()->sizeHint().height());
    window.show();
    return app.exec();
}
