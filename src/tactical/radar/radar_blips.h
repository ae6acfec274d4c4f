#pragma once
// What the radar paints of the world: surface ships and whatever shows above 26 ft in the sector
// swept, within the range scale and not hidden behind land. A painted entity becomes a blip that
// fades over 15 s unless the next turn paints it again; the tag picks the blip under the cursor.

#include "tactical/radar/radar_picture.h"

#include <cstdint>
#include <functional>
#include <list>

namespace q71 {

class Entity;
class RadarSweep;

struct RadarBlip {
    std::int32_t entityId = 0;
    std::int32_t category = 0; ///< the entity's class word
    int level = 0;
    int bearing = 0; ///< whole degrees
    int range = 0;   ///< whole yards
    int heading = 0; ///< the target's, whole degrees
    double time = 0.0;
};

/// What the blip level of a target rests on: its size value (its record's length in hundreds of
/// feet) and its form (0 a surface ship, whose hull returns; 1 a mast or an aircraft, whose
/// return falls with its height above the sea surface).
struct RadarTargetForm {
    int size = 0;
    int form = 1;
};

/// The form of an entity, from its record and its class.
RadarTargetForm radarTargetForm(const Entity& entity);
/// The level a target is painted at, 0 to 63, at a range (yards) and depth coordinate z (metres).
int radarBlipLevel(double rangeYards, const RadarTargetForm& form, double z);

struct RadarScan {
    double ownX = 0.0, ownY = 0.0;
    double sectorStart = 0.0, swept = 0.0; ///< degrees
    int rangeScale = 60000;                ///< yards
    double clock = 0.0;
};

class RadarBlips {
public:
    /// Paints every entity the scan reaches that the mask does not hide; each painted one is handed to `painted`.
    void scan(const RadarScan& scan, const RadarSweep& mask, const std::function<void(Entity&)>& painted);
    /// Ages the blips, removes the dead ones and draws the others.
    void draw(RadarPicture& picture, int rangeScale, double clock);
    /// Takes a painted blip: a blip of the same entity painted less than 3.75 s before is updated, else it is added.
    void record(const RadarBlip& blip);
    /// The blip nearest the cursor by both bearing and range, or null when there is none.
    const RadarBlip* nearest(double bearing, double rangeYards) const;

    const std::list<RadarBlip>& list() const { return blips_; }
    void clear() { blips_.clear(); }

private:
    std::list<RadarBlip> blips_;
};

} // namespace q71
