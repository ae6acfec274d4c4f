#include "sim/services/sim_services.h"

namespace q71 {

namespace {

class SilentAudio final : public AudioService {
public:
    SoundSampleId loadSample(std::string_view) override { return 0; }
    SoundVoiceId playSample(SoundSampleId, bool, bool, bool) override { return 0; }
    SoundVoiceId playByName(std::string_view, bool, bool, bool) override { return 0; }
    void setVoiceVolume(SoundVoiceId, int) override {}
    void startVoice(SoundVoiceId) override {}
    void stopVoice(SoundVoiceId) override {}
    void freeVoice(SoundVoiceId) override {}
    void crewQueueSpeech(CrewChannel, std::span<const std::string>, int) override {}
    void crewReportSonarNumber(bool, std::string_view, long, int, std::string_view, long, int) override {}
};

class NoHostScreen final : public HostScreen {
public:
    void ownShipDestroyed() override {}
    void setEngineSound(bool) override {}
    void showDeathScreen() override {}
};

// A launcher without a station behind it: it keeps what it is told and saves nothing.
class BareLauncher final : public WeaponLauncher {
public:
    explicit BareLauncher(int number) : number_(number) {}
    int number() const override { return number_; }
    std::int32_t weaponType() const override { return type_; }
    void setWeaponType(std::int32_t type) override { type_ = type; }
    void setTarget(std::int32_t) override {}
    Entity* launchedEntity() override { return nullptr; }
    bool save(ByteSink&) const override { return true; }
    bool load(ByteSource&) override { return true; }

private:
    int number_;
    std::int32_t type_ = kWeaponEmpty;
};

class NoWeaponStations final : public WeaponStations {
public:
    std::unique_ptr<WeaponLauncher> createTorpedoTube(int number) override {
        return std::make_unique<BareLauncher>(number);
    }
    std::unique_ptr<WeaponLauncher> createVlsCell(int number) override {
        return std::make_unique<BareLauncher>(number);
    }
    bool unlimitedWeapons() const override { return unlimited_; }
    void setUnlimitedWeapons(bool on) override { unlimited_ = on; }
    bool fireControlExists() const override { return false; }
    void setTubeSideState(int, int) override {}
    bool fireGuidanceSwitch() const override { return false; }
    std::array<std::uint32_t, 2> stationStates() const override { return states_; }
    void restoreStationStates(std::array<std::uint32_t, 2> states) override { states_ = states; }
    std::vector<WorldPoint> plottedWaypoints() const override { return {}; }

private:
    bool unlimited_ = false;
    std::array<std::uint32_t, 2> states_{};
};

class NoTacticalDisplays final : public TacticalDisplaysKeepingLines {
public:
    void updateSeaTexture() override {}
    void clearEffectList() override {}
};

// Every option off until set; nothing is kept beyond the run.
class NoFrontEnd final : public FrontEnd {
public:
    std::int32_t optionsField(int field) const override {
        return field >= 0 && field < kOptionsFieldCount ? fields_[static_cast<size_t>(field)] : 0;
    }
    void setOptionsField(int field, std::int32_t value) override {
        if (field >= 0 && field < kOptionsFieldCount)
            fields_[static_cast<size_t>(field)] = value;
    }
    bool entityViewerCamera(WorldPoint&) const override { return false; }

private:
    std::array<std::int32_t, kOptionsFieldCount> fields_{};
};

struct Installed {
    SilentAudio silentAudio;
    NoHostScreen noHost;
    NoWeaponStations noWeapons;
    NoTacticalDisplays noTactical;
    NoFrontEnd noFrontEnd;
    SimServices current{&silentAudio, &noHost, &noWeapons, &noTactical, &noFrontEnd};
    NetworkGame* network = nullptr;
};

Installed& installed() {
    static Installed services;
    return services;
}

} // namespace

void simInstallServices(const SimServices& services) {
    Installed& s = installed();
    s.current.audio = services.audio ? services.audio : &s.silentAudio;
    s.current.host = services.host ? services.host : &s.noHost;
    s.current.weapons = services.weapons ? services.weapons : &s.noWeapons;
    s.current.tactical = services.tactical ? services.tactical : &s.noTactical;
    s.current.frontEnd = services.frontEnd ? services.frontEnd : &s.noFrontEnd;
}

AudioService& simAudio() {
    return *installed().current.audio;
}
HostScreen& simHost() {
    return *installed().current.host;
}
WeaponStations& simWeapons() {
    return *installed().current.weapons;
}
TacticalDisplays& simTactical() {
    return *installed().current.tactical;
}
FrontEnd& simFrontEnd() {
    return *installed().current.frontEnd;
}

void genInfoSetEngineSound(int flag) {
    simHost().setEngineSound(flag != 0);
}

NetworkGame* simNetworkGame() {
    return installed().network;
}
void simSetNetworkGame(NetworkGame* game) {
    installed().network = game;
}

} // namespace q71
