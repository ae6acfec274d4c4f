// The program's lines on stderr: UTF-8 for the terminal, whatever the program's own texts hold.
#include "platform/text/program_log.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

TEST(ProgramLog, AnAccentedTextReachesTheTerminalAsUtf8OnOneLine) {
    testing::internal::CaptureStderr();
    logLine("L'h\xF4te a quitt\xE9 le jeu \x80 5.");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "q71: L'h\xC3\xB4te a quitt\xC3\xA9 le jeu \xE2\x82\xAC 5.\n");
}

} // namespace
} // namespace q71
