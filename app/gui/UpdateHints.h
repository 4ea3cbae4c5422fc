#pragma once

// What the document tells its views (the object passed along is named with each hint).
namespace hint {
constexpr int Select = 101;      // a new DisplaySelection (object) or new scales (no object)
constexpr int PrintSelect = 102; // the DisplaySelection to print next; no redraw
constexpr int PrintEnd = 103;    // printing finished: draw the screen layout again
constexpr int Scale = 104;       // + 65536 × box: new full-scale value (object: const double*)
constexpr int ScaleStep = 65536;
constexpr int ScalePower = 0;
constexpr int ScaleVoltage = 1;
constexpr int ScaleCurrent = 2;

constexpr int scale(int box) {
    return Scale + ScaleStep * box;
}
// Box number of a scale hint, or -1 for any other hint.
constexpr int scaleBox(int h) {
    return h >= Scale && (h - Scale) % ScaleStep == 0 && (h - Scale) / ScaleStep <= 2
               ? (h - Scale) / ScaleStep
               : -1;
}
} // namespace hint
