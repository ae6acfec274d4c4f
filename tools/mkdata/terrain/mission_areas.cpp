#include "mkdata/terrain/mission_areas.h"

#include "mkdata/files.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace q71::mkdata {

namespace {

class AreaParser {
public:
    explicit AreaParser(const std::filesystem::path& path) : path_(path.string()) {}

    [[noreturn]] void fail(const std::string& reason) const {
        throw std::runtime_error(path_ + ":" + std::to_string(line_) + ": " + reason);
    }

    std::vector<MissionArea> parse(std::istream& in) {
        std::string text;
        while (std::getline(in, text)) {
            ++line_;
            words_.clear();
            const std::string code = text.substr(0, text.find('#'));
            std::istringstream split(code);
            for (std::string word; split >> word;)
                words_.push_back(word);
            if (!words_.empty())
                statement(code);
        }
        for (const MissionArea& area : areas_)
            finish(area);
        checkSpacing();
        return std::move(areas_);
    }

private:
    std::string path_;
    int line_ = 0;
    std::vector<std::string> words_;
    std::vector<MissionArea> areas_;

    double number(size_t i) const {
        char* end = nullptr;
        const double v = std::strtod(words_[i].c_str(), &end);
        if (end == words_[i].c_str() || *end != '\0' || !std::isfinite(v))
            fail("\"" + words_[i] + "\" is not a number");
        return v;
    }
    double positive(size_t i) const {
        const double v = number(i);
        if (v <= 0.0)
            fail("\"" + words_[i] + "\" must be above 0");
        return v;
    }
    PlanePoint point(size_t i) const { return {number(i), number(i + 1)}; }
    void expect(size_t count) const {
        if (words_.size() != count + 1)
            fail(words_[0] + " takes " + std::to_string(count) + " values");
    }
    MissionArea& current() {
        if (areas_.empty())
            fail(words_[0] + " before the first area");
        return areas_.back();
    }

    void statement(const std::string& code) {
        const std::string& keyword = words_[0];
        if (keyword == "area")
            return startArea(code);
        MissionArea& area = current();
        if (keyword == "centre") {
            expect(2);
            area.lat = number(1);
            area.lon = number(2);
            if (std::fabs(area.lat) > 85.0 || std::fabs(area.lon) > 180.0)
                fail("the centre must lie within 85 degrees of the equator and 180 of the meridian");
        } else if (keyword == "offers") {
            for (size_t i = 1; i < words_.size(); ++i) {
                if (std::find_if(std::begin(kAreaOffers), std::end(kAreaOffers),
                                 [&](const char* o) { return words_[i] == o; }) == std::end(kAreaOffers))
                    fail("unknown offer \"" + words_[i] + "\"");
                area.offers.push_back(words_[i]);
            }
        } else if (keyword == "floor") {
            expect(1);
            area.floorDepth = positive(1);
        } else if (keyword == "shelf") {
            expect(2);
            area.shelfWidth = positive(1);
            area.slopeWidth = positive(2);
        } else if (keyword == "land") {
            if (words_.size() < 7 || words_.size() % 2 == 0)
                fail("land takes three or more points, x and y each");
            std::vector<PlanePoint>& polygon = area.lands.emplace_back();
            for (size_t i = 1; i < words_.size(); i += 2)
                polygon.push_back(point(i));
        } else if (keyword == "island" || keyword == "bay") {
            expect(3);
            (keyword == "island" ? area.islands : area.bays).push_back({point(1), positive(3)});
        } else if (keyword == "shoal") {
            expect(4);
            area.shoals.push_back({{point(1), positive(3)}, positive(4)});
        } else if (keyword == "channel") {
            expect(6);
            area.channels.push_back({point(1), point(3), positive(5), positive(6)});
        } else if (keyword == "site") {
            site(area);
        } else {
            fail("unknown keyword \"" + keyword + "\"");
        }
    }

    void startArea(const std::string& code) {
        const size_t open = code.find('"'), close = code.rfind('"');
        if (words_.size() < 3 || open == std::string::npos || close <= open + 1)
            fail("area takes a key and a quoted name");
        for (const MissionArea& other : areas_)
            if (other.key == words_[1])
                fail("the area \"" + words_[1] + "\" is given twice");
        MissionArea& area = areas_.emplace_back();
        area.key = words_[1];
        area.name = code.substr(open + 1, close - open - 1);
        area.line = line_;
        area.lat = std::nan("");
    }

    void site(MissionArea& area) {
        expect(4);
        AreaSite s{words_[1], point(2), std::nullopt, line_};
        if (words_[4] != "land")
            s.minDepth = positive(4);
        const double half = kMissionRegionKm / 2;
        if (std::fabs(s.at.east) > half || std::fabs(s.at.north) > half)
            fail("the site " + s.name + " lies outside the mission grid");
        for (const AreaSite& other : area.sites)
            if (other.name == s.name)
                fail("the site " + s.name + " is given twice");
        area.sites.push_back(std::move(s));
    }

    void finish(const MissionArea& area) {
        line_ = area.line;
        if (std::isnan(area.lat))
            fail("the area " + area.key + " has no centre");
        if (area.offers.empty())
            fail("the area " + area.key + " offers nothing");
    }

    void checkSpacing() {
        for (size_t i = 0; i < areas_.size(); ++i) {
            for (size_t j = 0; j < i; ++j) {
                const double k = M_PI / 180, a = areas_[i].lat * k, b = areas_[j].lat * k;
                const double c = std::sin(a) * std::sin(b) +
                                 std::cos(a) * std::cos(b) * std::cos((areas_[i].lon - areas_[j].lon) * k);
                if (6366.0 * std::acos(std::clamp(c, -1.0, 1.0)) <
                    kAreaInnerKm + kAreaOuterKm + 2 * kAreaWobbleKm) {
                    line_ = areas_[i].line;
                    fail("the areas " + areas_[j].key + " and " + areas_[i].key + " lie too close together");
                }
            }
        }
    }
};

} // namespace

double AreaSite::worldX() const {
    return kMissionRegionKm * 500.0 + at.east * 1000.0;
}
double AreaSite::worldY() const {
    return kMissionRegionKm * 500.0 + at.north * 1000.0;
}

std::vector<MissionArea> readMissionAreas(const std::filesystem::path& path) {
    std::istringstream in(readSource(path));
    return AreaParser(path).parse(in);
}

} // namespace q71::mkdata
