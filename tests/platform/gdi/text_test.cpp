#include "golden.h"

#include "platform/gdi/font.h"
#include "platform/gdi/text_overflow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace q71 {
namespace {

using test::Canvas;

// The ten interface fonts of the shell: points, weight, character set, pitch and family, and
// the face name the text table gives (fonts 3 to 6 take font 2's face).
struct InterfaceFont {
    int points;
    int weight;
    int charSet;
    int pitchAndFamily;
    const char* face;
};
const InterfaceFont kInterfaceFonts[10] = {
    {8, 500, 1, 0x30, "Courier New"},      {10, 500, 1, 0x20, "Arial"}, {7, 500, 1, 0x20, "Arial"},
    {12, 700, 1, 0x20, "Arial"},           {11, 700, 1, 0x20, "Arial"}, {14, 700, 1, 0x20, "Arial"},
    {8, 400, 0, 0x12, "Times New Roman"},  {10, 700, 0, 0x12, "Arial"}, {8, 700, 0, 0x12, "Arial"},
    {12, 700, 0, 0x12, "Times New Roman"},
};

LogFont interfaceFont(const InterfaceFont& f) {
    LogFont lf;
    // height = -MulDiv(points, 96, 72), rounded to the nearest pixel
    lf.height = -((f.points * 96 + 36) / 72);
    lf.weight = f.weight;
    lf.charSet = f.charSet;
    lf.pitchAndFamily = f.pitchAndFamily;
    lf.faceName = f.face;
    return lf;
}

// The box holding every pixel of a colour, or an empty rectangle.
Rect inkBox(const Canvas& canvas, ColorRef ink) {
    Rect box{};
    for (int y = 0; y < canvas.bitmap->height(); ++y)
        for (int x = 0; x < canvas.bitmap->width(); ++x)
            if (canvas.at(x, y) == ink)
                box = box.united({x, y, x + 1, y + 1});
    return box;
}

constexpr ColorRef kInk = rgb(0, 240, 0);
constexpr ColorRef kPaper = rgb(24, 32, 40);

FontRef sans(int height, int weight = kFontWeightNormal) {
    LogFont lf;
    lf.height = height;
    lf.weight = weight;
    lf.pitchAndFamily = kVariablePitch | kFamilySwiss;
    lf.faceName = "Arial";
    return Font::create(lf);
}

TEST(Fonts, InterfaceFontsResolveToTheInstalledFreeFaces) {
    const char* expected[10] = {"Liberation Mono", "Liberation Sans", "Liberation Sans",  "Liberation Sans",
                                "Liberation Sans", "Liberation Sans", "Liberation Serif", "Liberation Sans",
                                "Liberation Sans", "Liberation Serif"};
    for (int i = 0; i < 10; ++i) {
        LogFont lf = interfaceFont(kInterfaceFonts[i]);
        FontRef font = Font::create(lf);
        ASSERT_TRUE(font) << i;
        EXPECT_EQ(font->familyName(), expected[i]) << "font " << i + 1;
        const TextMetrics& m = font->metrics();
        // The character height asked for is the cell less its internal leading.
        EXPECT_EQ(m.height - m.internalLeading, -lf.height) << "font " << i + 1;
        EXPECT_EQ(m.height, m.ascent + m.descent);
        EXPECT_GT(m.aveCharWidth, 0);
        EXPECT_EQ(m.weight, kInterfaceFonts[i].weight);
    }
}

TEST(Fonts, InterfaceFontsDrawCrispTextOfTheirOwnSizes) {
    // Wide enough for the sample in the widest face, whole.
    constexpr int kWidth = 480, kHeight = 200;
    Canvas canvas(kWidth, kHeight, kPaper);
    canvas.dc->setBkMode(kTransparent);
    canvas.dc->setTextColor(kInk);
    int y = 2;
    for (const InterfaceFont& f : kInterfaceFonts) {
        FontRef font = Font::create(interfaceFont(f));
        canvas.dc->selectFont(font);
        canvas.dc->textOut({2, y}, "Cap 270 \xB0 - Immersion 120 pieds - n\x9Cuds \xE9t\xE9 \x80");
        y += font->metrics().height + 1;
    }
    // One bit deep: nothing but the two colours.
    EXPECT_EQ(inkBox(canvas, kInk).isEmpty(), false);
    for (int yy = 0; yy < kHeight; ++yy)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_TRUE(canvas.at(x, yy) == kInk || canvas.at(x, yy) == kPaper);
    EXPECT_LT(inkBox(canvas, kInk).right, kWidth - 2) << "every sample is whole";
    EXPECT_TRUE(test::matchesGolden(*canvas.bitmap, "interface_fonts"));
}

TEST(Fonts, UnknownFacesFallBackByTheirFamily) {
    LogFont lf;
    lf.height = -12;
    lf.faceName = "No Such Face Anywhere";
    lf.pitchAndFamily = kFixedPitch | kFamilyModern;
    EXPECT_EQ(Font::create(lf)->familyName(), "Liberation Mono");
    lf.pitchAndFamily = kVariablePitch | kFamilyRoman;
    EXPECT_EQ(Font::create(lf)->familyName(), "Liberation Serif");
    lf.pitchAndFamily = 0;
    EXPECT_EQ(Font::create(lf)->familyName(), "Liberation Sans");
    lf.faceName = "";
    EXPECT_EQ(Font::create(lf)->familyName(), "Liberation Sans");
}

TEST(Fonts, PositiveHeightIsTheCellAndBoldIsWider) {
    FontRef cell = sans(20);
    EXPECT_EQ(cell->metrics().height, 20);
    FontRef regular = sans(-13), bold = sans(-13, kFontWeightBold);
    EXPECT_GT(bold->textWidth("Immersion"), regular->textWidth("Immersion"));
    EXPECT_EQ(regular->textWidth("Cap"), regular->textWidth("C") + regular->textWidth("ap"));
}

TEST(Fonts, HeightsBeyondTheLargestSizeAreHeldToIt) {
    for (int height : {std::numeric_limits<int>::min(), -100000, 100000, std::numeric_limits<int>::max()}) {
        FontRef font = sans(height);
        ASSERT_TRUE(font) << height;
        EXPECT_GT(font->metrics().height, 0) << height;
        EXPECT_LE(font->metrics().height, 2000) << height;
        Canvas canvas(20, 20, kPaper);
        canvas.dc->selectFont(font);
        Rect box{0, 0, 20, 20};
        EXPECT_GT(canvas.dc->drawText("Cap\nCap", box, kDtWordBreak), 0) << height;
    }
    EXPECT_EQ(sans(1000)->metrics().height, 1000);
}

TEST(Fonts, AddedFontFilesAreCountedAndWithdrawn) {
    EXPECT_EQ(addFontResource("/no/such/dir/font.ttf"), 0);
    EXPECT_FALSE(removeFontResource("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    EXPECT_EQ(addFontResource("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), 1);
    EXPECT_TRUE(removeFontResource("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    EXPECT_FALSE(removeFontResource("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
}

struct TextCanvas : Canvas {
    TextCanvas() : Canvas(120, 60, kPaper) {
        dc->selectFont(sans(-13));
        dc->setTextColor(kInk);
        dc->setBkMode(kTransparent);
    }
};

// The lines drawn while it lives, in order.
struct LinesDrawn {
    LinesDrawn() {
        gdiWatchTextsDrawn([this](const TextDrawn& text) { lines.push_back(text.text); });
    }
    ~LinesDrawn() { gdiWatchTextsDrawn({}); }
    std::vector<std::string> lines;
};

// A font held in a static made before the font machinery is released after the machinery's own
// holder at exit; the program still ends cleanly. (Run alone, as CTest runs it: nothing made the
// machinery before.)
TEST(FontAtExitDeathTest, AFontReleasedAfterTheLibrarysHolderEndsCleanly) {
    EXPECT_EXIT(
        {
            static FontRef kept;
            LogFont description;
            description.height = -12;
            kept = Font::create(description);
            std::exit(kept && kept->glyph('A').advance > 0 ? 0 : 2);
        },
        testing::ExitedWithCode(0), "");
}

TEST(TextOut, AlignmentPlacesTheReferencePointOnTheText) {
    TextCanvas left, right, centre, baseline;
    Size size = left.dc->getTextExtent("HHH");
    left.dc->textOut({10, 10}, "HHH");
    right.dc->setTextAlign(kTaRight);
    right.dc->textOut({100, 10}, "HHH");
    centre.dc->setTextAlign(kTaCenter);
    centre.dc->textOut({60, 10}, "HHH");
    baseline.dc->setTextAlign(kTaBaseline);
    baseline.dc->textOut({10, 30}, "HHH");
    Rect l = inkBox(left, kInk), r = inkBox(right, kInk), c = inkBox(centre, kInk),
         b = inkBox(baseline, kInk);
    EXPECT_GE(l.left, 10);
    EXPECT_LE(l.right, 10 + size.cx);
    EXPECT_EQ(r.left - l.left, 90 - size.cx);
    EXPECT_EQ(c.left - l.left, 50 - size.cx / 2);
    // The baseline is the row below the last row of a capital H.
    EXPECT_EQ(b.bottom, 30);
    EXPECT_EQ(l.bottom, 10 + left.dc->font()->metrics().ascent);
}

// What a chart keeps repainting around a label it moves: every pixel the text puts down, italic
// overhangs and descenders too, and nothing for a text without ink.
TEST(TextOut, TheInkBoundsOfATextHoldWhatItDrawsFromTheTopLeftOfItsCell) {
    LogFont italic;
    italic.height = -15;
    italic.italic = true;
    italic.faceName = "Times New Roman";
    italic.pitchAndFamily = kVariablePitch | kFamilyRoman;
    for (const FontRef& font : {sans(-9), sans(-13, kFontWeightBold), Font::create(italic)}) {
        ASSERT_TRUE(font);
        for (const char* text : {"4", "S255", "fjord Wq", "\xC9t\xE9"}) {
            TextCanvas canvas;
            canvas.dc->selectFont(font);
            canvas.dc->textOut({30, 20}, text);
            const Rect drawn = inkBox(canvas, kInk);
            const Rect bounds = font->inkBounds(text).offsetBy(30, 20);
            ASSERT_FALSE(drawn.isEmpty()) << text;
            EXPECT_EQ(drawn.united(bounds), bounds) << text << " in " << font->familyName();
        }
        EXPECT_TRUE(font->inkBounds("   ").isEmpty());
        EXPECT_TRUE(font->inkBounds("").isEmpty());
    }
}

TEST(TextOut, OpaqueModeFillsTheTextCellAndExtTextOutItsRectangle) {
    TextCanvas canvas;
    canvas.dc->setBkMode(kOpaque);
    canvas.dc->setBkColor(rgb(0, 0, 248));
    Size size = canvas.dc->getTextExtent("Sonar");
    canvas.dc->textOut({5, 5}, "Sonar");
    EXPECT_EQ(inkBox(canvas, rgb(0, 0, 248)).united(inkBox(canvas, kInk)),
              (Rect{5, 5, 5 + size.cx, 5 + size.cy}));

    TextCanvas clipped;
    clipped.dc->setBkColor(rgb(248, 0, 0));
    Rect box{10, 10, 30, 20};
    clipped.dc->extTextOut({12, 8}, kEtoOpaque | kEtoClipped, &box, "Radar");
    EXPECT_EQ(inkBox(clipped, rgb(248, 0, 0)).united(inkBox(clipped, kInk)), box);
    EXPECT_FALSE(inkBox(clipped, kInk).isEmpty());
}

// The overflow watch tells a text cut by the sides of its bitmap or by its own rectangle, never one
// cut by a clip region: a screen repainting part of itself cuts its texts there on purpose.
TEST(TextOut, TheOverflowWatchTellsTextsPastTheirSidesOrRectangleNotPastAClipRegion) {
    std::vector<std::string> told;
    gdiWatchTextOverflow([&](const TextOverflow& o) { told.push_back(o.text); });
    TextCanvas canvas;
    canvas.dc->textOut({4, 4}, "Sonar");
    EXPECT_TRUE(told.empty()) << "a text well inside its bitmap";

    canvas.dc->intersectClipRect({0, 0, 10, 60});
    canvas.dc->textOut({4, 4}, "Radar");
    EXPECT_TRUE(told.empty()) << "a text the clip region cuts";

    canvas.dc->textOut({100, 30}, "Periscope");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told.back(), "Periscope") << "past the bitmap's right side";

    const Rect box{10, 10, 30, 40};
    canvas.dc->extTextOut({12, 12}, kEtoClipped, &box, "Navigation");
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told.back(), "Navigation") << "past its own rectangle";
    gdiWatchTextOverflow({});
}

TEST(TextOut, UpdateCurrentPositionAdvancesPastTheText) {
    TextCanvas canvas;
    canvas.dc->setTextAlign(kTaUpdateCp);
    canvas.dc->moveTo({4, 4});
    canvas.dc->textOut({50, 50}, "ab");
    EXPECT_EQ(canvas.dc->currentPosition(), (Point{4 + canvas.dc->getTextExtent("ab").cx, 4}));
}

TEST(TabbedText, PiecesStartAtTheStops) {
    TextCanvas canvas;
    Size b = canvas.dc->getTextExtent("b");
    int stop = 40;
    EXPECT_EQ(canvas.dc->getTabbedTextExtent("a\tb", std::span(&stop, 1)) & 0xFFFF,
              static_cast<unsigned long>(40 + b.cx));
    int stops[2] = {30, 45};
    EXPECT_EQ(canvas.dc->getTabbedTextExtent("a\tb\tc\td", stops) & 0xFFFF,
              static_cast<unsigned long>(60 + canvas.dc->getTextExtent("d").cx));
    int eight = 8 * canvas.dc->font()->metrics().aveCharWidth;
    EXPECT_EQ(canvas.dc->getTabbedTextExtent("\tb", {}) & 0xFFFF, static_cast<unsigned long>(eight + b.cx));
    long drawn = canvas.dc->tabbedTextOut({10, 10}, "a\tb", std::span(&stop, 1), 10);
    EXPECT_EQ(drawn & 0xFFFF, 40 + b.cx);
    EXPECT_EQ(drawn >> 16, canvas.dc->font()->metrics().height);
    EXPECT_GE(inkBox(canvas, kInk).right, 50);
}

TEST(DrawText, SingleLineCentresInBothDirections) {
    TextCanvas canvas;
    Rect rect{0, 0, 120, 60};
    int height = canvas.dc->drawText("OK", rect, kDtCenter | kDtVCenter | kDtSingleLine);
    Size size = canvas.dc->getTextExtent("OK");
    int top = (60 - size.cy) / 2;
    EXPECT_EQ(height, top + size.cy);
    Rect ink = inkBox(canvas, kInk);
    EXPECT_GE(ink.left, (120 - size.cx) / 2);
    EXPECT_LE(ink.right, (120 - size.cx) / 2 + size.cx);
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + size.cy);
}

