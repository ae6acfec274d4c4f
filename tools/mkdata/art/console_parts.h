#pragma once
// The controls of the station consoles, drawn frame by frame in the strips their widgets cut:
// rotary knobs, toggle switches, buttons under a hinged cover, lamp buttons and rockers. Every
// station draws its controls with these, so the whole boat reads as one room.

#include "mkdata/art/lettering.h"

#include <string>
#include <vector>

namespace q71::mkdata {

/// A rotary knob on its dial, one frame per pointer angle from `startAngle` clockwise over
/// `sweep` degrees (0 = up): `frames` frames, the dial marked at each of `positions` detents.
/// A bare knob in the control's recess, its ribs standing still; a knob with a labelled scale
/// round it is knobs.h's, on the same dial geometry.
std::vector<Canvas> knobFrames(int width, int height, int frames, int positions, double startAngle, double sweep);

/// A lever toggle switch: frame 0 up (the first position), the last frame down, the lever
/// passing through the frames between; the lever is `leverShare` of the smaller side long.
std::vector<Canvas> toggleSwitchFrames(int width, int height, int frames, double leverShare = 0.42);

/// A push button under a red hinged cover: frames 0 to coverFrames - 1 the cover rising, then
/// the button pressed and lit under the open cover, the last frame dimmed (disabled). The label
/// (may be empty) is painted pale on the cover, for a button whose panel has no room for its name.
std::vector<Canvas> coveredButtonFrames(int width, int height, int frames, int coverFrames, const std::string& label,
                                        const LetterFont& font);

/// Whether a label fits a lamp push button of that size in this very size of its font.
bool lampButtonFits(int width, int height, const std::string& label, const LetterFont& font);
/// A lamp push button: up and unlit, then pressed and lit (2 frames), with an engraved label
/// (may be empty) under its lamp, or on its lens where it has no room there (the whole face
/// lights); with `disabledFrame` a third, dimmed frame.
std::vector<Canvas> lampButtonFrames(int width, int height, const std::string& label, const LetterFont& font,
                                     bool disabledFrame = false);

/// The well of black glass a readout of `digits` square cells of `cell` pixels sits in, at (x, y).
void readoutWell(Canvas& canvas, int x, int y, int digits, int cell);
/// The rectangle that well takes.
Rect readoutWellRect(int x, int y, int digits, int cell);

/// A rocker switch springing to its middle: the first half pressed, the middle, the second half
/// pressed (3 frames); `upright` rocks top and bottom, else left and right.
std::vector<Canvas> rockerFrames(int width, int height, bool upright);

} // namespace q71::mkdata
