#include "frontend/login/name_field.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/device_context.h"

namespace q71 {
namespace {

constexpr std::uint32_t kCaretBlinkMs = 530;
constexpr int kNameFont = 6;
constexpr int kMargin = 10;
constexpr ColorRef kAmber = rgb(0xFF, 0xB2, 0x24);
constexpr const char* kCaret = "_";

} // namespace

NameField::NameField(WindowHandle parent, int controlId, const Rect& area, std::size_t maxLength)
    : BaseWidget(parent, area.left, area.top, area.width(), area.height(), false), maxLength_(maxLength) {
    controlId_ = controlId;
}

void NameField::setText(const std::string& text) {
    text_ = text.substr(0, maxLength_);
    invalidate(nullptr, false);
}

bool NameField::type(int character) {
    const int byte = character & 0xFF;
    // Control characters and DEL are not part of a name; Windows-1252 letters above 0x80 are.
    if (byte < 0x20 || byte == 0x7F || text_.size() >= maxLength_)
        return false;
    text_.push_back(static_cast<char>(byte));
    caretShown_ = true;
    invalidate(nullptr, false);
    return true;
}

bool NameField::erase() {
    if (text_.empty())
        return false;
    text_.pop_back();
    caretShown_ = true;
    invalidate(nullptr, false);
    return true;
}

void NameField::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    dc.selectFont(appInterfaceFont(kNameFont));
    dc.setBkMode(kTransparent);
    dc.setTextColor(kAmber);
    Rect area{x_ + kMargin, y_, x_ + width_ - kMargin, y_ + height_};
    const std::string tail = text_.substr(firstShown(dc, area.width()));
    const std::string shown = caretShown_ ? tail + kCaret : tail;
    dc.drawText(shown, area, kDtLeft | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

std::size_t NameField::firstShown(DeviceContext& dc, int room) const {
    // A name wider than the field slides left a whole character at a time, so that its end and the
    // caret stay in sight; the caret's room is kept while it blinks off, so the name holds still.
    std::size_t first = 0;
    while (first < text_.size() && dc.getTextExtent(text_.substr(first) + kCaret).cx > room)
        ++first;
    return first;
}

void NameField::onTick() {
    caretShown_ = !caretShown_;
    invalidate(nullptr, false);
}

void NameField::show() {
    BaseWidget::show();
    caretShown_ = true;
    startTimer(kCaretBlinkMs);
}

void NameField::hide() {
    stopTimer();
    BaseWidget::hide();
}

} // namespace q71
