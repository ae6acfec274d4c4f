#pragma once
// The controls of the fire panel's launcher panels: where each sits from its panel's origin, its
// strip and frame count, and the sound it clicks with. The panels read these rows, and the data
// set draws its strips from the same ones.

namespace q71 {

/// A control of a launcher panel: id offset, strip, place from the panel's origin, size, frames.
struct PanelControlRow {
    int idOffset;
    const char* bitmap;
    int dx, dy;
    int width, height;
    int frames;
    const char* sound;
};

// A torpedo tube's panel.
inline constexpr PanelControlRow kTubeFlood{0, "TF.BMP", 1, 2, 34, 27, 4, "tbmpty.wav"};
inline constexpr PanelControlRow kTubeEqualize{1, "TE.BMP", 35, 2, 32, 27, 4, "equlz.wav"};
inline constexpr PanelControlRow kTubeMuzzle{2, "TM.bmp", 67, 2, 32, 27, 4, "muzzle1.wav"};
inline constexpr PanelControlRow kTubeReadyLamp{3, "TI.bmp", 99, 1, 32, 27, 2, nullptr};
inline constexpr PanelControlRow kTubeFire{4, "VFire1.bmp", 1, 30, 36, 29, 5, nullptr};
inline constexpr PanelControlRow kTubeSelector{5, "TADCAP.bmp", 36, 30, 63, 29, 10, nullptr};
inline constexpr PanelControlRow kTubeLamp{6, "light%d.bmp", 100, 30, 33, 29, 2, nullptr};
/// The selector's strip in a tutorial: exercise torpedoes.
inline constexpr const char* kTubeExerciseSelector = "exADCAP.bmp";
inline constexpr const char* kTubeFireSound = "torpfire.wav";

// A vertical-launch cell's panel.
inline constexpr PanelControlRow kCellPressurize{0, "VP.BMP", 1, 3, 35, 27, 5, "prssr1.wav"};
inline constexpr PanelControlRow kCellHatch{1, "VM.bmp", 36, 3, 35, 27, 4, "muzzle1.wav"};
inline constexpr PanelControlRow kCellReadyLamp{2, "VI.bmp", 71, 3, 35, 27, 2, nullptr};
inline constexpr PanelControlRow kCellFire{3, "VFire1.bmp", 1, 33, 36, 29, 5, nullptr};
inline constexpr PanelControlRow kCellSelector{4, "VTLAM.bmp", 37, 33, 36, 29, 4, nullptr};
inline constexpr PanelControlRow kCellLamp{5, "light%d.bmp", 72, 33, 33, 29, 2, nullptr};
inline constexpr const char* kCellFireSound = "mssllnc1.wav";

// A countermeasure launcher's panel.
inline constexpr PanelControlRow kDecoyFire{1, "VFire1.bmp", 1, 4, 36, 29, 5, nullptr};
inline constexpr PanelControlRow kDecoySelector{2, "CDecoy.bmp", 38, 4, 75, 29, 10, nullptr};
inline constexpr PanelControlRow kDecoyLamp{6, nullptr, 118, 4, 29, 29, 2, nullptr};
inline constexpr const char* kDecoyFireSound = "CMfire.wav";

/// The grip of a fire button's cover, inside the button, and how often a tube's or cell's button
/// blinks before the shot.
inline constexpr int kFireCoverGripHeight = 5;
inline constexpr int kFireButtonBlinks = 7;

} // namespace q71
