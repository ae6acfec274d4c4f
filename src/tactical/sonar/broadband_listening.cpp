#include "tactical/sonar/broadband_listening.h"

#include "media/audio/sound_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/sonar/broadband_geometry.h"
#include "tactical/sonar/sonar_state.h"

#include <string>

namespace q71 {

namespace {

// The record's wave heard through the selected array: the first through the towed array.
SoundSample* contactSample(const Entity& entity) {
    const ObjectRecord* record = objdbFindById(entity.recordId);
    if (!record)
        return nullptr;
    const auto& wave = sonarState().selectedArray == kSonarTowedArray ? record->soundA : record->soundB;
    return wave.empty() ? nullptr : soundLoad(std::string(wave.view()).c_str());
}

int backgroundLevel(const ReceiverSensor& array) {
    return array.broadband() ? array.broadband()->head().selfNoise : 0;
}

} // namespace

BroadbandListening::BroadbandListening() : background_(soundLoad(kSonarBackgroundWave)) {}

void BroadbandListening::preload() {
    if (background_ && !soundPreload(background_))
        background_ = nullptr;
}

void BroadbandListening::unload() {
    if (background_)
        soundUnloadSample(background_);
}

void BroadbandListening::startBackground(const ReceiverSensor* array) {
    if (!array || !background_ || backgroundVoice_)
        return;
    backgroundVoice_ = soundPlay(background_, 1, 1, 1);
}

void BroadbandListening::stopBackground() {
    if (backgroundVoice_)
        soundFreeVoice(backgroundVoice_);
    backgroundVoice_ = nullptr;
}

void BroadbandListening::stopContact() {
    if (contactVoice_)
        soundFreeVoice(contactVoice_);
    contactVoice_ = nullptr;
    heardId_ = 0;
}

void BroadbandListening::hear(const Entity* entity, const ReceiverSensor* array, bool listening) {
    if (!array) {
        stopBackground();
        stopContact();
        return;
    }
    if (listening)
        startBackground(array);
    const int background = backgroundLevel(*array);
    if (backgroundVoice_) {
        soundSetVoiceVolume(backgroundVoice_, broadbandVolume(background));
        soundStartVoice(backgroundVoice_);
    }
    const std::int32_t id = entity ? entity->id : 0;
    if (id != heardId_) {
        stopContact();
        if (entity && listening) {
            if (SoundSample* sample = contactSample(*entity)) {
                contactVoice_ = soundPlayIntermittentRef(sample, 1, 1, 1, 0, 0);
                basePitch_ = contactVoice_ ? soundGetPitch(contactVoice_) : 1.0;
                heardId_ = id;
            }
        }
    }
    if (!entity || !contactVoice_)
        return;
    const Entity* own = worldOwnShip();
    const auto cell = static_cast<std::size_t>(bearingBin(own ? entityBearing(*own, *entity) : 0.0));
    const int level = array->broadband() ? array->broadband()->head().level[cell] : 0;
    soundSetVoiceVolume(contactVoice_, broadbandVolume(level - background));
    const double ordered = entity->motion ? entity->motion->orderedSpeed : 0.0;
    const double maximum = entity->motion ? entity->motion->maxSpeed : 0.0;
    soundSetPitch(contactVoice_, broadbandPitch(basePitch_, ordered, maximum));
    soundStartVoice(contactVoice_);
}

} // namespace q71
