// The one place where errors thrown by event handlers are caught and shown to the user.
#pragma once

#include <QString>
#include <exception>
#include <functional>

class QWidget;

// Runs an event handler so that no exception reaches Qt's event loop. An Error is shown in a
// message box titled like the window, its text the error's message (which starts with the
// kind); any other exception gets a general message. Ctrl+C on the box copies its text. The
// program then carries on.
void runGuarded(QWidget *parent, const std::function<void()> &handler) noexcept;

// The text the guard shows for what it caught.
QString guardMessage(const std::exception &caught);

// Test hook: while set, what the guard caught and the text it would show go here instead of
// to a modal box. Pass an empty function to show real boxes again.
using ErrorObserver = std::function<void(const std::exception &caught, const QString &text)>;
void setErrorObserver(ErrorObserver observer);
