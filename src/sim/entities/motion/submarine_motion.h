#pragma once
// The motion of a submarine: the computer-run boats, the mobile mine and, through the own-boat
// model built on it, the player's boat. It keeps its depth with two sets of planes, is drawn
// down near the surface, settles when it broaches, keeps its keel and bow off the bottom, and
// is crushed below its crush depth (the deeper the less damaged its hull). A boat without a
// controller (and not the player's) steers nothing by itself: it only drifts, collides and settles.

#include "sim/entities/motion/motion_model.h"

namespace q71 {

class SubmarineMotion : public MotionModel {
public:
    /// The model of a submarine: response and quiet and fast speeds set by the crew's level.
    explicit SubmarineMotion(Entity& owner);

    /// Collisions; afloat and steered, speed, course and depth; sinking, the sinking step. Then
    /// the motion through the water, the vertical step and the network state. No repair.
    void integrate(double dt) override;
    /// Automatic depth keeping by the planes, submerged and while the planes are not manual.
    void stepDepth(double dt) override;
    /// Depth change, settling at the surface, the crush depth, and the bow and keel over the bottom.
    void stepVertical(double dt) override;
    /// Orders 30 ft.
    void orderShallowDepth() override;
    /// Runs or stops the snorkel blower; refused deeper than 60 ft. Returns the blower's state.
    int setSnorkel(int on) override;
    /// Starts or stops an emergency blow; a computer-run boat then makes for the surface.
    void setEmergencyBlow(int on) override;

private:
    void stopHull();
    void checkCrushDepth();
    void crushOwnBoat();
    void keepBowOffBottom(double dz, double dt);
    void keepKeelOffBottom(double dz, double dt, double keelLine);
    void groundedAt(double dz, double dt);

    double crushDeadline_ = -1.0; // the own boat: when the crushed hull is given up; −1 not yet crushed
};

} // namespace q71
