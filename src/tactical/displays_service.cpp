#include "tactical/displays_service.h"

#include "tactical/radio/radio_station.h"

namespace q71 {
namespace {

class TacticalDisplaysService final : public TacticalDisplays {
public:
    void updateSeaTexture() override {}
    void clearEffectList() override {}
    std::vector<std::string> radioRoomLines() const override { return radioSavedLines(); }
    void restoreRadioRoomLines(std::vector<std::string> lines) override { radioRestoreLines(std::move(lines)); }
};

} // namespace

TacticalDisplays& tacticalDisplays() {
    static TacticalDisplaysService service;
    return service;
}

} // namespace q71
