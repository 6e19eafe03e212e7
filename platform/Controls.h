// The controls a form holds, as the window's code uses them; each backend defines what is
// behind them (a Qt widget, a Win32 window).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// Every handler the window's code gives a control runs under the error guard: an error it
// throws is shown in a message box, and the program carries on.
using Handler = std::function<void()>;

class Control
{
public:
    struct Native; // the backend's control
    explicit Control(std::unique_ptr<Native> native);
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    Native &native() const { return *native_; }

    // What a screen reader calls the control, where its text or picture does not say.
    void setAccessibleName(std::string_view name);

private:
    std::unique_ptr<Native> native_;
};

class TextBox : public Control
{
public:
    using Control::Control;
    std::string Text() const; // UTF-8
    void setText(std::string_view text);
};

class Caption : public Control
{
public:
    using Control::Control;
    // The text box this caption names, for screen readers.
    void setBuddy(TextBox &box);
};

class PictureButton : public Control
{
public:
    using Control::Control;
    void onClick(Handler handler);
};

// An item of a menu, or a menu of the menu bar.
class MenuItem : public Control
{
public:
    using Control::Control;
    void onClick(Handler handler);
};
