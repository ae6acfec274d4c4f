#pragma once
// The laws the vehicle models share: angles in degrees, the speed as a share of the maximum,
// depth keeping by diving planes, and the periodic position report that ends every integrate.

namespace q71 {

class MotionModel;

/// Sine of an angle in degrees.
double sinDegrees(double degrees);
/// Cosine of an angle in degrees.
double cosDegrees(double degrees);
/// Arc sine in degrees of a ratio held to −1..1, so that a hull end farther off than the hull
/// reaches asks for at most a right angle rather than for no angle at all.
double asinDegrees(double ratio);

/// Angle (degrees) between the heading and the way over ground; 0 below a hundredth of a degree.
double driftAngle(const MotionModel& m);

/// The model's speed as a share of its maximum; 0 for a model that has no maximum speed.
double speedFraction(const MotionModel& m);

/// Posts the model's position event when its report interval has passed.
void reportPositionWhenDue(MotionModel& m);

/// The pitch (degrees) a depth error (metres, up positive) asks for, at most the largest pitch.
double planeWantedPitch(const MotionModel& m, double depthError);
/// A wanted change of pitch as a plane deflection: held to the largest pitch, scaled to the
/// rudder's throw; 0 for a model that may not pitch.
double planeDeflection(const MotionModel& m, double pitchChange);
/// An angle moved toward its order by at most `step` degrees.
double slewToward(double angle, double order, double step);
/// The pitch the planes give over dt: a plane difference turns the hull the faster the faster it
/// goes; held to the largest pitch and 0 below a hundredth of a degree.
void planePitchResponse(MotionModel& m, double planeDifference, double dt);
/// The hull has reached its ordered depth: level, with planes and plane orders at 0.
void levelAtOrderedDepth(MotionModel& m);
/// Depth keeping with one set of planes (torpedoes and aircraft): the planes slew at most
/// `slewPerSecond` × dt degrees toward the deflection the depth error asks for.
void stepSinglePlaneDepth(MotionModel& m, double dt, double slewPerSecond);

} // namespace q71
