#pragma once
// The stadimeter page, the second page of the periscope station: the periscope's picture split
// in two, a list of ship types with their mast heights, a turning silhouette of the chosen type,
// the range worked out from the split, and a report that makes the measurement a visual contact.

#include "framework/app/page_screen.h"
#include "framework/widgets/button_group.h"
#include "tactical/stadimeter/stadimeter_math.h"
#include "tactical/stadimeter/stadimeter_panel.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

class HotSpot;
class SilhouetteView;
class SimpleButton;
class StadimeterImage;
class TextPanel;

/// What the periscope knew when it took the picture.
struct StadimeterPictureValues {
    double time = 0.0;          ///< game seconds
    std::int32_t pickedId = 0;  ///< the entity on the line of sight, 0 none
    double ownX = 0.0, ownY = 0.0;
    double trueBearing = 0.0;   ///< degrees
    double fieldOfView = 0.0;   ///< degrees
};


class StadimeterScreen : public PageScreen {
public:
    static constexpr std::uintptr_t kModelTimer = 2098;
    static constexpr int kModelDelayMs = 500;

    StadimeterScreen(std::string_view key, WindowHandle suite, int width, int height, int x, int y);
    ~StadimeterScreen() override;

    /// Renders the silhouette while the page shows.
    void update() override;
    void open() override;
    void close() override;
    int onCommand(WParam wParam, LParam lParam) override;
    int onKey(int, int) override { return 0; }
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;
    void onShow() override;
    void onHide() override;

    /// A picture from the periscope (a copy is taken) and what the periscope knew.
    void takePicture(DeviceContext& picture, int width, int height, const StadimeterPictureValues& values);
    /// No picture.
    void resetPicture();
    /// Carries out a control's command; false for an id the page leaves to its container.
    bool command(int id);

    const std::vector<StadimeterShipType>& shipTypes() const { return shipTypes_; }
    int currentType() const { return currentType_; }
    std::optional<double> range() const { return range_; }
    const std::string& rangeText() const { return rangeText_; }
    const std::string& mastText() const { return mastText_; }
    const std::string& aspectText() const { return aspectText_; }
    const StadimeterPictureValues& pictureValues() const { return values_; }
    bool modelTimerRunning() const { return modelTimer_ != 0; }
    StadimeterImage& image() { return *image_; }
    SilhouetteView& silhouette() { return *silhouette_; }

private:
    void buildShipTypes();
    void buildControls();
    void selectType();
    void stepType(int step);
    void recomputeRange();
    void recomputeAspect();
    void report();
    void killModelTimer();
    const std::string& aspectWord(int which);

    std::vector<std::unique_ptr<SimpleButton>> buttons_;
    ButtonGroup pageChoice_{2};
    bool loaded_ = false;
    std::unique_ptr<StadimeterImage> image_;
    std::unique_ptr<SilhouetteView> silhouette_;
    std::unique_ptr<TextPanel> shipLabel_, mastReadout_, aspectReadout_, rangeReadout_;
    double mastHeight_ = 0.0;
    StadimeterPictureValues values_;
    std::vector<StadimeterShipType> shipTypes_;
    int currentType_ = 0;
    std::uintptr_t modelTimer_ = 0;
    std::array<std::string, 2> aspectWords_;
    bool aspectWordsRead_ = false;
    std::vector<std::unique_ptr<HotSpot>> hotSpots_;
    std::optional<double> range_;
    std::string rangeText_, mastText_, aspectText_;
};

} // namespace q71
