// The main window's construction: controls placed from the layout table, menus, focus order,
// and every event wired to its handler through the error guard.
#include "Form1/Form1.h"

#include "Form1/Layout.h"
#include "platform/Caption.h"
#include "platform/ErrorGuard.h"
#include "platform/ThaiFont.h"
#include "platform/Twips.h"

#include <QAccessibleWidget>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

QColor colourOf(int32_t packed)
{
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

QFont fontOf(Layout::FontKind kind)
{
    const Layout::FontRow &row = Layout::font(kind);
    return thaiFont(row.faces, row.bold);
}

// Our images are PNG resources and are read as such: a reader left to guess the format first
// loads every image-format plugin to ask whether it knows the file, a third of a millisecond of
// start-up.
QPixmap pngResource(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

PictureButton *pictureButton(const Layout::ControlRow &row, QWidget *parent)
{
    auto *button = new PictureButton(parent);
    button->setIcon(QIcon(pngResource(QString::fromUtf8(row.picture))));
    button->setBackColor(colourOf(row.backColour));
    return button;
}

QWidget *createControl(const Layout::ControlRow &row, QWidget *parent)
{
    QWidget *widget = nullptr;
    QLabel *label = nullptr;
    QLineEdit *edit = nullptr;
    switch (row.kind) {
    case Layout::ControlKind::PictureButton:
        widget = pictureButton(row, parent);
        break;
    case Layout::ControlKind::Caption:
        widget = label = new Caption(parent);
        label->setAlignment(row.alignment);
        break;
    case Layout::ControlKind::TextBox:
        widget = edit = new QLineEdit(parent);
        edit->setAlignment(row.alignment);
        break;
    case Layout::ControlKind::PictureBox: {
        auto *box = new PictureBox(parent);
        box->setBackColor(colourOf(row.backColour));
        widget = box;
        break;
    }
    }
    widget->setObjectName(QString::fromUtf8(row.name));
    if (row.font != Layout::FontKind::Window)
        widget->setFont(fontOf(row.font));
    if (row.foreColour != Layout::NoColour) {
        QPalette palette = widget->palette();
        palette.setColor(widget->foregroundRole(), colourOf(row.foreColour));
        widget->setPalette(palette);
    }
    if (row.toolTip)
        widget->setToolTip(QString::fromUtf8(row.toolTip));
    widget->setGeometry(twipsRectToPixels(row.left, row.top, row.width, row.height,
                                          twipsPerLayoutPixel(parent)));
    // The text comes last: a text box lays its text out again whenever its font changes.
    const QString text = QString::fromUtf8(row.text);
    if (label)
        label->setText(text);
    if (edit && !text.isEmpty())
        edit->setText(text);
    return widget;
}

template<typename T> T *control(const QObject *form, const QString &name)
{
    T *found = form->findChild<T *>(name);
    Q_ASSERT_X(found, "Form1", qPrintable(name + QLatin1String(" is not in the layout")));
    return found;
}

// Screen readers would otherwise take the chart for a plain frame.
QAccessibleInterface *chartAccessibility(const QString &className, QObject *object)
{
    if (className == QLatin1String("PictureBox") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Chart);
    return nullptr;
}

// Wraps a handler of the window so that it runs under the error guard.
auto guarded(Form1 *form, void (Form1::*handler)())
{
    return [form, handler] { runGuarded(form, [form, handler] { (form->*handler)(); }); };
}

} // namespace

Form1::Form1(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QString::fromUtf8(Layout::window.caption));
    QIcon icon;
    for (int size : { 16, 32, 48 })
        icon.addPixmap(pngResource(QStringLiteral(":/resources/icon-%1.png").arg(size)));
    setWindowIcon(icon);

    createControls();
    createMenus();
    wireEvents();
    acceptFileDrops();

    // The client area below the menu bar has the layout's size; a resize later moves nothing.
    const double tpp = twipsPerLayoutPixel(this);
    const QRect client = twipsRectToPixels(0, 0, Layout::window.width, Layout::window.height, tpp);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    move(int(twipsToPixels(Layout::window.left, tpp)), int(twipsToPixels(Layout::window.top, tpp)));
}

