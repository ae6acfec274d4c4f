#pragma once
// Reports errors to the user in a message box. A fatal report ends the program in order
// (shutdown hook, quit, exit with a failure status); a warning returns to the caller.
// With detail 0 the box shows only the generic error text; otherwise message, source and line.

#include <string>

namespace q71 {

/// Shows the fatal box and ends the program; does not return.
[[noreturn]] void reportFatal(const char* message, int line, const char* source, int detail);
/// As reportFatal, with a caption for the box (dropped when detail is 0).
[[noreturn]] void reportFatalCaption(const char* message, const char* caption, int line, const char* source,
                                     int detail);
/// Shows the warning box and returns the box's result.
int reportWarning(const char* message, int line, const char* source, int detail);
/// A start-up failure, in full (no 256-character cut): on stderr, and in a box when the display is
/// one a person sees. The caller then ends the program with a failure status.
void reportStartupFailure(const std::string& text);
/// Stores the shutdown hook that a fatal report runs (at most once).
void setFatalHook(void (*hook)());
/// Copies the generic error text (cut to 255 characters).
void setGenericErrorText(const char* text);

} // namespace q71
