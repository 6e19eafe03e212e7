// What the platform classes are in the Qt backend: the widgets and images behind them. The
// backend's own files and the widget tests reach Qt through these.
#pragma once

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/DeviceContext.h"
#include "platform/Form.h"
#include "platform/OpenFileDialog.h"
#include "platform/PictureBox.h"
#include "platform/qt/PictureBoxWidget.h"
#include "platform/qt/PictureButtonWidget.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>

class QApplication;
class QFileDialog;

struct Application::Native
{
    std::unique_ptr<QApplication> application;
};

struct Form::Native
{
    std::unique_ptr<QMainWindow> window;
    QWidget *client = nullptr; // the client area, below the menu bar
};

// A control is a widget of the window, or a menu's action; the window owns it.
struct Control::Native
{
    QObject *object;
    const Form *form; // whose error guard its handlers run under
};

struct OpenFileDialog::Native
{
    QWidget *owner;
    // Made by the first ShowOpen that needs it, as a child of the owner so that it stays modal
    // to it; deleted with the component.
    QPointer<QFileDialog> dialog;
};

struct Bitmap::Native
{
    QImage image;
};

struct Picture::Native
{
    QImage image;
};

// Qt's name filters for a form-style filter: each entry shows exactly its description, and
// "*.*" matches every file, names without a dot included. A malformed filter is a dialog error.
QStringList qtNameFilters(const QString &filter);

inline QMainWindow *qt(const Form &form) { return form.native().window.get(); }
inline QWidget *qtClientArea(const Form &form) { return form.native().client; }
PictureBoxWidget *qt(const PictureBox *box);
PictureButtonWidget *qt(const PictureButton *button);
inline QLineEdit *qt(const TextBox *box) { return static_cast<QLineEdit *>(box->native().object); }
inline QLabel *qt(const Caption *caption)
{
    return static_cast<QLabel *>(caption->native().object);
}
inline QAction *qt(const MenuItem *item) { return static_cast<QAction *>(item->native().object); }
inline QImage qt(const Picture &picture)
{
    return picture.isNull() ? QImage() : picture.native().image;
}
