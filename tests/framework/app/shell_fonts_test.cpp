// The ten interface fonts and the shared bitmap, made from the data set's texts and resources.
#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/tool_tip.h"

#include <gtest/gtest.h>

#include <string>

namespace q71 {
namespace {

class InterfaceFonts : public ::testing::Test {
protected:
    InterfaceFonts() {
        EXPECT_EQ(textOpen(), 1);
        appCreateFonts();
    }
    ~InterfaceFonts() override {
        appDeleteFonts();
        textClose();
    }

    static std::string face(int textId) { return textGetString(textId); }
};

TEST_F(InterfaceFonts, EachFontHasItsSizeWeightAndFace) {
    struct Expected {
        int number, height, weight, pitchAndFamily;
        std::string face;
    };
    const Expected expected[] = {
        {1, -11, 500, 0x30, face(530)},  {2, -13, 500, 0x20, face(529)}, {3, -9, 500, 0x20, face(529)},
        {4, -16, 700, 0x20, face(529)},  {5, -15, 700, 0x20, face(529)}, {6, -19, 700, 0x20, face(529)},
        {7, -11, 400, 0x12, face(532)},  {8, -13, 700, 0x12, face(529)}, {9, -11, 700, 0x12, face(529)},
        {10, -16, 700, 0x12, face(528)},
    };
    for (const Expected& e : expected) {
        FontRef font = appInterfaceFont(e.number);
        ASSERT_TRUE(font) << "font " << e.number;
        EXPECT_EQ(font->description().height, e.height) << "font " << e.number;
        EXPECT_EQ(font->description().weight, e.weight) << "font " << e.number;
        EXPECT_EQ(font->description().pitchAndFamily, e.pitchAndFamily) << "font " << e.number;
        EXPECT_EQ(font->description().faceName, e.face) << "font " << e.number;
    }
    EXPECT_EQ(appInterfaceFont(7)->description().outPrecision, 3);
    EXPECT_EQ(appInterfaceFont(7)->description().charSet, 0);
    EXPECT_EQ(appInterfaceFont(1)->description().charSet, 1);
}

TEST_F(InterfaceFonts, TheNamedFacesAreTheOnesDrawnWith) {
    // Faces that no font has would fall back to another family without a word.
    EXPECT_EQ(appInterfaceFont(2)->familyName(), face(529));
    EXPECT_EQ(appInterfaceFont(6)->familyName(), face(529));
    EXPECT_EQ(appInterfaceFont(8)->familyName(), face(529));
    EXPECT_EQ(appInterfaceFont(10)->familyName(), face(528));
    EXPECT_EQ(appInterfaceFont(1)->familyName(), face(530));
}

TEST_F(InterfaceFonts, TheStationsNamedFontsHaveTheSizesTheirDrawingsAreLaidOutFor) {
    struct Named {
        const char* name;
        FontRef font;
        int height; // 7, 8 and 10 points at 96 dots per inch
    };
    const Named named[] = {{"chart", appChartFont(), -9}, {"application", appApplicationFont(), -11},
                           {"screen", appScreenFont(), -13}};
    for (const Named& n : named) {
        ASSERT_TRUE(n.font) << n.name;
        EXPECT_EQ(n.font->description().height, n.height) << n.name;
    }
    appDeleteFonts();
    EXPECT_FALSE(appChartFont());
}

TEST_F(InterfaceFonts, OutsideOneToTenThereIsNoFont) {
    EXPECT_FALSE(appInterfaceFont(0));
    EXPECT_FALSE(appInterfaceFont(11));
}

TEST_F(InterfaceFonts, TheSharedBitmapIsTheToolTipsGroundUntilTheFontsGo) {
    ASSERT_TRUE(appSharedBitmap());
    EXPECT_EQ(toolTipDefaultBackground(), appSharedBitmap());
    appDeleteFonts();
    EXPECT_FALSE(appSharedBitmap());
    EXPECT_FALSE(toolTipDefaultBackground());
    EXPECT_FALSE(appInterfaceFont(1));
}

} // namespace
} // namespace q71
