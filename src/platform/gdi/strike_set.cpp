#include "platform/gdi/strike_set.h"

#include "platform/text/cp1252.h"

#include <algorithm>

namespace q71 {
namespace {

// Weights from this one up are bold.
constexpr int kLeastBoldWeight = 600;

bool isBold(int weight) {
    return weight >= kLeastBoldWeight;
}

// A strike's size as a description asks for it: a negative height is the character height, a
// positive one the cell's, 0 the usual size.
int sizeAsked(const LogFont& description) {
    const int height = std::clamp(description.height, -kLargestFontPixels, kLargestFontPixels);
    return height < 0 ? -height : height > 0 ? height : kDefaultFontPixels;
}

int sizeOf(const Strike& strike, const LogFont& description) {
    return description.height > 0 ? strike.ascent + strike.descent : strike.pixels;
}

} // namespace

int StrikeSet::add(const std::string& file, std::vector<Strike> strikes) {
    Added added{file, 1, {}};
    for (Strike& strike : strikes)
        added.strikes.push_back(std::make_shared<const Strike>(std::move(strike)));
    added_.push_back(std::move(added));
    return static_cast<int>(added_.back().strikes.size());
}

int StrikeSet::addAgain(const std::string& file) {
    auto it = std::find_if(added_.begin(), added_.end(), [&](const Added& a) { return a.file == file; });
    if (it == added_.end())
        return 0;
    ++it->count;
    return static_cast<int>(it->strikes.size());
}

bool StrikeSet::remove(const std::string& file) {
    auto it = std::find_if(added_.begin(), added_.end(), [&](const Added& a) { return a.file == file; });
    if (it == added_.end())
        return false;
    if (--it->count == 0)
        added_.erase(it);
    return true;
}

std::shared_ptr<const Strike> StrikeSet::choose(const LogFont& description) const {
    if (description.italic)
        return nullptr;
    const std::string face = description.faceName.substr(0, 31);
    const bool bold = isBold(description.weight == 0 ? kFontWeightNormal : description.weight);
    const int asked = sizeAsked(description);
    std::shared_ptr<const Strike> nearestBelow;
    int largest = 0;
    for (const Added& added : added_)
        for (const auto& strike : added.strikes) {
            if (!cp1252EqualNoCase(strike->face, face) || isBold(strike->weight) != bold)
                continue;
            const int size = sizeOf(*strike, description);
            largest = std::max(largest, size);
            if (size <= asked && (!nearestBelow || size > sizeOf(*nearestBelow, description)))
                nearestBelow = strike;
        }
    return asked <= largest ? nearestBelow : nullptr;
}

} // namespace q71
