#pragma once
// The stadimeter page's console: its buttons row by row (the page builds its widgets from them,
// the data set draws their strips from the same rows), its labels and where its views and
// readouts sit.

#include "platform/geometry/rect.h"
#include "tactical/displays/station_controls.h"

#include <array>

namespace q71 {

/// Command ids of the page (0 and 1 are the page choices the container handles).
enum StadimeterCommand : int {
    kStadimeterSplitDown = 2,
    kStadimeterSplitUp = 3,
    kStadimeterPreviousType = 4,
    kStadimeterNextType = 5,
    kStadimeterYawLeft = 6,
    kStadimeterYawRight = 7,
    kStadimeterZoomIn = 8,
    kStadimeterZoomOut = 9,
    kStadimeterReport = 10,
};

struct StadimeterButtonRow {
    StationControlRow row;
    bool repeat;       ///< auto-repeat while held
    int toolTip;       ///< text id, -1 none
    bool alwaysTip;    ///< the tool tip is there even with pop-up texts off
    const char* sound; ///< click sound, null none
};

inline constexpr std::array<StadimeterButtonRow, 11> kStadimeterButtons{{
    {{2, 420, 20, 41, 37, 2, "X420Y020.bmp"}, true, -1, false, nullptr},
    {{3, 420, 57, 40, 30, 2, "X420Y057.bmp"}, true, -1, false, nullptr},
    {{4, 392, 132, 34, 41, 2, "X392Y132.bmp"}, false, -1, false, "jewel.wav"},
    {{5, 455, 132, 34, 41, 2, "X455Y132.bmp"}, false, -1, false, "jewel.wav"},
    {{6, 390, 242, 40, 40, 2, "X390Y242.bmp"}, true, -1, false, nullptr},
    {{7, 450, 242, 40, 40, 2, "X450Y242.bmp"}, true, -1, false, nullptr},
    {{8, 390, 283, 37, 37, 2, "X390Y283.bmp"}, false, -1, false, "jewel.wav"},
    {{9, 450, 283, 38, 38, 2, "X450Y283.bmp"}, false, -1, false, "jewel.wav"},
    {{10, 470, 328, 41, 31, 2, "X470Y328.bmp"}, false, 713, false, "litbtn.WAV"},
    {{0, 390, 380, 45, 40, 2, "X390Y380.bmp"}, false, 555, true, "winsel.WAV"},
    {{1, 441, 379, 49, 41, 2, "X441Y379.bmp"}, false, 556, true, "winsel.WAV"},
}};

/// The labels of the background, each under a hot spot with its text (when pop-up texts are on).
struct StadimeterLabel {
    Rect rect;
    int text;
};
inline constexpr std::array<StadimeterLabel, 7> kStadimeterLabels{{
    {{109, 8, 240, 19}, 452},
    {{105, 236, 243, 247}, 453},
    {{402, 7, 485, 18}, 454},
    {{396, 99, 492, 110}, 455},
    {{390, 172, 495, 183}, 456},
    {{394, 209, 492, 220}, 457},
    {{373, 321, 454, 332}, 458},
}};

inline constexpr const char* kStadimeterGroup = "stadimtr";
inline constexpr const char* kStadimeterBackground = "scrn28a.bmp";
inline constexpr Rect kStadimeterImageRect{22, 29, 323, 229};
inline constexpr Rect kStadimeterSilhouetteRect{22, 254, 323, 391};
inline constexpr Rect kStadimeterShipLabel{361, 115, 521, 129};
inline constexpr Rect kStadimeterMastReadout{421, 189, 463, 203};
inline constexpr Rect kStadimeterAspectReadout{417, 226, 473, 240};
inline constexpr Rect kStadimeterRangeReadout{380, 339, 450, 353};
/// The split buttons repeat after 200 ms, then every 10 ms.
inline constexpr int kStadimeterRepeatDelay = 200;
inline constexpr int kStadimeterRepeatInterval = 10;
/// Texts: the two named types' labels and the two aspect words (port, starboard).
inline constexpr int kStadimeterBurkeText = 48;
inline constexpr int kStadimeterMerchantText = 49;
inline constexpr int kStadimeterPortText = 50;
inline constexpr int kStadimeterStarboardText = 51;

} // namespace q71