TEST(DrawText, WordBreakFillsLinesAndCalcRectMeasuresThem) {
    TextCanvas canvas;
    int line = canvas.dc->font()->metrics().height;
    int widest = std::max(canvas.dc->getTextExtent("contact relevement").cx,
                          canvas.dc->getTextExtent("distance immersion").cx);
    Rect rect{0, 0, widest + 2, 0};
    int height =
        canvas.dc->drawText("contact relevement distance immersion", rect, kDtWordBreak | kDtCalcRect);
    EXPECT_EQ(height, 2 * line);
    EXPECT_EQ(rect.bottom, 2 * line);
    EXPECT_EQ(rect.right, widest);
    // A word wider than the line stands alone; line feeds always break.
    Rect narrow{0, 0, 10, 0};
    EXPECT_EQ(canvas.dc->drawText("antenne remorquee", narrow, kDtWordBreak | kDtCalcRect), 2 * line);
    Rect wide{0, 0, 200, 0};
    EXPECT_EQ(canvas.dc->drawText("cap\r\nvitesse\nimmersion", wide, kDtCalcRect), 3 * line);
    EXPECT_EQ(canvas.dc->drawText("", wide, kDtCalcRect), 0);
    // Nothing was drawn by measuring.
    EXPECT_TRUE(inkBox(canvas, kInk).isEmpty());
}

