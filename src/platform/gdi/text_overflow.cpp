#include "platform/gdi/text_overflow.h"

namespace q71 {
namespace {

TextOverflowWatcher& watcher() {
    static TextOverflowWatcher installed;
    return installed;
}

} // namespace

void gdiWatchTextOverflow(TextOverflowWatcher watcherToInstall) {
    watcher() = std::move(watcherToInstall);
}

const TextOverflowWatcher& gdiTextOverflowWatcher() {
    return watcher();
}

} // namespace q71
