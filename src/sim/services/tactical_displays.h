#pragma once
// What the simulation asks of the tactical displays: the 3-D sea and its effects, and the
// radio room's received lines, which a saved mission keeps.

#include <string>
#include <utility>
#include <vector>

namespace q71 {

class TacticalDisplays {
public:
    virtual ~TacticalDisplays() = default;
    /// Brings the 3-D sea and sky textures in line with the mission's sea state.
    virtual void updateSeaTexture() = 0;
    /// Empties the 3-D effects, so that none refers to an entity about to be deleted.
    virtual void clearEffectList() = 0;
    /// The lines the radio room has received, oldest first.
    virtual std::vector<std::string> radioRoomLines() const = 0;
    /// Hands the lines of a loaded mission to the radio room, which shows them when next built.
    virtual void restoreRadioRoomLines(std::vector<std::string> lines) = 0;
};

/// Displays whose radio room is not built keep the lines of a loaded mission until one is.
class TacticalDisplaysKeepingLines : public TacticalDisplays {
public:
    std::vector<std::string> radioRoomLines() const override { return lines_; }
    void restoreRadioRoomLines(std::vector<std::string> lines) override { lines_ = std::move(lines); }

private:
    std::vector<std::string> lines_;
};

} // namespace q71
