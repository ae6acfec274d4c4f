#include "platform/display/single_instance.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace q71 {
namespace {

std::string uniqueName(const char* what) {
    return std::string("test-") + what + "-" + std::to_string(getpid());
}

TEST(SingleInstance, TheSecondCopyIsRefusedAndKnocksOnTheFirst) {
    std::string name = uniqueName("second");
    SingleInstance first;
    ASSERT_TRUE(first.claim(name));
    EXPECT_FALSE(first.takeRaiseRequest());
    {
        SingleInstance second;
        EXPECT_FALSE(second.claim(name));
    }
    EXPECT_TRUE(first.takeRaiseRequest());
    EXPECT_FALSE(first.takeRaiseRequest());
}

TEST(SingleInstance, TheNameIsFreeAgainWhenTheFirstCopyEnds) {
    std::string name = uniqueName("free");
    {
        SingleInstance first;
        ASSERT_TRUE(first.claim(name));
    }
    SingleInstance next;
    EXPECT_TRUE(next.claim(name));
    SingleInstance other;
    EXPECT_TRUE(other.claim(uniqueName("other")));
}

TEST(SingleInstance, CopiesOnOtherDisplaysRunSideBySide) {
    std::string name = uniqueName("displays");
    setenv("DISPLAY", ":71", 1);
    SingleInstance first;
    ASSERT_TRUE(first.claim(name));
    setenv("DISPLAY", ":72", 1);
    SingleInstance onAnother;
    EXPECT_TRUE(onAnother.claim(name));
    setenv("DISPLAY", ":71", 1);
    SingleInstance second;
    EXPECT_FALSE(second.claim(name));
    EXPECT_TRUE(first.takeRaiseRequest());
    EXPECT_FALSE(onAnother.takeRaiseRequest());
}

} // namespace
} // namespace q71
