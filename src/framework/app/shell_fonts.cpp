#include "framework/app/shell_fonts.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/tool_tip.h"
#include "platform/resources/program_resources.h"

#include <array>
#include <string>

namespace q71 {
namespace {

constexpr int kFallbackFaceText = 528;
constexpr int kFallbackPoints = 12;
// A face named by the description block that the fonts before left there.
constexpr int kFaceOfBlock = 0;

struct InterfaceFontSpec {
    int points;
    int weight;
    int charSet;
    int outPrecision, clipPrecision, quality;
    int pitchAndFamily;
    int faceText; ///< text id of the face, or kFaceOfBlock
    bool fallback;
};

constexpr std::array<InterfaceFontSpec, kInterfaceFontCount> kFonts{{
    {8, 500, 1, 0, 0, 0, 0x30, 530, true},
    {10, 500, 1, 0, 0, 0, 0x20, 529, true},
    {7, 500, 1, 0, 0, 0, 0x20, kFaceOfBlock, false},
    {12, 700, 1, 0, 0, 0, 0x20, kFaceOfBlock, false},
    {11, 700, 1, 0, 0, 0, 0x20, kFaceOfBlock, false},
    {14, 700, 1, 0, 0, 0, 0x20, kFaceOfBlock, false},
    {8, 400, 0, 3, 2, 1, 0x12, 532, true},
    {10, 700, 0, 3, 2, 1, 0x12, 529, false},
    {8, 700, 0, 3, 2, 1, 0x12, 529, false},
    {12, 700, 0, 3, 2, 1, 0x12, 528, false},
}};

std::array<FontRef, kInterfaceFontCount> fonts;
BitmapRef sharedBitmap;

// Points to pixels at 96 dots per inch, rounded to the nearest pixel as MulDiv does.
int pointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

std::string faceOf(int textId) {
    const char* face = textGetString(textId);
    return face ? face : "";
}

} // namespace

void appCreateFonts() {
    // One description block serves every font, so that fonts without a face of their own take
    // the face the font before them left in it, the fallback face included.
    LogFont block;
    for (std::size_t i = 0; i < kFonts.size(); ++i) {
        const InterfaceFontSpec& spec = kFonts[i];
        block.height = -pointsToPixels(spec.points);
        block.weight = spec.weight;
        block.charSet = spec.charSet;
        block.outPrecision = spec.outPrecision;
        block.clipPrecision = spec.clipPrecision;
        block.quality = spec.quality;
        block.pitchAndFamily = spec.pitchAndFamily;
        if (spec.faceText != kFaceOfBlock)
            block.faceName = faceOf(spec.faceText);
        fonts[i] = Font::create(block);
        if (!fonts[i] && spec.fallback) {
            block.height = -pointsToPixels(kFallbackPoints);
            block.faceName = faceOf(kFallbackFaceText);
            fonts[i] = Font::create(block);
        }
    }
    sharedBitmap = resourceLoadBitmap(kSharedBitmapResource);
    toolTipSetDefaultBackground(sharedBitmap);
}

void appDeleteFonts() {
    fonts = {};
    sharedBitmap.reset();
    toolTipSetDefaultBackground(nullptr);
}

FontRef appInterfaceFont(int number) {
    return number >= 1 && number <= kInterfaceFontCount ? fonts[static_cast<std::size_t>(number - 1)]
                                                        : nullptr;
}

FontRef appChartFont() {
    return appInterfaceFont(3);
}

FontRef appApplicationFont() {
    return appInterfaceFont(1);
}

FontRef appScreenFont() {
    return appInterfaceFont(2);
}

BitmapRef appSharedBitmap() {
    return sharedBitmap;
}

} // namespace q71
