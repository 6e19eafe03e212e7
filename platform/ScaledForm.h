// A form as its scale properties describe it: a window handle and a client area in scale units.
#pragma once

#include "platform/DeviceContext.h"

#include <QMainWindow>

// The units a form's scale can be in, numbered as scale modes are.
enum class ScaleUnit { Twips = 1, Pixels = 3 };

class ScaledForm
{
public:
    virtual ~ScaledForm() = default;

    virtual WindowHandle hWnd() const = 0;
    // The client area's size in the form's scale mode.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual ScaleUnit ScaleMode() const = 0;
    // Converts a horizontal or vertical length between units on this form's display.
    virtual double ScaleX(double width, ScaleUnit from, ScaleUnit to) const = 0;
    virtual double ScaleY(double height, ScaleUnit from, ScaleUnit to) const = 0;
};

// Any main window as a form scaled in twips. Its client area is the central widget: the area
// below the menu bar.
class MainWindowForm : public ScaledForm
{
public:
    explicit MainWindowForm(QMainWindow &window) : window(window) { }

    WindowHandle hWnd() const override { return &window; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    ScaleUnit ScaleMode() const override { return ScaleUnit::Twips; }
    double ScaleX(double width, ScaleUnit from, ScaleUnit to) const override;
    double ScaleY(double height, ScaleUnit from, ScaleUnit to) const override;

private:
    QSize clientSize() const;

    QMainWindow &window;
};
