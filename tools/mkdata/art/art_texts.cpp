#include "mkdata/art/art_texts.h"

#include "platform/gdi/font.h"

#include <algorithm>
#include <stdexcept>

namespace q71::mkdata {

TextTable readDataSetTexts(const Context& context) {
    TextTable table;
    TextTableError error;
    if (!table.load((context.out / "textdllf.txt").string(), error))
        throw std::runtime_error(error.describe());
    return table;
}

ArtTexts::ArtTexts(const Context& context) : table_(readDataSetTexts(context)) {
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

std::unique_ptr<MovieFont> ArtTexts::font(int faceText, int points, bool bold) const {
    return std::make_unique<MovieFont>(text(faceText), (points * 96 + 36) / 72, bold);
}

} // namespace q71::mkdata
