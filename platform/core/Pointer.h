// The pointer's buttons and the keys held with it, as the classic bit sets that mouse handlers
// take.
#pragma once

struct PointerState
{
    bool left, right, middle;
    bool shift, control, alt;
};

struct PointerBits
{
    short Button; // left 1, right 2, middle 4
    short Shift; // Shift 1, Ctrl 2, Alt 4
};

constexpr PointerBits pointerBits(const PointerState &state)
{
    return { short((state.left ? 1 : 0) | (state.right ? 2 : 0) | (state.middle ? 4 : 0)),
             short((state.shift ? 1 : 0) | (state.control ? 2 : 0) | (state.alt ? 4 : 0)) };
}
