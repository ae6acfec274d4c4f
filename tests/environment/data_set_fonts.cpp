// Every test binary draws its texts as the program does once it has started: the data set's font
// file (the one the text table names) is added before any test makes a font, and stays for the
// whole run, whatever order the tests run in. Tests that start and stop the shell add and withdraw
// it again, counted, as the program does.
#include "platform/files/locations.h"
#include "platform/gdi/font.h"
#include "platform/text/text_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace q71::test {
namespace {

constexpr int kFontFileText = 527;

class DataSetFonts : public ::testing::Environment {
public:
    void SetUp() override {
        TextTable texts;
        TextTableError error;
        const std::string root = locationDataRoot();
        if (!texts.load(root + "/textdllf.txt", error))
            return; // tests that need the data set say so themselves
        if (const std::string* name = texts.find(kFontFileText)) {
            std::string relative = *name;
            std::replace(relative.begin(), relative.end(), '\\', '/');
            file_ = root + "/" + relative;
            EXPECT_GT(addFontResource(file_), 0) << file_;
        }
    }
    void TearDown() override {
        if (!file_.empty())
            removeFontResource(file_);
    }

private:
    std::string file_;
};

[[maybe_unused]] const ::testing::Environment* const kRegistered =
    ::testing::AddGlobalTestEnvironment(new DataSetFonts);

} // namespace
} // namespace q71::test
