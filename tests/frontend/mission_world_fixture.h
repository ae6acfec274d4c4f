#pragma once
// The front end's ground with a world to play on: the data set's objects and terrain open, a
// player chosen from the roster, the entity classes installed with their controllers and
// explosions, all of it put away again when the test ends.

#include "frontend_fixture.h"

#include <string_view>

namespace q71::test {

class MissionWorldFixture : public FrontEndFixture {
protected:
    explicit MissionWorldFixture(std::string_view playerName);
    /// Ends any mission and puts the world away; a derived fixture destroys the screens that
    /// show the world first.
    ~MissionWorldFixture() override;
};

} // namespace q71::test
