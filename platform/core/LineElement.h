// A fixed line of a picture box, as a layout table lists it.
#pragma once

#include <cstdint>

// Shown above everything drawn on the box and untouched by Cls, in twips of the inner area, drawn
// the way Line draws.
struct LineElement
{
    const char *name;
    float X1, Y1, X2, Y2;
    uint32_t BorderColor; // red in the low byte
};
