#pragma once
// Rotary knobs of the consoles: a ribbed steel knob on a dark dial, its pointer at one detent a
// frame, the dial's detents ticked and, when given, labelled around it.

#include "mkdata/art/lettering.h"

#include <string>
#include <vector>

namespace q71::mkdata {

/// Where a knob stands in its frame and what its dial shows.
struct KnobDial {
    PointF pivot;       ///< the knob's centre in the frame
    double radius;      ///< the knob's radius
    double startAngle;  ///< the first detent, degrees clockwise from up
    double sweep;       ///< from the first detent to the last
    int detents;
    std::vector<std::string> labels; ///< one per detent (Windows-1252), or none
};

/// The point at a radius from a centre, `degrees` clockwise from up: where a dial's ticks and a
/// knob's pointer and ribs stand.
PointF dialPoint(PointF centre, double radius, double degrees);
/// The angle of detent `index` of `count` spread evenly from `startAngle` over `sweep` degrees.
double detentDegrees(double startAngle, double sweep, int count, int index);

/// One frame per detent, the pointer on that detent, in frames of the given size.
std::vector<Canvas> knobFrames(int width, int height, const KnobDial& dial, const LetterFont& font);

} // namespace q71::mkdata
