#include "tactical/sonar/sonar_label.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/text_format.h"
#include "sim/entities/entity.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "tactical/sonar/sonar_state.h"

#include <cstdio>
#include <cstdlib>

namespace q71 {

namespace {

constexpr std::size_t kMergedSlot = 13;

// The merged-track number of the own boat's first contact record with that number for the slot; 0 none.
int mergedNumber(std::size_t slot, int number) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own)
        return 0;
    for (auto* node = own->contacts.head(); node; node = node->next)
        if (node->item->designation.numbers[slot] == number)
            return node->item->designation.numbers[kMergedSlot];
    return 0;
}

} // namespace

std::string sonarContactLabel(std::int32_t contactId, int slot, SonarLabelStyle style, char letter) {
    const Entity* entity = worldFindEntity(std::abs(contactId));
    if (!entity || slot < 0 || slot >= static_cast<int>(entity->designation.size()))
        return {};
    const auto k = static_cast<std::size_t>(contactId < 0 ? kSonarGeneralSlot : slot);
    const int number = entity->designation[k];
    if (number < 1)
        return {};
    char text[32];
    if (const int merged = mergedNumber(k, number); merged != 0) {
        if (style == SonarLabelStyle::demon)
            std::snprintf(text, sizeof text, "%c-M%-d", letter, merged);
        else
            std::snprintf(text, sizeof text, "M%-d", merged);
    } else if (style == SonarLabelStyle::active) {
        std::snprintf(text, sizeof text, "  S%-2d  ", number);
    } else if (style == SonarLabelStyle::demon) {
        std::snprintf(text, sizeof text, "%c-S%-d", letter, number);
    } else {
        std::snprintf(text, sizeof text, "S%-d", number);
    }
    return text;
}

void sonarDrawLabel(DeviceContext& dc, int x, int y, const std::string& label, int font, bool opaque) {
    dc.selectFont(appInterfaceFont(font));
    dc.setTextColor(kSonarText);
    dc.setBkColor(kSonarBackground);
    dc.setBkMode(opaque ? kOpaque : kTransparent);
    dc.setTextAlign(kTaCenter | kTaTop);
    dc.textOut({x, y}, label);
}

void sonarDrawTrackerLetters(DeviceContext& dc, const ReceiverSensor& array, int y,
                             const std::function<std::optional<int>(int slot, const TrackSlot&)>& letterX) {
    dc.setTextAlign(kTaCenter | kTaTop);
    const auto& trackers = array.trackers();
    for (int slot = 0; slot < static_cast<int>(trackers.size()); ++slot) {
        const TrackSlot& tracker = trackers[static_cast<std::size_t>(slot)];
        if (!tracker.inUse() || tracker.letter == 0)
            continue;
        if (const std::optional<int> x = letterX(slot, tracker))
            dc.textOut({*x, y}, std::string(1, tracker.letter));
    }
}

} // namespace q71
