#pragma once
// What the simulation asks of the in-mission host screen and the screen manager: the loss of
// the own boat, the engine-noise loop and the death screen.

namespace q71 {

class HostScreen {
public:
    virtual ~HostScreen() = default;
    /// The own boat is lost: the host closes the options, shows the damage station and locks the stations.
    virtual void ownShipDestroyed() = 0;
    /// Switches the engine-noise loop on or off (only while the host is built).
    virtual void setEngineSound(bool on) = 0;
    /// Leaves the mission for the death screen.
    virtual void showDeathScreen() = 0;
};

/// The stations' switch of the engine-noise loop (0 off, else on): passed to the installed host,
/// so nothing happens while no host screen is built.
void genInfoSetEngineSound(int flag);

} // namespace q71
