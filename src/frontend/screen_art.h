#pragma once
// Where the front end's screens take their pictures: one group archive per screen in the
// graphics folder of the install, and the names of the pictures in it. The data set's generator
// draws the same names; a picture that is missing means a damaged install and is fatal. Their
// push buttons are made here too, so that every one looks and clicks alike.

#include "framework/widgets/simple_button.h"
#include "framework/widgets/widget_bitmap.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

/// The groups of the front end's screens.
inline constexpr const char* kLogoGroup = "logo";
inline constexpr const char* kLoginGroup = "login";
inline constexpr const char* kMainMenuGroup = "mainmenu";
inline constexpr const char* kCreditsGroup = "credits";
inline constexpr const char* kSelectionGroup = "missel";
inline constexpr const char* kOptionsGroup = "options";
inline constexpr const char* kStateroomGroup = "stateroom";
inline constexpr const char* kCaptLogGroup = "captlog";
inline constexpr const char* kShipBookGroup = "shipbook";
inline constexpr const char* kVelmsGroup = "velms";
inline constexpr const char* kEntViewGroup = "entview";
inline constexpr const char* kPortCallGroup = "portcall";
inline constexpr const char* kDebriefGroup = "debrief";
inline constexpr const char* kDeathGroup = "death";
inline constexpr const char* kVictoryGroup = "victory";
/// The background of every screen, in its group.
inline constexpr const char* kBackgroundName = "backgrnd.bmp";
/// The 540 by 420 page of a book, in its group beside the frame's background.
inline constexpr const char* kBookPageName = "book.bmp";

/// Selects a group of the graphics folder for the pictures read next; fatal when it cannot be read.
void frontEndSelectGroup(const char* group);
/// Loads the background (or another picture) of the selected group; fatal when it is missing.
void frontEndLoadBackground(WidgetBitmap& background, const char* name = kBackgroundName);
/// The name of a button's picture by its place on the screen ("X093Y376.bmp").
std::string buttonBitmapName(int x, int y);

/// The sound of a front-end button's click.
inline constexpr const char* kButtonClickWave = "pushbtn.wav";
/// A push button of the selected group, its picture named by its place, loaded, clicking.
std::unique_ptr<SimpleButton> frontEndPushButton(WindowHandle window, int controlId, int x, int y, int width,
                                                 int height);
/// The page tabs of a paged screen along its tab row (tab_row.h), control ids from `firstId`.
std::vector<std::unique_ptr<SimpleButton>> frontEndTabButtons(WindowHandle window, int firstId, int count);

} // namespace q71
