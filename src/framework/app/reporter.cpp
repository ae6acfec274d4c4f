#include "framework/app/reporter.h"

#include "platform/msgbox/message_box.h"
#include "platform/window/focus.h"
#include "platform/window/window_system.h"
#include "platform/text/program_log.h"

#include <cstdio>
#include <cstdlib>

namespace q71 {
namespace {

constexpr size_t kReportBufferSize = 256;

char genericErrorText[kReportBufferSize];
void (*fatalHook)() = nullptr;

// The box of a report, owned by the window with the focus; without a window it goes to stderr.
int showReportBox(const char* text, const char* caption, unsigned style) {
    WindowHandle owner = windowSystemRunning() ? focusGet() : WindowHandle{};
    return messageBox(owner, text, caption ? caption : "", style);
}

void formatReport(char (&buffer)[kReportBufferSize], const char* message, int line, const char* source,
                  int detail, bool fatal) {
    // Texts longer than the buffer are cut to fit.
    int written;
    if (detail)
        written = std::snprintf(buffer, sizeof buffer,
                                fatal ? "%s\nin %s at line %d\nClosing Application" : "%s\nin %s at line %d",
                                message ? message : "", source ? source : "", line);
    else if (genericErrorText[0] != '\0')
        written = std::snprintf(buffer, sizeof buffer, fatal ? "%s" : "%s\n", genericErrorText);
    else // before the texts are read there is no generic text: the message itself is better than nothing
        written = std::snprintf(buffer, sizeof buffer, "%s", message ? message : "");
    if (written < 0)
        buffer[0] = '\0';
}

} // namespace

void reportFatalCaption(const char* message, const char* caption, int line, const char* source, int detail) {
    char buffer[kReportBufferSize];
    formatReport(buffer, message, line, source, detail, true);
    showReportBox(buffer, detail ? caption : nullptr, kMbIconHand);
    // The hook is taken before it runs, so that a fatal error inside the shutdown does not
    // start the shutdown a second time.
    if (void (*hook)() = fatalHook) {
        fatalHook = nullptr;
        hook();
    }
    // A fatal error is a failure of the program: the exit status says so.
    std::exit(EXIT_FAILURE);
}

void reportFatal(const char* message, int line, const char* source, int detail) {
    reportFatalCaption(message, nullptr, line, source, detail);
}

int reportWarning(const char* message, int line, const char* source, int detail) {
    char buffer[kReportBufferSize];
    formatReport(buffer, message, line, source, detail, false);
    return showReportBox(buffer, nullptr, kMbOk);
}

void reportStartupFailure(const std::string& text) {
    // The terminal that started the program hears of it too, box or not.
    if (systemInteractive())
        logLine(text);
    showReportBox(text.c_str(), "Q71", kMbOk | kMbIconHand);
}

void setFatalHook(void (*hook)()) {
    fatalHook = hook;
}

void setGenericErrorText(const char* text) {
    std::snprintf(genericErrorText, sizeof genericErrorText, "%s", text ? text : "");
}

} // namespace q71