TEST(DrawText, WordBreakKeepsANumbersGroupsTogetherAndItsBlankLines) {
    TextCanvas canvas;
    int line = canvas.dc->font()->metrics().height;
    // A line wide enough for "plus de 1" but not for "plus de 1 000": the number goes down whole.
    const int head = canvas.dc->getTextExtent("plus de 1").cx;
    ASSERT_LT(head, canvas.dc->getTextExtent("plus de 1 000").cx);
    {
        LinesDrawn drawn;
        Rect rect{0, 0, head + 1, 100};
        canvas.dc->drawText("plus de 1 000 km", rect, kDtWordBreak);
        EXPECT_EQ(drawn.lines, (std::vector<std::string>{"plus de", "1 000 km"}));
    }
    {
        // A space with a figure on one side only still breaks.
        LinesDrawn drawn;
        Rect narrow{0, 0, canvas.dc->getTextExtent("1 000").cx + 1, 100};
        canvas.dc->drawText("1 000 sur 2 000", narrow, kDtWordBreak);
        EXPECT_EQ(drawn.lines, (std::vector<std::string>{"1 000", "sur", "2 000"}));
    }
    // A blank line between two paragraphs keeps its place, as it does without word break.
    Rect wide{0, 0, 200, 0};
    EXPECT_EQ(canvas.dc->drawText("Buts :\n\nP\xE9nalit\xE9s :", wide, kDtWordBreak | kDtCalcRect), 3 * line);
    EXPECT_EQ(canvas.dc->drawText("Buts :\n\nP\xE9nalit\xE9s :", wide, kDtCalcRect), 3 * line);
}

