#include "platform/gdi/text_overflow.h"

namespace q71 {
namespace {

TextOverflowWatcher& watcher() {
    static TextOverflowWatcher installed;
    return installed;
}

TextDrawnWatcher& textsWatcher() {
    static TextDrawnWatcher installed;
    return installed;
}

} // namespace

void gdiWatchTextOverflow(TextOverflowWatcher watcherToInstall) {
    watcher() = std::move(watcherToInstall);
}

const TextOverflowWatcher& gdiTextOverflowWatcher() {
    return watcher();
}

void gdiWatchTextsDrawn(TextDrawnWatcher watcherToInstall) {
    textsWatcher() = std::move(watcherToInstall);
}

const TextDrawnWatcher& gdiTextsDrawnWatcher() {
    return textsWatcher();
}

} // namespace q71
