#pragma once

// A colour as three 0..255 components, for colour maps computed without the GUI module.
struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;

    friend bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};
