// The chart surface: a sunken picture box that draws lines in twips onto a persistent image.
#pragma once

#include "platform/Controls.h"
#include "platform/core/LineElement.h"

#include <cstdint>
#include <functional>
#include <span>

// Coordinates are twips from the inner top-left corner, inside the two-pixel sunken border.
// Everything inside is kept and drawn in device pixels, so a line is one device pixel wide at
// any scale. A line covers the pixels from its first point up to, not including, its last, and
// every twip position becomes a pixel by twipsToPixels; so a polyline sets each joint once.
class PictureBox : public Control
{
public:
    using Control::Control;

    // On: lines go into the persistent image, which survives covering, minimising and
    // repainting. Off (the start): lines go to the screen only and are lost when the box is
    // next hidden (a minimised window included) or cleared.
    void setAutoRedraw(bool on);

    // A solid one-pixel line in `colour` (red in the low byte, the top byte ignored), opaque
    // over what is there and clipped by the inner area. A failure to draw, or an end point
    // beyond what the surface can address, is a drawing error.
    void Line(float x1, float y1, float x2, float y2, uint32_t colour);
    // Erases everything drawn back to the background; the line elements stay.
    void Cls();

    // Shown above everything drawn and untouched by Cls. An element with an end beyond what the
    // surface can address is a drawing error.
    void setLineElements(std::span<const LineElement> elements);

    // The pointer moved over the inner area, or anywhere while a button pressed on the box is
    // held. Button and Shift are bit sets (left 1, right 2, middle 4; Shift 1, Ctrl 2, Alt 4);
    // X and Y are twips of whole device pixels.
    using MouseHandler = std::function<void(short Button, short Shift, float X, float Y)>;
    void onMouseMove(MouseHandler handler);
};
