#include "mkdata/art/art_texts.h"

#include <algorithm>
#include <stdexcept>

namespace q71::mkdata {

ArtTexts::ArtTexts(const Context& context) {
    TextTableError error;
    if (!table_.load((context.out / "textdllf.txt").string(), error))
        throw std::runtime_error(error.describe());
    std::string fontFile = text(kFontFileText);
    std::replace(fontFile.begin(), fontFile.end(), '\\', '/');
    if (addFontResource((context.out / fontFile).string()) == 0)
        throw std::runtime_error("the font file " + fontFile + " of the data set holds no font");
}

const std::string& ArtTexts::text(int id) const {
    const std::string* found = table_.find(id);
    if (!found)
        throw std::runtime_error("the text table has no text " + std::to_string(id));
    return *found;
}

FontRef ArtTexts::font(int faceText, int points, int weight) const {
    LogFont description;
    description.height = -(points * 96 + 36) / 72;
    description.weight = weight;
    description.faceName = text(faceText);
    FontRef font = Font::create(description);
    if (!font)
        throw std::runtime_error("no font can be opened for " + description.faceName);
    return font;
}

} // namespace q71::mkdata
