#pragma once
// The host's time compression: a level of 1 to 8 that the arrows step, forced to real time at the
// periscope and at the entity viewer and given back when the player leaves them. The periscope and
// the viewer form one passage: going from one to the other keeps what was in force before it.

namespace q71 {

class CompressionBook {
public:
    static constexpr int kLowest = 1;
    static constexpr int kHighest = 8;

    /// The player goes to station s; true when the level must be applied.
    bool switchTo(int station);
    /// An arrow: -1 down, +1 up, kept within 1 to 8; false (nothing changes) at the periscope.
    bool step(int delta);

    int level() const { return level_; }
    /// The station the book last saw (-1 before the first).
    int station() const { return previous_; }

private:
    int level_ = 1;
    int normal_ = 1;  ///< the level of the ordinary stations
    int passage_ = 1; ///< the level kept across the periscope-to-viewer passage
    int previous_ = -1;
};

/// The level that reaches the clock: always real time in a network game.
int compressionInForce(int level, bool networkGame);

} // namespace q71
