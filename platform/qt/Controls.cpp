// The controls over Qt widgets: each call goes to the widget or action behind the control, and
// each handler is connected under the error guard.
#include "platform/ErrorGuard.h"
#include "platform/qt/Native.h"
#include "platform/qt/PictureBoxWidget.h"
#include "platform/qt/PictureButtonWidget.h"

namespace {

QWidget *widgetOf(const Control &control)
{
    return qobject_cast<QWidget *>(control.native().object);
}

auto guarded(const Control &control, Handler handler)
{
    return [form = control.native().form, handler = std::move(handler)] {
        runGuarded(form, handler);
    };
}

} // namespace

Control::Control(std::unique_ptr<Native> native) : native_(std::move(native)) { }

Control::~Control() = default;

void Control::setAccessibleName(std::string_view name)
{
    if (QWidget *widget = widgetOf(*this))
        widget->setAccessibleName(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

std::string TextBox::Text() const { return qt(this)->text().toStdString(); }

void TextBox::setText(std::string_view text)
{
    qt(this)->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void Caption::setBuddy(TextBox &box) { qt(this)->setBuddy(qt(&box)); }

PictureButtonWidget *qt(const PictureButton *button)
{
    return static_cast<PictureButtonWidget *>(button->native().object);
}

void PictureButton::onClick(Handler handler)
{
    QObject::connect(qt(this), &QAbstractButton::clicked, guarded(*this, std::move(handler)));
}

void MenuItem::onClick(Handler handler)
{
    QObject::connect(qt(this), &QAction::triggered, guarded(*this, std::move(handler)));
}

PictureBoxWidget *qt(const PictureBox *box)
{
    return static_cast<PictureBoxWidget *>(box->native().object);
}

void PictureBox::setAutoRedraw(bool on) { qt(this)->setAutoRedraw(on); }

void PictureBox::Line(float x1, float y1, float x2, float y2, uint32_t colour)
{
    qt(this)->Line(x1, y1, x2, y2, colour);
}

void PictureBox::Cls() { qt(this)->Cls(); }

void PictureBox::setLineElements(std::span<const LineElement> elements)
{
    qt(this)->setLineElements({ elements.begin(), elements.end() });
}

void PictureBox::onMouseMove(MouseHandler handler)
{
    QObject::connect(qt(this), &PictureBoxWidget::MouseMove,
                     [form = native().form, handler = std::move(handler)](short button, short shift,
                                                                          float x, float y) {
                         runGuarded(form, [&] { handler(button, shift, x, y); });
                     });
}
