#pragma once
// The services of the subsystems above the simulation that scoring, the replay log and the
// player records call: the crew's team reports, the network game, the options record and the
// weapon launchers. The program installs an implementation at start-up (scoringSetServices);
// until then the null services stand in: silent, no network game, options all 0, no launchers.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace q71 {

inline constexpr int kVlsCellCount = 12;
inline constexpr int kTorpedoTubeCount = 4;

/// Weapon types of the launchers, in table order: the 12 vertical-launch cells, the 4 tubes.
struct LauncherLoad {
    std::array<std::int32_t, kVlsCellCount> cells{};
    std::array<std::int32_t, kTorpedoTubeCount> tubes{};
};

class ScoringServices {
public:
    virtual ~ScoringServices() = default;

    /// Speaks a recorded phrase on speech channel 6, the recovery and team reports.
    virtual void speakTeamReport(const char* wave) = 0;

    /// True while a network game exists.
    virtual bool networkGameExists() const = 0;
    /// Number of entries of the network game's remote-player table.
    virtual int remotePlayerCount() const = 0;
    /// The name of the remote player with that id, or nothing.
    virtual std::optional<std::string> remotePlayerName(std::int32_t id) const = 0;
    /// Sends an event with three values about an entity to the peers.
    virtual void sendEventWithValues(std::uint8_t code, std::int32_t value1, std::int32_t value2,
                                     std::int32_t value3, std::int32_t subjectId) = 0;

    /// A 32-bit field of the options record, numbered from 0.
    virtual std::int32_t optionsField(int index) const = 0;

    /// The weapon types the launchers hold, or nothing while they are not built.
    virtual std::optional<LauncherLoad> launcherLoad() const = 0;
    /// Loads the launchers with these weapon types without touching the inventory.
    virtual void setLauncherLoad(const LauncherLoad& load) = 0;
};

/// Installs the services; null installs the null services.
void scoringSetServices(ScoringServices* services);
/// The installed services.
ScoringServices& scoringServices();

} // namespace q71
