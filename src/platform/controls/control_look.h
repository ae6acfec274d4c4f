#pragma once
// The console look of the program's boxes and controls where the program leaves their look to
// the platform: blue-grey steel with bevelled edges, black display glass, engraved pale labels,
// amber for readouts, the selection and the focus.

#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"

#include <string_view>

namespace q71::look {

constexpr ColorRef kFace = rgb(64, 72, 84);        ///< steel panels
constexpr ColorRef kLight = rgb(140, 150, 164);    ///< the lit edge of a bevel
constexpr ColorRef kDark = rgb(16, 20, 26);        ///< the shadowed edge, outlines
constexpr ColorRef kShade = rgb(40, 46, 56);       ///< the inner shadow of a frame
constexpr ColorRef kGlass = rgb(24, 33, 41);       ///< display glass behind readouts and lists
constexpr ColorRef kLabel = rgb(240, 232, 180);    ///< engraved labels and captions
constexpr ColorRef kText = rgb(232, 232, 224);     ///< running text
constexpr ColorRef kButtonFace = rgb(88, 96, 110); ///< the face of a push button
constexpr ColorRef kAmber = rgb(240, 176, 0);      ///< readouts, selection, focus
constexpr ColorRef kDimmed = rgb(120, 128, 138);   ///< text of a disabled control

/// Frame and caption of a box (message box, dialog): the caption band starts here and the
/// inside of a box with a caption starts at kCaptionHeight; a box without one is kBorder thick.
constexpr int kBorder = 3;
constexpr int kCaptionHeight = 20;

/// The interface typeface at a height (negative: character height in pixels) and weight.
FontRef interfaceFont(int height, int weight);
/// A bevel one pixel wide: topLeft on the top and left edges, bottomRight on the others.
void bevel(DeviceContext& dc, const Rect& r, ColorRef topLeft, ColorRef bottomRight);
/// A raised edge (lit above) or a sunken one (lit below), one pixel wide.
void raisedEdge(DeviceContext& dc, const Rect& r);
void sunkenEdge(DeviceContext& dc, const Rect& r);
/// The double bevel around a box of the size, over whatever was painted inside.
void paintBoxFrame(DeviceContext& dc, int width, int height);
/// The caption band of a box of that width with its text in the font.
void paintBoxCaption(DeviceContext& dc, int width, std::string_view caption, const FontRef& font);
/// A dotted rectangle along the inside of r, in the colour, showing the keyboard focus.
void focusFrame(DeviceContext& dc, const Rect& r, ColorRef colour);

} // namespace q71::look
