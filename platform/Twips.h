// Twips (1/1440 inch), the unit of the window layout and the chart, and their conversion to pixels.
#pragma once

class QRect;
class QWidget;

// Twips per device pixel: 1440 / the effective dots per inch of the widget's screen, its logical
// dpi times its device pixel ratio. 15 at 96 dpi, 10 at 144 dpi or at 96 dpi scaled by 1.5,
// 7.5 at a ratio of 2. The chart, the pointer read-out and the window image work in these.
double twipsPerPixel(const QWidget *widget);

// Twips per layout pixel: the unit Qt places widgets in, which it then scales by the device pixel
// ratio itself. Equal to twipsPerPixel wherever the ratio is 1.
double twipsPerLayoutPixel(const QWidget *widget);

// The one rounding rule for every twip position that becomes a pixel, in the layout and on the
// chart alike: the nearest pixel, halves going up (toward +infinity), so 7.5 -> 8 and -7.5 -> -7.
// Rounding the same way everywhere keeps a grid line, a trace point and a control edge that
// share a twip figure on the same pixel. The result is a whole number held in a double, so
// positions far outside any surface stay exact instead of overflowing an int.
double twipsToPixels(double twips, double twipsPerPixel);

// A layout rectangle in pixels. Its edges are converted, not its size, so two controls that
// share an edge in twips also share it in pixels at any dpi.
QRect twipsRectToPixels(int left, int top, int width, int height, double twipsPerPixel);