void Form1::createControls()
{
    auto *client = new QWidget(this);
    client->setBackgroundRole(QPalette::Button);
    client->setAutoFillBackground(true);
    client->setFont(fontOf(Layout::FontKind::Window));
    setCentralWidget(client);
    for (const Layout::ControlRow &row : Layout::controls)
        createControl(row, client);

    Pic = control<PictureBox>(this, QStringLiteral("Pic"));
    Pic->setLineElements({ Layout::grid.begin(), Layout::grid.end() });
    Cm1 = control<PictureButton>(this, QStringLiteral("Cm1"));
    Cm2 = control<PictureButton>(this, QStringLiteral("Cm2"));
    Command1 = control<PictureButton>(this, QStringLiteral("Command1"));
    Command2 = control<PictureButton>(this, QStringLiteral("Command2"));
    QLineEdit *Form1::*const texts[] = { &Form1::Text1, &Form1::Text2, &Form1::Text3,
                                         &Form1::Text4, &Form1::Text5, &Form1::Text6 };
    for (int i = 0; i < 6; ++i)
        this->*texts[i] = control<QLineEdit>(this, QStringLiteral("Text%1").arg(i + 1));
    QLabel *Form1::*const labels[]
            = { &Form1::Label1,  &Form1::Label2,  &Form1::Label3,  &Form1::Label4,  &Form1::Label5,
                &Form1::Label6,  &Form1::Label7,  &Form1::Label8,  &Form1::Label9,  &Form1::Label10,
                &Form1::Label11, &Form1::Label12, &Form1::Label13, &Form1::Label14, &Form1::Label15,
                &Form1::Label16, &Form1::Label17, &Form1::Label18, &Form1::Label19 };
    for (int i = 0; i < 19; ++i)
        this->*labels[i] = control<QLabel>(this, QStringLiteral("Label%1").arg(i + 1));

    // Screen readers name the glyph-only buttons and the chart by what they are for, and each
    // read-out box by the caption above it.
    Cm1->setAccessibleName(QStringLiteral("New"));
    Cm2->setAccessibleName(QStringLiteral("Open"));
    Command1->setAccessibleName(QStringLiteral("Copy image"));
    Command2->setAccessibleName(QStringLiteral("Exit"));
    QAccessible::installFactory(chartAccessibility); // once; a second install is ignored
    Pic->setAccessibleName(QStringLiteral("Temperature chart"));
    Label3->setBuddy(Text5);
    Label19->setBuddy(Text6);

    CmD = new OpenFileDialog(this);
    CmD->setObjectName(QStringLiteral("CmD"));
    CmD->Filter = QString::fromUtf8(Layout::openFilter);

    QWidget *previous = nullptr;
    for (const char *name : Layout::focusOrder) {
        QWidget *next = control<QWidget>(this, QString::fromUtf8(name));
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    Pic->setFocus();
}

void Form1::createMenus()
{
    for (const Layout::MenuRow &row : Layout::menus) {
        const QString caption = QString::fromUtf8(row.caption);
        const QString name = QString::fromUtf8(row.name);
        QAction *action = nullptr;
        if (row.menu) {
            action = control<QMenu>(this, QString::fromUtf8(row.menu))->addAction(caption);
        } else if (row.name == std::string_view("mnuhelp")) {
            // A menu with no items is a command of the bar itself; choosing it does nothing.
            action = menuBar()->addAction(caption);
        } else {
            QMenu *menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            action = menu->menuAction();
        }
        action->setObjectName(name);
    }
    mnuFile = control<QMenu>(this, QStringLiteral("mnuFile"));
    mnuNew = control<QAction>(this, QStringLiteral("mnuNew"));
    mnuopen = control<QAction>(this, QStringLiteral("mnuopen"));
    mnuexit = control<QAction>(this, QStringLiteral("mnuexit"));
    mnuhelp = control<QAction>(this, QStringLiteral("mnuhelp"));
}

void Form1::wireEvents()
{
    connect(Cm1, &PictureButton::clicked, this, guarded(this, &Form1::Cm1_Click));
    connect(Cm2, &PictureButton::clicked, this, guarded(this, &Form1::Cm2_Click));
    connect(Command1, &PictureButton::clicked, this, guarded(this, &Form1::Command1_Click));
    connect(Command2, &PictureButton::clicked, this, guarded(this, &Form1::Command2_Click));
    connect(mnuNew, &QAction::triggered, this, guarded(this, &Form1::mnuNew_Click));
    connect(mnuopen, &QAction::triggered, this, guarded(this, &Form1::mnuopen_Click));
    connect(mnuexit, &QAction::triggered, this, guarded(this, &Form1::mnuexit_Click));
    connect(Pic, &PictureBox::MouseMove, this, [this](short button, short shift, float x, float y) {
        runGuarded(this, [&] { Pic_MouseMove(button, shift, x, y); });
    });
}
