#pragma once
// Styles and answers of message boxes, by the window system's numbers.

namespace q71 {

// Buttons (the low four bits of the style).
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbOkCancel = 0x1;
constexpr unsigned kMbAbortRetryIgnore = 0x2;
constexpr unsigned kMbYesNoCancel = 0x3;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbRetryCancel = 0x5;
// Icons.
constexpr unsigned kMbIconHand = 0x10;
constexpr unsigned kMbIconStop = kMbIconHand;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconExclamation = 0x30;
constexpr unsigned kMbIconAsterisk = 0x40;
constexpr unsigned kMbIconInformation = kMbIconAsterisk;
// Which button is the default.
constexpr unsigned kMbDefButton2 = 0x100;
constexpr unsigned kMbDefButton3 = 0x200;

// Answers.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

} // namespace q71
