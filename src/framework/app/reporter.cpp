#include "framework/app/reporter.h"

#include "platform/text/cp1252.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace q71 {
namespace {

constexpr size_t kReportBufferSize = 256;

char genericErrorText[kReportBufferSize];
void (*fatalHook)() = nullptr;

constexpr unsigned kIconHand = 0x10; // MB_ICONHAND
constexpr int kIdOk = 1;

// The box of a report. The texts are Windows-1252; the terminal reads UTF-8.
int showReportBox(const char* text, const char* caption, unsigned /*style*/) {
    std::fprintf(stderr, "q71: %s%s%s\n", caption ? cp1252ToUtf8(caption).c_str() : "", caption ? ": " : "",
                 cp1252ToUtf8(text).c_str());
    return kIdOk;
}

void formatReport(char (&buffer)[kReportBufferSize], const char* message, int line, const char* source,
                  int detail, bool fatal) {
    // Texts longer than the buffer are cut to fit.
    int written;
    if (detail)
        written = std::snprintf(buffer, sizeof buffer,
                                fatal ? "%s\nin %s at line %d\nClosing Application" : "%s\nin %s at line %d",
                                message ? message : "", source ? source : "", line);
    else
        written = std::snprintf(buffer, sizeof buffer, fatal ? "%s" : "%s\n", genericErrorText);
    if (written < 0)
        buffer[0] = '\0';
}

} // namespace

void reportFatalCaption(const char* message, const char* caption, int line, const char* source, int detail) {
    char buffer[kReportBufferSize];
    formatReport(buffer, message, line, source, detail, true);
    showReportBox(buffer, detail ? caption : nullptr, kIconHand);
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
    return showReportBox(buffer, nullptr, 0);
}

void setFatalHook(void (*hook)()) { fatalHook = hook; }

void setGenericErrorText(const char* text) {
    std::snprintf(genericErrorText, sizeof genericErrorText, "%s", text ? text : "");
}

} // namespace q71
