#pragma once
// An array of the own boat's sonar: a receiver with a bearing axis and a place it listens from.
// Each sub-step the passive arrays start a new sound row at most every 0.444 s of game time:
// the trackers' histories move on, a fresh narrowband row is taken, and a fresh broadband row
// is filled with the array's own background (flow noise with the boat's speed, the ambient
// noise, the sea state); then the scan hears every source that carries far enough through the
// sound-speed profile, inside the array's arc and band. The bow and towed arrays also gather
// long-term rows of 13.3 s and 53.3 s.
//
// The axis is the Sensor base's heading and the place its x, y and z.

#include "sim/entities/player_upgrades.h"
#include "sim/entities/sensors/receiver_sensor.h"

#include <optional>

namespace q71 {

class ArraySonar : public ReceiverSensor {
public:
    static constexpr std::size_t kBroadbandRows = 135;
    static constexpr double kRowInterval = 0.444; ///< s of game time between two sound rows
    static constexpr double kLongTerm1Interval = 13.3;
    static constexpr double kLongTerm2Interval = 53.3;

    /// The constants of one array class.
    struct Layout {
        std::int32_t type = 0;
        double arcCentre = 0.0, arcHalfWidth = 0.0;
        std::uint16_t bandLow = 0, bandHigh = 0;
        std::uint8_t threshold = 22;
        char firstLetter = 0;  ///< the letter of the first tracker (0: none)
        bool longTerm = false; ///< keeps the long-term rows
        std::size_t broadbandRows = kBroadbandRows;
        int farBearingError = 8;              ///< the far bearing error before the figure is taken off
        std::optional<PlayerUpgrade> upgrade; ///< the player's upgrade that lengthens its hearing
    };

    /// An array of an owner with its figure (the owner's sensor range).
    ArraySonar(Entity& owner, float figure, const Layout& layout);

    /// The array step: a new sound row when one is due, then the scan.
    void step(double dt) override;
    /// The array's hearing of one source; true when heard.
    bool canSense(Entity& source) override;
    /// The response curve for ordinary sources, by the source's signature factor.
    int passiveLevel(double source, double range, double sensorZ, double targetZ, int level) override;
    /// The response curve for the player's boats.
    int activeLevel(double range, double sensorZ, double targetZ, int level) override;
    /// Arms one of the array's trackers on a bearing (range, line frequency) for a sensor type.
    void trackEvent(int slot, std::int32_t sourceId, double bearing, double range, std::int32_t lineFrequency,
                    int sensorType) override;

protected:
    /// How the array's own background is shaped.
    struct NoiseShape {
        double gain = 1.0;     ///< on the flow and ambient noise
        bool onBottom = false; ///< the array lies on the sea floor
        bool mirrored = false; ///< the same on both sides of the axis
    };

    /// Takes the place and axis of a new row: the owner's place and heading here.
    virtual void placeReceiver();
    /// The shape of the array's background: plain here.
    virtual NoiseShape noiseShape() const { return {}; }

private:
    // The background of the present row, which the long-term rows are refilled with too.
    struct Background {
        double level = 0.0; ///< L'
        double floor = 0.0; ///< A g / 6
        bool mirrored = false;
        int axisBin = 0;
    };

    Background background() const;
    void fillBackground(BroadbandRow& row, const Background& noise) const;
    Background startRows(double now);
    void rollLongTerm(LongTermHistory& history, double interval, const BroadbandRow& fresh,
                      const Background& noise) const;

    std::optional<PlayerUpgrade> upgrade_;
};

} // namespace q71
