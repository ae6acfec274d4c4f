#pragma once
// The ten interface fonts of the program and its shared bitmap (bitmap resource 102, the
// background of tool tips). Every screen, widget and drawing routine takes its fonts from here.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/font.h"

namespace q71 {

inline constexpr int kInterfaceFontCount = 10;
inline constexpr int kSharedBitmapResource = 102;

/// Creates the ten fonts from the faces the texts name, then loads the shared bitmap.
void appCreateFonts();
/// Releases the fonts and the shared bitmap.
void appDeleteFonts();
/// Interface font 1 to 10; null outside that range or while the fonts do not exist.
FontRef appInterfaceFont(int number);
/// The fonts the stations name (docs/widgets.md): the "chart" font of labels on charts and plots
/// (interface font 3), the "application" font of readouts and scales (1) and the "screen" font
/// of a station's own texts (2).
FontRef appChartFont();
FontRef appApplicationFont();
FontRef appScreenFont();
/// The shared bitmap; null while it is not loaded.
BitmapRef appSharedBitmap();

} // namespace q71
