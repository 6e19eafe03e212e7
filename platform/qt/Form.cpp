// A form over a QMainWindow: the client area as its central widget, a widget per control row
// placed in twips, the menu bar from the menu rows, and the focus order.
#include "platform/Form.h"
#include "platform/core/PictureModel.h"

#include "platform/core/MenuRows.h"
#include "platform/qt/CaptionWidget.h"
#include "platform/qt/Native.h"
#include "platform/qt/PictureBoxWidget.h"
#include "platform/qt/PictureButtonWidget.h"
#include "platform/qt/ScreenDpi.h"
#include "platform/qt/ThaiFont.h"

#include <QAccessibleWidget>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>

namespace {

QColor colourOf(int32_t packed)
{
    const Rgb colour = unpackColour(uint32_t(packed));
    return QColor(colour.red, colour.green, colour.blue);
}

QFont fontOf(const FontRow &row) { return thaiFont(row.faces, row.bold); }

Qt::Alignment alignmentOf(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

// Our images are PNG resources and are read as such: a reader left to guess the format first
// loads every image-format plugin to ask whether it knows the file, a third of a millisecond of
// start-up.
QPixmap pngResource(const QString &name)
{
    QImageReader reader(QStringLiteral(":/resources/%1.png").arg(name), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// Screen readers would otherwise take the chart for a plain frame.
QAccessibleInterface *chartAccessibility(const QString &className, QObject *object)
{
    if (className == QLatin1String("PictureBoxWidget") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Chart);
    return nullptr;
}

QWidget *createWidget(const ControlRow &row, QWidget *parent)
{
    switch (row.kind) {
    case ControlKind::PictureButton: {
        auto *button = new PictureButtonWidget(parent);
        button->setIcon(QIcon(pngResource(QString::fromUtf8(row.picture))));
        button->setBackColor(colourOf(row.backColour));
        return button;
    }
    case ControlKind::Caption: {
        auto *label = new CaptionWidget(parent);
        label->setAlignment(alignmentOf(row.alignment));
        return label;
    }
    case ControlKind::TextBox: {
        auto *edit = new QLineEdit(parent);
        edit->setAlignment(alignmentOf(row.alignment));
        return edit;
    }
    case ControlKind::PictureBox: {
        auto *box = new PictureBoxWidget(parent);
        box->setBackColor(colourOf(row.backColour));
        return box;
    }
    }
    return nullptr;
}

QWidget *createControl(const ControlRow &row, QWidget *parent)
{
    runControlCreationHook(row);
    QWidget *widget = createWidget(row, parent);
    widget->setObjectName(QString::fromUtf8(row.name));
    if (row.font)
        widget->setFont(fontOf(*row.font));
    if (row.foreColour != NoColour) {
        QPalette palette = widget->palette();
        palette.setColor(widget->foregroundRole(), colourOf(row.foreColour));
        widget->setPalette(palette);
    }
    if (row.toolTip)
        widget->setToolTip(QString::fromUtf8(row.toolTip));
    widget->setGeometry(toQRect(twipsRectToPixels(row.left, row.top, row.width, row.height,
                                                  twipsPerLayoutPixel(parent))));
    // The text comes last: a text box lays its text out again whenever its font changes.
    const QString text = QString::fromUtf8(row.text);
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(text);
    if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !text.isEmpty())
        edit->setText(text);
    return widget;
}

std::unique_ptr<Control> controlFor(ControlKind kind, QObject *object, const Form *form)
{
    auto native = std::make_unique<Control::Native>(Control::Native { object, form });
    switch (kind) {
    case ControlKind::PictureButton:
        return std::make_unique<PictureButton>(std::move(native));
    case ControlKind::Caption:
        return std::make_unique<Caption>(std::move(native));
    case ControlKind::TextBox:
        return std::make_unique<TextBox>(std::move(native));
    case ControlKind::PictureBox:
        return std::make_unique<PictureBox>(std::move(native));
    }
    return nullptr;
}

} // namespace

Form::Form() : native_(std::make_unique<Native>()) { }

Form::~Form() = default;

void Form::load(const FormDescription &description)
{
    auto *window = new QMainWindow;
    native_->window.reset(window);
    window->setWindowTitle(QString::fromUtf8(description.caption));
    QIcon icon;
    for (int size : { 16, 32, 48 })
        icon.addPixmap(pngResource(QStringLiteral("%1-%2").arg(description.icon).arg(size)));
    window->setWindowIcon(icon);

    auto *client = new QWidget(window);
    client->setBackgroundRole(QPalette::Button);
    client->setAutoFillBackground(true);
    client->setFont(fontOf(*description.font));
    window->setCentralWidget(client);
    native_->client = client;
    QAccessible::installFactory(chartAccessibility); // once; a second install is ignored
    for (const ControlRow &row : description.controls)
        controls_.emplace(row.name, controlFor(row.kind, createControl(row, client), this));

    for (const MenuRow &row : description.menus) {
        const QString caption = QString::fromUtf8(row.caption);
        QMenu *menu = row.menu ? qt(&control<MenuItem>(row.menu))->menu() : nullptr;
        QAction *action = nullptr;
        if (opensPopup(description.menus, row))
            action = (menu ? menu->addMenu(caption) : window->menuBar()->addMenu(caption))
                             ->menuAction();
        else // a menu with no items on the bar is a command of the bar itself
            action = menu ? menu->addAction(caption) : window->menuBar()->addAction(caption);
        action->setObjectName(QString::fromUtf8(row.name));
        controls_.emplace(row.name,
                          std::make_unique<MenuItem>(std::make_unique<Control::Native>(
                                  Control::Native { action, this })));
    }

    QWidget *previous = nullptr;
    for (const char *name : description.focusOrder) {
        auto *next = qobject_cast<QWidget *>(controlNamed(name).native().object);
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
    if (previous)
        qobject_cast<QWidget *>(controlNamed(description.focusOrder.front()).native().object)
                ->setFocus();

    // The client area below the menu bar has the layout's size; a resize later moves nothing.
    const double tpp = twipsPerLayoutPixel(window);
    const QRect area = toQRect(twipsRectToPixels(0, 0, description.width, description.height, tpp));
    window->resize(area.width(), area.height() + window->menuBar()->sizeHint().height());
    window->move(int(twipsToPixels(description.left, tpp)),
                 int(twipsToPixels(description.top, tpp)));
}

void Form::Show() { native_->window->show(); }

void Form::Unload() { native_->window->close(); }

double Form::ScaleWidth() const
{
    return native_->client->width() * twipsPerLayoutPixel(native_->client);
}

double Form::ScaleHeight() const
{
    return native_->client->height() * twipsPerLayoutPixel(native_->client);
}

double Form::twipsPerPixel() const { return ::twipsPerPixel(native_->client); }
