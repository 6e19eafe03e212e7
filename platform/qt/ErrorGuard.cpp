// Catching handler errors at the event loop's edge and reporting them in a message box.
#include "platform/ErrorGuard.h"

#include "platform/Error.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <stdexcept>

namespace {

ErrorObserver &observer()
{
    static ErrorObserver instance;
    return instance;
}

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

void showMessage(QWidget *parent, const QString &text)
{
    CopyableMessageBox box(QMessageBox::Critical, QStringLiteral("Kelvane  VOK"), text,
                           QMessageBox::Ok, parent);
    box.exec();
}

void report(QWidget *parent, const std::exception &caught) noexcept
{
    try {
        const QString text = guardMessage(caught);
        if (observer())
            observer()(caught, text);
        else
            showMessage(parent, text);
    } catch (...) {
        // Reporting itself failed (out of memory, or a throwing observer): there is no one
        // left to tell, and the event loop must not see the exception.
    }
}

} // namespace

QString guardMessage(const std::exception &caught)
{
    if (const auto *error = dynamic_cast<const Error *>(&caught))
        return QString::fromStdString(error->message());
    return QStringLiteral("Unexpected error: %1").arg(QString::fromLocal8Bit(caught.what()));
}

void runGuarded(QWidget *parent, const std::function<void()> &handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &caught) {
        report(parent, caught);
    } catch (...) {
        try {
            report(parent, std::runtime_error("an exception of unknown type"));
        } catch (...) { }
    }
}

void setErrorObserver(ErrorObserver observer_) { observer() = std::move(observer_); }
