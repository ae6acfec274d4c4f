#include "platform/msgbox/message_box_layout.h"

#include "platform/controls/control_look.h"

#include <algorithm>
#include <cctype>

namespace q71 {

using namespace look;

namespace {

constexpr int kMargin = 14;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kMaxTextWidth = 400;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kMinWidth = 180;

struct ButtonSet {
    std::vector<std::pair<int, const char*>> buttons;
};

ButtonSet buttonsOf(unsigned style) {
    switch (style & 0xF) {
    case kMbOkCancel:
        return {{{kIdOk, "OK"}, {kIdCancel, "Annuler"}}};
    case kMbAbortRetryIgnore:
        return {{{kIdAbort, "&Abandonner"},
                 {kIdRetry, "&R\xE9"
                            "essayer"},
                 {kIdIgnore, "&Ignorer"}}};
    case kMbYesNoCancel:
        return {{{kIdYes, "&Oui"}, {kIdNo, "&Non"}, {kIdCancel, "Annuler"}}};
    case kMbYesNo:
        return {{{kIdYes, "&Oui"}, {kIdNo, "&Non"}}};
    case kMbRetryCancel:
        return {{{kIdRetry, "&R\xE9"
                            "essayer"},
                 {kIdCancel, "Annuler"}}};
    default:
        return {{{kIdOk, "OK"}}};
    }
}

} // namespace

MessageBoxLayout::MessageBoxLayout(std::string_view text, std::string_view caption, unsigned style)
    : text_(text), caption_(caption.empty() ? "Erreur" : caption), icon_(style & 0xF0),
      textFont_(interfaceFont(-12, kFontWeightNormal)), captionFont_(interfaceFont(-12, kFontWeightBold)),
      iconFont_(interfaceFont(-24, kFontWeightBold)) {
    auto measure = DeviceContext::createMemory();
    measure->selectFont(textFont_);
    Rect textSize{0, 0, kMaxTextWidth, 0};
    measure->drawText(text_, textSize, kDtWordBreak | kDtNoPrefix | kDtCalcRect);
    measure->selectFont(captionFont_);
    int captionWidth = measure->getTextExtent(caption_).cx;

    bool hasIcon = icon_ == kMbIconHand || icon_ == kMbIconQuestion || icon_ == kMbIconExclamation ||
                   icon_ == kMbIconAsterisk;
    ButtonSet set = buttonsOf(style);
    int count = static_cast<int>(set.buttons.size());
    int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int textLeft = kMargin + (hasIcon ? kIconSize + kIconGap : 0);
    width_ = std::max(
        {kMinWidth, textLeft + textSize.right + kMargin, rowWidth + 2 * kMargin, captionWidth + 2 * kMargin});
    int content = std::max(textSize.bottom, hasIcon ? kIconSize : 0);
    int top = kCaptionHeight + kMargin;
    if (hasIcon)
        iconRect_ = {kMargin, top, kMargin + kIconSize, top + kIconSize};
    int textTop = top + (content - textSize.bottom) / 2;
    textRect_ = {textLeft, textTop, textLeft + textSize.right, textTop + textSize.bottom};
    height_ = top + content + kMargin + kButtonHeight + kMargin;

    int x = (width_ - rowWidth) / 2, y = height_ - kMargin - kButtonHeight;
    for (auto [id, label] : set.buttons) {
        buttons_.push_back({id, label, {x, y, x + kButtonWidth, y + kButtonHeight}});
        x += kButtonWidth + kButtonGap;
    }
    defaultButton_ = std::min(static_cast<int>((style >> 8) & 0xF), count - 1);
}

int MessageBoxLayout::escapeAnswer() const {
    for (const MessageBoxButton& b : buttons_)
        if (b.id == kIdCancel)
            return kIdCancel;
    return buttons_.size() == 1 && buttons_[0].id == kIdOk ? kIdOk : 0;
}

int MessageBoxLayout::buttonAt(Point at) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].rect.contains(at))
            return static_cast<int>(i);
    return -1;
}

int MessageBoxLayout::buttonForMnemonic(char ch) const {
    auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const std::string& label = buttons_[i].label;
        size_t amp = label.find('&');
        if (amp != std::string::npos && amp + 1 < label.size() && lower(label[amp + 1]) == lower(ch))
            return static_cast<int>(i);
    }
    return -1;
}

void MessageBoxLayout::paint(DeviceContext& dc, int focused, int pressed) const {
    dc.fillRect({0, 0, width_, height_}, createSolidBrush(kFace));
    paintBoxFrame(dc, width_, height_);
    paintBoxCaption(dc, width_, caption_, captionFont_);
    paintIcon(dc);
    dc.selectFont(textFont_);
    dc.setTextColor(kText);
    Rect body = textRect_;
    dc.drawText(text_, body, kDtWordBreak | kDtNoPrefix);
    for (size_t i = 0; i < buttons_.size(); ++i)
        paintButton(dc, buttons_[i], static_cast<int>(i) == focused, static_cast<int>(i) == pressed);
}

void MessageBoxLayout::paintButton(DeviceContext& dc, const MessageBoxButton& button, bool focused,
                                   bool pressed) const {
    Rect r = button.rect;
    dc.fillRect(r, createSolidBrush(focused ? kAmber : kDark));
    Rect face = r.inflatedBy(-1, -1);
    dc.fillRect(face, createSolidBrush(kButtonFace));
    if (pressed)
        bevel(dc, face, kDark, kLight);
    else
        bevel(dc, face, kLight, kDark);
    Rect label = pressed ? face.offsetBy(1, 1) : face;
    dc.selectFont(textFont_);
    dc.setTextColor(kLabel);
    dc.drawText(button.label, label, kDtCenter | kDtVCenter | kDtSingleLine);
}

void MessageBoxLayout::paintIcon(DeviceContext& dc) const {
    if (iconRect_.isEmpty())
        return;
    const Rect& r = iconRect_;
    dc.selectPen(createPen(PenStyle::Solid, 1, kDark));
    const char* mark = nullptr;
    ColorRef markColour = rgb(255, 255, 255);
    switch (icon_) {
    case kMbIconHand:
        // A red lamp with a white cross.
        dc.selectBrush(createSolidBrush(rgb(200, 32, 32)));
        dc.ellipse(r);
        dc.selectPen(createPen(PenStyle::Solid, 3, rgb(255, 255, 255)));
        dc.moveTo({r.left + 10, r.top + 10});
        dc.lineTo({r.right - 11, r.bottom - 11});
        dc.moveTo({r.right - 11, r.top + 10});
        dc.lineTo({r.left + 10, r.bottom - 11});
        break;
    case kMbIconExclamation: {
        // An amber warning triangle.
        Point triangle[3] = {
            {(r.left + r.right) / 2, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.left, r.bottom - 2}};
        dc.selectBrush(createSolidBrush(kAmber));
        dc.polygon(triangle);
        mark = "!";
        markColour = kDark;
        break;
    }
    default:
        // A steel-blue dial with a question mark or an i.
        dc.selectBrush(createSolidBrush(rgb(40, 90, 160)));
        dc.ellipse(r);
        mark = icon_ == kMbIconQuestion ? "?" : "i";
        break;
    }
    if (mark) {
        dc.selectFont(iconFont_);
        dc.setTextColor(markColour);
        Rect area = r.offsetBy(0, icon_ == kMbIconExclamation ? 3 : 0);
        dc.drawText(mark, area, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
    }
}

} // namespace q71
