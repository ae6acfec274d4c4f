#pragma once
// The in-mission host screen "gen_info" (screen slot 8): it builds the crew stations registered in
// the station table as 540 by 420 children in its top-left corner behind a loading box, and frames
// them with its panels: on the right the clock, the speed, course and depth order readouts, the
// fourteen station buttons and the pause button; below the message log and the time compression.
// It switches stations by button, Alt+letter or call, steps the readouts, the engine noise and the
// gear's sound cues every frame, plays the mission's music and takes the loss of the own boat.

#include "framework/app/full_screen.h"
#include "sim/services/audio_service.h"
#include "stations/geninfo/device_cues.h"
#include "stations/geninfo/host_music.h"
#include "stations/geninfo/time_compression.h"

#include <array>
#include <memory>
#include <string>

namespace q71 {

class Bitmap;
class ButtonGroup;
class HotSpot;
class OrderReadOut;
class ProgressDialog;
class SimpleButton;
class TextBox;
class TextPanel;
class OwnShipEntity;

class GenInfo : public FullScreen {
public:
    static constexpr int kSlots = 14;

    GenInfo(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~GenInfo() override;

    /// Selects the button of a station and switches to it; nothing for an empty slot or a station
    /// whose button is disabled (locked by the loss of the boat).
    void selectStation(int index);
    /// True when the slot holds a station that can be selected.
    bool stationOpen(int index) const;
    /// Off stops the engine voice at once; the flag is kept.
    void setEngineSound(bool on);
    /// The own boat is lost: the options commit, the entity viewer shows and the fighting
    /// stations lock (once); the state room's safe toggle locks.
    void onOwnShipDestroyed();
    /// A peer paused (1: the pause button shows paused and is disabled) or resumed (the button
    /// shows the player's own pause and is enabled).
    void lockPause(int lock);

    void open() override;
    void close() override;
    /// Takes the keyboard, so that the station keys reach the host.
    void onShow() override;
    void update() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    int onKey(int key, int category) override;

    int compressionLevel() const { return compression_.level(); }
    bool stationsLocked() const { return stationsLocked_; }
    bool engineSoundOn() const { return engineSoundOn_; }
    SoundVoiceId engineVoice() const { return engineVoice_; }
    int musicTrack() const { return music_.track(); }
    OrderReadOut& readOut(int id) const;
    SimpleButton& stationButton(int index) const;
    SimpleButton& pauseButton() const { return *pause_; }
    TextBox& messageLog() const { return *log_; }
    TextPanel& compressionPanel() const { return *compressionPanel_; }

private:
    void buildStations(ProgressDialog& progress);
    void buildPanels();
    void switchStation(int s);
    void applyCompression();
    void orderSpeed(int knots);
    void orderCourse(int degrees);
    void orderDepth(int feet);
    void playerLeft(int player);
    void refreshReadOuts(OwnShipEntity& own);
    void reportSteadyCourse(OwnShipEntity& own);
    void stepEngineNoise(OwnShipEntity& own);
    void showClock();
    void freeEngineVoice();

    std::unique_ptr<TextPanel> clock_;
    std::array<std::unique_ptr<OrderReadOut>, 3> readOuts_; ///< speed, course, depth
    std::unique_ptr<ButtonGroup> group_;
    std::array<std::unique_ptr<SimpleButton>, kSlots> buttons_;
    std::unique_ptr<SimpleButton> pause_;
    std::unique_ptr<SimpleButton> down_;
    std::unique_ptr<SimpleButton> up_;
    std::unique_ptr<TextPanel> compressionPanel_;
    std::unique_ptr<TextBox> log_;
    std::unique_ptr<HotSpot> clockTip_;
    std::shared_ptr<Bitmap> pattern_;
    WidgetBitmap bottom_; ///< the bottom bar (the right-hand column is the base's background)

    CompressionBook compression_;
    DeviceCues cues_;
    bool cuesOn_ = false;
    HostMusic music_;
    SoundVoiceId engineVoice_ = 0;
    bool engineSoundOn_ = true;
    long shownMinute_ = -1;
    bool steadyReported_ = true;
    bool stationsLocked_ = false;
    bool ownPause_ = false; // the player's own pause button is down
    std::string compressionFormat_;
    std::string clockFormat_;
};

/// The pause lock of the network game: 1 locks the pause button in its paused state, other values
/// free it. Nothing while no host is built.
void genInfoLockPause(int lock);

} // namespace q71
