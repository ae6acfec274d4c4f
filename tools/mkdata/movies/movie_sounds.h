#pragma once
// The sounds the movies are scored with, built from the synthesiser's toolkit: each returns a
// mono signal starting at time 0.

#include "mkdata/sounds/dsp.h"

#include <initializer_list>

namespace q71::mkdata {

/// An active sonar ping: a 3.5 kHz burst with the sea's long echo.
Signal moviePing();
/// A low drone of a fundamental and its fifth, fading in over `rise` seconds.
Signal drone(double seconds, double hertz, double rise);
/// Waves on the sea: low noise that swells and ebbs.
Signal seaWash(Noise& noise, double seconds);
/// A brass-like chord of the given pitches (Hz), held `seconds`, with a soft attack.
Signal brassChord(std::initializer_list<double> pitches, double seconds);
/// A sustained string-like pad: detuned saws through a closing low-pass.
Signal pad(std::initializer_list<double> pitches, double seconds);
/// The clatter of a teletype for `seconds`.
Signal teletype(Noise& noise, double seconds);
/// A torpedo closing in: its propeller whine rising for `seconds`.
Signal torpedoRun(Noise& noise, double seconds);
/// A hull-breaking explosion: the blast, the rumble and the groan of metal.
Signal hullExplosion(Noise& noise);
/// The short three-note signature of the news.
Signal newsJingle();
/// Speech made to sound like a broadcast: the band of a radio, a little compression.
void throughBroadcast(Signal& speech);

} // namespace q71::mkdata
