#pragma once
// Pieces that many sounds of the data set are made of: clicks, thumps, hiss, motors, metal
// and bubbles. Each returns a signal starting at time 0 that the sound mixes where it wants.

#include "mkdata/sounds/dsp.h"

#include <initializer_list>

namespace q71::mkdata {

/// A dry mechanical click: a short burst ringing at `hertz`, dying away with time constant `decay`.
Signal click(Noise& noise, double hertz, double decay);
/// A low thump: a sine falling from `hertz` to two thirds of it, with time constant `decay`.
Signal thump(double hertz, double decay);
/// Noise band-limited to `lowHz`..`highHz`.
Signal hiss(Noise& noise, double seconds, double lowHz, double highHz);
/// An electric or hydraulic motor: harmonics of a fundamental gliding from `fromHz` to `toHz`
/// over a little mechanical noise.
Signal motor(Noise& noise, double seconds, double fromHz, double toHz);
/// Struck metal: inharmonic partials of `hertz` at the given ratios, higher ones dying sooner.
Signal metal(double hertz, std::initializer_list<double> ratios, double decay, double seconds);
/// Rising bubbles: `count` short upward chirps at random times over `seconds`.
Signal bubbles(Noise& noise, double seconds, int count, double lowHz, double highHz);
/// A slowly wandering gain between `low` and 1 (a random envelope smoothed to `hertz`).
Signal wander(Noise& noise, double seconds, double hertz, float low);
/// Multiplies two signals sample by sample (the shorter length wins).
Signal multiply(const Signal& a, const Signal& b);
/// The end of a motor, a mast or a winch: a clunk with a short metallic ring.
Signal clunk(Noise& noise, double hertz);

} // namespace q71::mkdata
