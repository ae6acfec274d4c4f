#include "mkdata/art/art_texts.h"

#include "platform/gdi/font.h"
#include "platform/text/cp1252.h"

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

std::filesystem::path dataSetFontFile(const Context& context, const TextTable& table) {
    const std::string* name = table.find(kFontFileText);
    if (!name)
        throw std::runtime_error("the text table names no font file (text 527)");
    std::string relative = *name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return context.out / relative;
}

ArtTexts::ArtTexts(const Context& context) : table_(readDataSetTexts(context)), recorder_(context.labels) {
    const std::filesystem::path fontFile = dataSetFontFile(context, table_);
    if (addFontResource(fontFile.string()) == 0)
        throw std::runtime_error("the font file " + fontFile.string() + " of the data set holds no font");
}

const std::string& ArtTexts::text(int id) const {
    const std::string* found = table_.find(id);
    if (!found)
        throw std::runtime_error("the text table has no text " + std::to_string(id));
    return *found;
}

LetterFont ArtTexts::font(int faceText, int pixels, bool bold) const {
    return LetterFont(text(faceText), pixels, bold, recorder_);
}

std::string artLabel(const char* utf8) {
    std::string out;
    std::size_t at = 0;
    if (!utf8ToCp1252(utf8, out, at))
        throw std::runtime_error(std::string("label not in Windows-1252: ") + utf8);
    return out;
}

} // namespace q71::mkdata
