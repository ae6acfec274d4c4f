#include "sim/support/under_way.h"

#include "sim/entities/motion/motion_model.h"

#include <cmath>

namespace q71::test {

void placeUnderWay(MotionModel& motion, WorldPoint at, double heading, double speed) {
    motion.x = at.x;
    motion.y = at.y;
    motion.z = motion.orderedDepth = at.z;
    motion.heading = motion.orderedCourse = heading;
    motion.setOrderedSpeed(speed);
    motion.driveSpeed = motion.speed = motion.headway = motion.orderedSpeed;
    motion.velocityX = std::sin(heading * kDegreesToRadians) * motion.speed;
    motion.velocityY = std::cos(heading * kDegreesToRadians) * motion.speed;
}

} // namespace q71::test
