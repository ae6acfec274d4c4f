// The own boat's texts come with the data set, with the conversions their callers pass.
#include "framework/textmngr/text_manager.h"

#include <gtest/gtest.h>

#include <string>

namespace q71::test {
namespace {

TEST(OwnShipTexts, ComeWithTheDataSet) {
    textClose();
    ASSERT_EQ(textOpen(), 1);
    for (int id :
         {270, 271, 272, 273, 274, 277, 282, 283, 290, 291, 301, 302, 303, 304, 312, 772, 783, 789, 821})
        EXPECT_STRNE(textGetString(id), "") << id;
    char line[256];
    textFormat(line, 305, 7, 12);
    EXPECT_NE(std::string(line).find("007"), std::string::npos) << line;
    EXPECT_NE(std::string(line).find("12"), std::string::npos) << line;
    textClose();
}

} // namespace
} // namespace q71::test
