#pragma once
// Listening on the broadband page: the sea's hiss ("SnrBgnd.wav") at the level of the array's
// background, and the sound of the contact nearest the cursor, at its level above the
// background and pitched by its speed. The contact's sound is the wave of its object record
// heard through the selected array: the first through the towed array, the second through the
// hull arrays.

#include <cstdint>

namespace q71 {

class Entity;
class ReceiverSensor;
struct SoundSample;
struct SoundVoice;

inline constexpr const char* kSonarBackgroundWave = "SnrBgnd.wav";

class BroadbandListening {
public:
    /// Loads the background sample.
    BroadbandListening();

    /// Reads the background sample now; drops it when it cannot be read.
    void preload();
    /// Frees the background sample's data (the page closes).
    void unload();
    /// Hears an entity (null: no contact) through an array (null: no array), as listening allows.
    void hear(const Entity* entity, const ReceiverSensor* array, bool listening);
    /// Starts the background voice (listening is switched on).
    void startBackground(const ReceiverSensor* array);
    /// Frees the background voice.
    void stopBackground();
    /// Frees the contact's voice; no entity is heard.
    void stopContact();

    std::int32_t heardId() const { return heardId_; }
    SoundVoice* contactVoice() const { return contactVoice_; }
    SoundVoice* backgroundVoice() const { return backgroundVoice_; }
    double basePitch() const { return basePitch_; }

private:
    SoundSample* background_ = nullptr;
    SoundVoice* backgroundVoice_ = nullptr;
    SoundVoice* contactVoice_ = nullptr;
    std::int32_t heardId_ = 0; ///< kept by id: the entity may go while it is heard
    double basePitch_ = 1.0;
};

} // namespace q71
