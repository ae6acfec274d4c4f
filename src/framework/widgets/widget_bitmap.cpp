#include "framework/widgets/widget_bitmap.h"

#include "framework/dibutils/dib_utils.h"
#include "framework/resources/group_archive.h"
#include "platform/gdi/blit.h"

namespace q71 {
namespace {

bool archiveBitmaps = false;

} // namespace

void widgetSetArchiveBitmaps(bool on) {
    archiveBitmaps = on;
}

bool widgetArchiveBitmaps() {
    return archiveBitmaps;
}

WidgetBitmap::WidgetBitmap() {
    grpRefInit(ref_);
}

WidgetBitmap::~WidgetBitmap() {
    free();
}

bool WidgetBitmap::load(std::string_view name) {
    if (loaded())
        return true;
    name_ = name;
    ref_.name = name_.c_str();
    if (archiveBitmaps)
        return takeArchiveRead(grpRead(ref_, true, true));
    if (!dibCLoad(name_.c_str(), fileHeader_, fileBits_))
        return false;
    source_ = Source::File;
    header_ = fileHeader_;
    bits_ = fileBits_;
    return true;
}

bool WidgetBitmap::startLoad(std::string_view name) {
    if (loaded() || pending_)
        return true;
    if (!archiveBitmaps)
        return load(name);
    name_ = name;
    ref_.name = name_.c_str();
    if (!grpRead(ref_, false, true)) {
        grpRefFree(ref_);
        return false;
    }
    pending_ = true;
    return true;
}

bool WidgetBitmap::finishLoad() {
    if (!pending_)
        return loaded();
    pending_ = false;
    return takeArchiveRead(ref_.complete());
}

bool WidgetBitmap::takeArchiveRead(bool arrived) {
    if (arrived && grpMakeDib(ref_)) {
        source_ = Source::Archive;
        header_ = ref_.dibHeader;
        bits_ = ref_.dibBits;
        return true;
    }
    grpRefFree(ref_);
    return false;
}

void WidgetBitmap::free() {
    if (pending_) {
        pending_ = false;
        grpRefFree(ref_);
    }
    if (source_ == Source::Archive)
        grpRefFree(ref_);
    else if (source_ == Source::File)
        dibFree(fileHeader_, fileBits_);
    source_ = Source::None;
    header_ = {};
    bits_ = {};
}

void WidgetBitmap::draw(DeviceContext& dc, int x, int y) const {
    auto format = dibParseInfo(header());
    if (!format)
        return;
    setDIBitsToDevice(dc, x, y, format->width, format->height, 0, 0, 0, format->height, bits(), header());
}

} // namespace q71
