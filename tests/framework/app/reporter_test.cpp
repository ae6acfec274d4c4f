#include "framework/app/reporter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace q71 {
namespace {

int hookRuns = 0;
void countingHook() {
    ++hookRuns;
    std::fprintf(stderr, "[hook %d]\n", hookRuns);
}
void hookThatFailsAgain() {
    std::fprintf(stderr, "[shutdown]\n");
    reportFatal("inner", 2, "shutdown", 1);
}

TEST(WarningReport, DetailedFormShowsMessageSourceAndLine) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(reportWarning("M", 12, "skeleton", 1), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "q71: M\nin skeleton at line 12\n");
}

TEST(WarningReport, GenericFormShowsOnlyTheGenericText) {
    setGenericErrorText("Erreur g\xE9n\xE9rale");
    testing::internal::CaptureStderr();
    reportWarning("hidden", 3, "x", 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "q71: Erreur g\xC3\xA9n\xC3\xA9rale\n\n");
}

TEST(WarningReport, LongTextsAreCutToTheBuffer) {
    std::string longMessage(1000, 'a');
    testing::internal::CaptureStderr();
    reportWarning(longMessage.c_str(), 1, "s", 1);
    std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown, "q71: " + std::string(255, 'a') + "\n");
}

TEST(FatalReportDeathTest, ExitsWithFailureAfterRunningTheHookOnce) {
    EXPECT_EXIT(
        {
            setFatalHook(countingHook);
            reportFatal("Plus de m\xE9moire", 40, "skeleton", 1);
        },
        testing::ExitedWithCode(1),
        "Plus de m\xC3\xA9moire\nin skeleton at line 40\nClosing Application\n\\[hook 1\\]");
}

TEST(FatalReportDeathTest, GenericFormBeforeTheTextIsSetShowsTheMessageRatherThanNothing) {
    EXPECT_EXIT(
        {
            setGenericErrorText(nullptr); // whatever a test before this one set
            reportFatal("the terrain database does not open", 1, "s", 0);
        },
        testing::ExitedWithCode(1), "^q71: the terrain database does not open\n$");
}

TEST(FatalReportDeathTest, AFatalErrorDuringShutdownDoesNotRunTheShutdownAgain) {
    EXPECT_EXIT(
        {
            setFatalHook(hookThatFailsAgain);
            reportFatal("outer", 1, "main", 1);
        },
        testing::ExitedWithCode(1), "outer.*\\[shutdown\\]\nq71: inner.*Closing Application\n$");
}

TEST(FatalReportDeathTest, CaptionIsShownOnlyWithDetail) {
    EXPECT_EXIT(reportFatalCaption("m", "Titre", 5, "s", 1), testing::ExitedWithCode(1), "q71: Titre: m\n");
    EXPECT_EXIT(
        {
            setGenericErrorText(nullptr);
            reportFatalCaption("m", "Titre", 5, "s", 0);
        },
        testing::ExitedWithCode(1), "^q71: m\n$");
}

} // namespace
} // namespace q71