TEST(DrawText, MnemonicsAreUnderlinedUnlessSwitchedOff) {
    TextCanvas marked, plain, literal;
    Rect rect{4, 4, 120, 40};
    marked.dc->drawText("&Oui", rect, 0);
    plain.dc->drawText("Oui", rect, 0);
    literal.dc->drawText("&Oui", rect, kDtNoPrefix);
    EXPECT_EQ(marked.dc->getTextExtent("Oui").cx, plain.dc->getTextExtent("Oui").cx);
    EXPECT_GT(inkBox(marked, kInk).bottom, inkBox(plain, kInk).bottom);
    EXPECT_GT(inkBox(literal, kInk).right, inkBox(plain, kInk).right);
    Rect calc{0, 0, 0, 0};
    marked.dc->drawText("a&&b", calc, kDtCalcRect | kDtSingleLine);
    EXPECT_EQ(calc.right, marked.dc->getTextExtent("a&b").cx);
}

TEST(DrawText, TextIsClippedToItsRectangleUnlessAskedNotTo) {
    TextCanvas clipped, free;
    Rect rect{10, 10, 30, 30};
    clipped.dc->drawText("Immersion", rect, kDtSingleLine);
    free.dc->drawText("Immersion", rect, kDtSingleLine | kDtNoClip);
    EXPECT_LE(inkBox(clipped, kInk).right, 30);
    EXPECT_GT(inkBox(free, kInk).right, 30);
}

TEST(DrawText, PageOfAlignedTextMatchesItsGoldenImage) {
    Canvas canvas(200, 110, kPaper);
    canvas.dc->selectFont(sans(-13));
    canvas.dc->setTextColor(kInk);
    canvas.dc->setBkColor(rgb(0, 0, 96));
    Rect left{4, 4, 196, 20}, centre{4, 20, 196, 36}, right{4, 36, 196, 52};
    canvas.dc->drawText("Rel\xE8vement 045", left, kDtLeft | kDtSingleLine);
    canvas.dc->setBkMode(kTransparent);
    canvas.dc->drawText("&Distance 12 000 yards", centre, kDtCenter | kDtSingleLine);
    canvas.dc->drawText("Vitesse\t12 n\x9Cuds", right, kDtRight | kDtSingleLine | kDtExpandTabs);
    Rect wrapped{4, 52, 120, 110};
    canvas.dc->selectFont(sans(-11, kFontWeightBold));
    canvas.dc->drawText("Immersion p\xE9riscopique, antenne filaire flottante", wrapped, kDtWordBreak);
    EXPECT_TRUE(test::matchesGolden(*canvas.bitmap, "draw_text"));
}

} // namespace
} // namespace q71
