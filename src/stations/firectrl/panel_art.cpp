#include "stations/firectrl/panel_art.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/widget_bitmap.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/nav/nav_layout.h"

namespace q71 {

PanelArt::PanelArt(std::span<const PanelArtFile> files, const char* source) : files_(files), source_(source) {}

PanelArt::~PanelArt() = default;

void PanelArt::acquire() {
    if (users_++ > 0)
        return;
    grpSetFolder(graphicsInstallPath);
    const bool group = grpOpenGroup(kFireGroup);
    for (const PanelArtFile& file : files_) {
        auto bitmap = std::make_unique<WidgetBitmap>();
        if (!group || !bitmap->load(file.name))
            reportFatal(textGetString(kNavMissingText), file.line, source_, 1);
        bitmaps_.push_back(std::move(bitmap));
    }
}

void PanelArt::release() {
    if (users_ == 0 || --users_ > 0)
        return;
    bitmaps_.clear();
}

std::span<const std::uint8_t> PanelArt::header(std::size_t index) const {
    return index < bitmaps_.size() ? bitmaps_[index]->header() : std::span<const std::uint8_t>{};
}

std::span<const std::uint8_t> PanelArt::bits(std::size_t index) const {
    return index < bitmaps_.size() ? bitmaps_[index]->bits() : std::span<const std::uint8_t>{};
}

} // namespace q71
