#include "platform/gdi/font_library.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace q71 {
namespace {

// No font file the program adds is anywhere near this size; a larger one is not read.
constexpr std::streamoff kLargestStrikeFile = 16 << 20;

// One name for a file however a caller reaches it (from the install folder or by its whole path).
std::string sameFileKey(const std::string& path) {
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(path, error);
    return error ? path : whole.lexically_normal().string();
}

// The whole of a strike file; nullopt when the file is missing, is no strike file or is too large.
std::optional<std::vector<std::uint8_t>> strikeFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[8] = {};
    if (!in.read(magic, sizeof magic) ||
        !strikeFileLooksLikeOne(std::span(reinterpret_cast<const std::uint8_t*>(magic), sizeof magic)))
        return std::nullopt;
    in.seekg(0, std::ios::end);
    if (in.tellg() > kLargestStrikeFile)
        return std::nullopt;
    in.seekg(0);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

FcConfig* asConfig(void* config) {
    return static_cast<FcConfig*>(config);
}

// Installed faces tried, in order, after the requested one, by the family bits.
std::vector<const char*> fallbackFamilies(int pitchAndFamily) {
    int family = pitchAndFamily & 0xF0;
    if (family == kFamilyModern || (pitchAndFamily & 3) == kFixedPitch)
        return {"Liberation Mono", "DejaVu Sans Mono", "monospace"};
    if (family == kFamilyRoman)
        return {"Liberation Serif", "DejaVu Serif", "serif"};
    return {"Liberation Sans", "DejaVu Sans", "sans-serif"};
}

} // namespace

const std::shared_ptr<FontLibrary>& FontLibrary::shared() {
    static const std::shared_ptr<FontLibrary> library(new FontLibrary);
    return library;
}

FontLibrary::FontLibrary() {
    FT_Library ft = nullptr;
    if (FT_Init_FreeType(&ft) == 0)
        freetype_ = ft;
    config_ = FcInitLoadConfigAndFonts();
}

FontLibrary::~FontLibrary() {
    if (config_)
        FcConfigDestroy(asConfig(config_));
    if (freetype_)
        FT_Done_FreeType(freetype_);
}

std::optional<FontMatch> FontLibrary::match(const LogFont& description) {
    std::lock_guard guard(mutex_);
    if (!config_)
        return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    std::string face = description.faceName.substr(0, 31);
    if (!face.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    for (const char* family : fallbackFamilies(description.pitchAndFamily))
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    int weight = description.weight == 0 ? kFontWeightNormal : std::clamp(description.weight, 1, 1000);
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, description.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(asConfig(config_), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(asConfig(config_), pattern, &result);
    FcPatternDestroy(pattern);
    if (!found)
        return std::nullopt;
    FontMatch match;
    FcChar8* text = nullptr;
    int value = 0;
    if (FcPatternGetString(found, FC_FILE, 0, &text) == FcResultMatch)
        match.file = reinterpret_cast<const char*>(text);
    if (FcPatternGetString(found, FC_FAMILY, 0, &text) == FcResultMatch)
        match.family = reinterpret_cast<const char*>(text);
    if (FcPatternGetInteger(found, FC_INDEX, 0, &value) == FcResultMatch)
        match.index = value;
    if (FcPatternGetInteger(found, FC_WEIGHT, 0, &value) == FcResultMatch)
        match.weight = FcWeightToOpenType(value);
    if (FcPatternGetInteger(found, FC_SLANT, 0, &value) == FcResultMatch)
        match.italic = value != FC_SLANT_ROMAN;
    FcPatternDestroy(found);
    if (match.file.empty())
        return std::nullopt;
    return match;
}

std::shared_ptr<const Strike> FontLibrary::strikeFor(const LogFont& description) {
    std::lock_guard guard(mutex_);
    return strikes_.choose(description);
}

int FontLibrary::addFile(const std::string& path) {
    std::lock_guard guard(mutex_);
    const std::string key = sameFileKey(path);
    if (const int count = strikes_.addAgain(key))
        return count;
    if (auto bytes = strikeFileBytes(path)) {
        std::string error;
        if (auto strikes = strikeFileDecode(*bytes, error))
            return strikes_.add(key, std::move(*strikes));
        std::fprintf(stderr, "q71: warning: the font file %s is damaged (%s); outlines draw its faces\n",
                     path.c_str(), error.c_str());
        return 0;
    }
    if (!config_)
        return 0;
    FcFontSet* faces = FcFontSetCreate();
    FcFileScan(faces, nullptr, nullptr, nullptr, reinterpret_cast<const FcChar8*>(path.c_str()), FcFalse);
    int count = faces->nfont;
    FcFontSetDestroy(faces);
    if (count == 0 ||
        !FcConfigAppFontAddFile(asConfig(config_), reinterpret_cast<const FcChar8*>(path.c_str())))
        return 0;
    added_.push_back(path);
    return count;
}

bool FontLibrary::removeFile(const std::string& path) {
    std::lock_guard guard(mutex_);
    if (strikes_.remove(sameFileKey(path)))
        return true;
    auto it = std::find(added_.begin(), added_.end(), path);
    if (it == added_.end())
        return false;
    added_.erase(it);
    rebuildAppFonts();
    return true;
}

void FontLibrary::rebuildAppFonts() {
    // fontconfig can only drop all added files at once; the others are added again.
    FcConfigAppFontClear(asConfig(config_));
    for (const std::string& file : added_)
        FcConfigAppFontAddFile(asConfig(config_), reinterpret_cast<const FcChar8*>(file.c_str()));
}

} // namespace q71
