#pragma once
// The radio room (station 3, "radioroom"): the antenna mast and the floating wire over which the
// mission's messages come into the text box, the ESM mast with its dial, signal lamps, tone and
// emitter names, the covered button that ends the mission and, in a network game, the chat line.
// The message pass runs from construction (every 2 s, every 200 ms once the room has been
// opened), so messages come in while the player is at another station.

#include "framework/app/sub_screen.h"
#include "tactical/displays/station_controls.h"
#include "platform/gdi/pen_brush.h"
#include "tactical/radio/esm_receiver.h"
#include "tactical/radio/radio_log.h"
#include "tactical/radio/radio_traffic.h"

#include <array>
#include <memory>
#include <vector>

namespace q71 {

class BaseWidget;
class ButtonToggle;
class DetentSwitch;
class EditBox;
class HotSpot;
class ReadOut;
class SimpleButton;
class TextBox;
class TextPanel;
struct SoundVoice;

inline constexpr StationControlRow kRadioEndMission{1, 287, 137, 74, 68, 6, "X287Y137.bmp"};
inline constexpr StationControlRow kRadioTrafficLamp{2, 295, 58, 57, 49, 2, "X295Y058.bmp"};
inline constexpr StationControlRow kRadioTrafficLampNetwork{2, 295, 74, 57, 47, 2, "X295Y074.bmp"};
inline constexpr StationControlRow kRadioWire{3, 374, 35, 107, 56, 3, "X374Y035.bmp"};
inline constexpr StationControlRow kRadioAntenna{4, 400, 130, 130, 62, 5, "X400Y130.bmp"};
inline constexpr StationControlRow kRadioEsmMast{5, 435, 265, 65, 72, 5, "X435Y265.bmp"};
inline constexpr StationControlRow kRadioEsmContact{6, 370, 280, 50, 58, 2, "X370Y280.bmp"};
inline constexpr StationControlRow kRadioSendChat{11, 277, 21, 81, 51, 2, "X277Y021.bmp"};
/// The nine signal lamps, bottom to top.
inline constexpr StationControlRow kRadioEsmLamps[] = {
    {9, 60, 384, 30, 18, 2, "X060Y384.bmp"}, {9, 60, 365, 30, 18, 2, "X060Y365.bmp"},
    {9, 60, 346, 30, 18, 2, "X060Y346.bmp"}, {9, 60, 327, 30, 18, 2, "X060Y327.bmp"},
    {9, 60, 308, 30, 18, 2, "X060Y308.bmp"}, {9, 60, 289, 30, 18, 2, "X060Y289.bmp"},
    {9, 60, 270, 30, 18, 2, "X060Y270.bmp"}, {9, 60, 251, 30, 18, 2, "X060Y251.bmp"},
    {9, 60, 232, 30, 18, 2, "X060Y232.bmp"}};
inline constexpr int kRadioChatId = 10;
inline constexpr const char* kRadioGroup = "radio";
inline constexpr const char* kRadioBackground = "scrn27.bmp";
/// The text box: single-player and network game.
inline constexpr Rect kRadioTextBox{27, 31, 27 + 247, 31 + 155};
inline constexpr Rect kRadioTextBoxNetwork{27, 51, 27 + 247, 51 + 135};
inline constexpr Rect kRadioChatLine{27, 190, 27 + 247, 190 + 20};
/// The box's scroll bar and its background pattern, in the group "radio".
inline constexpr const char* kRadioArrowUp = "arrowu.bmp";
inline constexpr const char* kRadioArrowDown = "arrowd.bmp";
inline constexpr const char* kRadioCaret = "newcaret.bmp";
inline constexpr const char* kRadioPattern = "radiopat.bmp";
/// The ESM dial: its centre in the window and its picture's size.
inline constexpr Point kEsmDialCentre{206, 314};
inline constexpr int kEsmDialSize = 143;
inline constexpr Rect kEsmNamePanel{136, 390, 276, 406};
inline constexpr Point kRadioWireReadOut{430, 94};
inline constexpr Point kRadioEsmReadOut{318, 290};
/// The labels of the background and their tool tips: antenna, ESM mast, wire, ESM dial.
struct RadioLabel {
    Rect rect;
    int text;
};
inline constexpr RadioLabel kRadioLabels[] = {{{410, 116, 520, 127}, 468},
                                              {{425, 340, 510, 351}, 469},
                                              {{372, 20, 484, 31}, 467},
                                              {{135, 228, 277, 239}, 470}};

class RadioRoom : public SubScreen {
public:
    static constexpr std::uintptr_t kMessageTimer = 26198;
    static constexpr std::uintptr_t kEsmTimer = 21861;

    RadioRoom(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// Stops the message pass and stops being the live room.
    ~RadioRoom() override;

    void open() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// Enter typed in the chat line (its character comes up to the room) sends the line.
    int onKey(int key, int category) override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    /// Appends a text of a kind to the log (the network game's messages come this way).
    void appendMessage(std::string_view text, int kind) { log_.appendMessage(text, kind); }
    /// Carries out a control's command.
    void command(int id, int value);
    /// One message pass, as the timer runs it.
    void messagePass();
    /// One ESM update, as the timer runs it.
    void esmUpdate();
    /// Points the ESM at the bearing of a window point.
    void pointEsmAt(int x, int y);

    const RadioLog& log() const { return log_; }
    const TextBox& textBox() const { return *textBox_; }
    const RadioTraffic& traffic() const { return traffic_; }
    int esmBearing() const { return esmBearing_; }
    const EsmEmitter& emitter() const { return emitter_; }
    const EsmLevels& esmLevels() const { return levels_; }
    int litLamps() const { return litLamps_; }
    /// The chat line (network game only), or null.
    EditBox* chatLine() const { return chat_.get(); }
    /// The composed dial (null before the first paint).
    const Bitmap* dial() const { return dial_.get(); }

private:
    void buildControls(bool network);
    void fillLog();
    void setMast(int mast, bool raise);
    void setWire(int position);
    void sendChat();
    bool esmActive() const;
    void drawDial(DeviceContext& dc);
    void showDial();
    void report(const char* wave, int priority, int text, bool radioOperator);

    RadioLog log_;
    RadioTraffic traffic_;
    std::vector<std::unique_ptr<BaseWidget>> widgets_;
    std::vector<std::unique_ptr<HotSpot>> hotSpots_;
    std::unique_ptr<TextBox> textBox_;
    std::unique_ptr<EditBox> chat_;
    std::unique_ptr<ReadOut> wireReadOut_, esmReadOut_;
    std::unique_ptr<TextPanel> emitterName_;
    SimpleButton* trafficLamp_ = nullptr;
    std::array<SimpleButton*, 9> lamps_{};
    DetentSwitch* wireSwitch_ = nullptr;
    ButtonToggle* antennaSwitch_ = nullptr;
    ButtonToggle* esmSwitch_ = nullptr;
    bool antennaOn_ = false;
    bool esmOn_ = false;
    bool opened_ = false;
    bool dragging_ = false;
    double lastDragClock_ = -1.0;
    int esmBearing_ = 0;
    EsmEmitter emitter_;
    double identifiedAt_ = 0.0;
    EsmLevels levels_{};
    int litLamps_ = 0;
    SoundVoice* tone_ = nullptr;
    std::array<Pen, 16> pens_;
    std::array<Brush, 16> brushes_;
    BitmapRef face_, dial_;
    std::unique_ptr<DeviceContext> faceDc_, dialDc_;
};

/// The live radio room, or null.
RadioRoom* radioRoom();

} // namespace q71
