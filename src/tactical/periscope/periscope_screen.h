#pragma once
// The periscope panel, the first page of the periscope station: the optic in its console, the
// mast raised and lowered, training and tilting by the buttons, the magnification steps, night
// vision, the visual fix, the picture handed to the stadimeter, and the ESM receiver's tone with
// its lamp meter.

#include "framework/app/page_screen.h"
#include "framework/widgets/button_group.h"
#include "sim/services/audio_service.h"
#include "tactical/periscope/periscope_controls.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace q71 {

class BaseWidget;
class ButtonToggle;
class HotSpot;
class OwnShipEntity;
class Scope;
class SimpleButton;
class StadimeterScreen;

class PeriscopeScreen : public PageScreen {
public:
    /// The panel (page "periscope"), its optic and controls set from the own boat's periscope.
    PeriscopeScreen(std::string_view key, WindowHandle suite, int width, int height, int x, int y);
    /// Closes the panel and lets the ESM tone go.
    ~PeriscopeScreen() override;

    /// The mast's shown travel; while the panel shows, the optic, its render and the ESM meter.
    void update() override;
    /// Reads the console and the optic's washes (in one counted batch), then readies the optic.
    void open() override;
    void close() override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// The optic is looked at again at the next update.
    void onShow() override;
    void onHide() override;

    /// Carries out a control's command (id, the control's new state); false for an id the panel
    /// leaves to its container.
    bool command(int id, int state);
    /// The stadimeter page the pictures go to (null: none).
    void setStadimeter(StadimeterScreen* page) { stadimeter_ = page; }

    Scope& optic() { return *optic_; }
    int magnificationIndex() const { return magnification_; }
    ScopeViewState viewState() const { return viewState_; }
    const ScopeMast& mast() const { return mast_; }
    int litLamps() const { return litLamps_; }
    int esmVolume() const { return esmVolume_; }
    std::int32_t pickedTarget() const { return picked_; }
    /// The lamp control i (0 the bottom one).
    SimpleButton& lamp(int i) const { return *lamps_[static_cast<std::size_t>(i)]; }
    ButtonToggle& raiseSwitch() const { return *raiseSwitch_; }
    ButtonToggle& nightSwitch() const { return *nightSwitch_; }

private:
    void buildControls();
    void setSwitchesFromBoat();
    void raiseOrLower(int state);
    void train(ScopeButton button);
    void setMagnification(int index);
    void pickTarget();
    void visualFix();
    void toStadimeter();
    void updateView(std::int32_t effective);
    void updateEsm(std::int32_t effective);

    std::unique_ptr<Scope> optic_;
    int magnification_ = 0;
    SoundVoiceId esmVoice_ = 0;
    std::vector<std::unique_ptr<BaseWidget>> widgets_;
    std::array<SimpleButton*, 9> lamps_{};
    ButtonToggle* nightSwitch_ = nullptr;
    ButtonToggle* raiseSwitch_ = nullptr;
    int raiseState_ = 1;
    ButtonGroup pageChoice_{2};
    std::vector<std::unique_ptr<HotSpot>> hotSpots_;
    std::int32_t picked_ = 0;
    ScopeViewState viewState_ = kScopeViewUnknown;
    ScopeMast mast_;
    int litLamps_ = 0;
    int esmVolume_ = 0;
    bool opened_ = false;
    StadimeterScreen* stadimeter_ = nullptr;
};

} // namespace q71
