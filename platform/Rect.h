#pragma once

struct CSize {
    int cx = 0;
    int cy = 0;
};

// A rectangle in pixels; right and bottom lie just outside it.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
