// Scale properties of a main window: twips measured on the window's own display, the same
// figure on both axes as the layout uses.
#include "platform/ScaledForm.h"

#include "platform/Twips.h"

namespace {

double convert(double length, ScaleUnit from, ScaleUnit to, double twipsPerPixel)
{
    const double twips = from == ScaleUnit::Twips ? length : length * twipsPerPixel;
    return to == ScaleUnit::Twips ? twips : twips / twipsPerPixel;
}

} // namespace

QSize MainWindowForm::clientSize() const { return clientArea(&window)->size(); }

double MainWindowForm::ScaleWidth() const
{
    return ScaleX(clientSize().width(), ScaleUnit::Pixels, ScaleUnit::Twips);
}

double MainWindowForm::ScaleHeight() const
{
    return ScaleY(clientSize().height(), ScaleUnit::Pixels, ScaleUnit::Twips);
}

double MainWindowForm::ScaleX(double width, ScaleUnit from, ScaleUnit to) const
{
    return convert(width, from, to, twipsPerPixel(&window));
}

double MainWindowForm::ScaleY(double height, ScaleUnit from, ScaleUnit to) const
{
    return convert(height, from, to, twipsPerPixel(&window));
}
