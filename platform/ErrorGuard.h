// The one place where errors thrown by event handlers are caught and shown to the user.
#pragma once

#include <exception>
#include <functional>
#include <string>

class Form;

// Runs an event handler so that no exception reaches the event loop. An Error is shown in a
// message box titled like its owner window, its text the error's message (which starts with the
// kind); any other exception gets a general message. Ctrl+C on the box copies its text. The
// program then carries on. `owner` (may be null) is the window the box belongs to.
void runGuarded(const Form *owner, const std::function<void()> &handler) noexcept;

// The text the guard shows for what it caught.
std::string guardMessage(const std::exception &caught);

// Test hook: while set, what the guard caught and the text it would show go here instead of
// to a modal box. Pass an empty function to show real boxes again.
using ErrorObserver = std::function<void(const std::exception &caught, const std::string &text)>;
void setErrorObserver(ErrorObserver observer);

// The backend's modal message box for an error, with the owner's caption as its title; with no
// owner, the program's name.
void showErrorMessage(const Form *owner, const std::string &text);
