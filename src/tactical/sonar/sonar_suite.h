#pragma once
// The sonar suite, station 1 of the in-mission host ("sonarsuite", 540 by 420): five pages,
// one per sonar display, of which one shows at a time; every page carries the row of page
// buttons whose commands reach the suite. The page on show is kept for the whole run and the
// suite opens on the broadband page at first.

#include "framework/app/sub_screen.h"

#include <memory>
#include <string_view>

namespace q71 {

class SonarSuiteScreen : public SubScreen {
public:
    /// Builds the pages (a page that cannot be made leaves its slot empty) and becomes the suite.
    SonarSuiteScreen(std::string_view name, WindowHandle parent, int width, int height, int x, int y);
    ~SonarSuiteScreen() override;

    /// Ids 0 to 4 show that page; every command is handled.
    int onCommand(WParam wParam, LParam lParam) override;
};

/// The suite built last, or null.
SonarSuiteScreen* sonarSuite();

/// Shows a page of the suite, unless it is the page on show.
void sonarShowPage(int index);

/// Registers the sonar suite as station 1.
void sonarRegisterStation();

} // namespace q71
