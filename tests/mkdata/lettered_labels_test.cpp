// Every label the data-set generator letters into a picture, judged as a player at the screen
// would: its ink (its relief included) stands inside its face a blank pixel clear of the face's
// edges, of its lamp and of every other ink the picture held around it, and no two of its letters
// touch. The generators run from the data sources into a fresh folder; artefacts/labels.png keeps
// every label enlarged, its face outlined, so that the lettering can be looked at in one place.

#include "mkdata/art/label_walk.h"

#include "platform/text/cp1252.h"
#include "support/golden_image.h"
#include "support/png_image.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace q71::test {
namespace {

using mkdata::Colour;
using mkdata::GeneratedLabel;
using mkdata::LetteredLabel;

// How far a pixel may stand from a neighbour before it is the edge of some ink: the steel's grain
// and brushed streaks, gradients and the soft light of a lamp stay well within it, the edge of any
// line, lamp, bevel, glass or letter stands beyond it.
constexpr float kEdgeContrast = 0.12f;

float distance(Colour a, Colour b) {
    return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b));
}

// The colour a label's face mostly showed before it was lettered: the median of each channel.
Colour faceColour(const LetteredLabel& label) {
    std::vector<float> r, g, b;
    const Rect face = label.place.face.intersected(label.area);
    for (int y = face.top; y < face.bottom; ++y)
        for (int x = face.left; x < face.right; ++x) {
            const Colour& c = label.before[static_cast<std::size_t>((y - label.area.top) * label.area.width() +
                                                                     (x - label.area.left))];
            r.push_back(c.r);
            g.push_back(c.g);
            b.push_back(c.b);
        }
    const auto median = [](std::vector<float>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    return r.empty() ? Colour{} : Colour{median(r), median(g), median(b)};
}

// Whether the picture, before the label was lettered, had ink of its own at a pixel of the label's
// area: the pixel stands out from a neighbour, on the side away from the face's own colour.
bool inkBefore(const LetteredLabel& label, Colour face, Point p) {
    const auto at = [&](Point q) {
        return label.before[static_cast<std::size_t>((q.y - label.area.top) * label.area.width() +
                                                     (q.x - label.area.left))];
    };
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (const Point q{p.x + dx, p.y + dy}; label.area.contains(q) &&
                                                   distance(at(p), at(q)) > kEdgeContrast &&
                                                   distance(at(p), face) > distance(at(q), face))
                return true;
    return false;
}

std::string named(const GeneratedLabel& g) {
    const LetteredLabel& l = g.label;
    const Rect& f = l.place.face;
    return g.generator + ": \"" + cp1252ToUtf8(l.text) + "\" (" + l.face + ") in its face of " +
           std::to_string(f.width()) + " by " + std::to_string(f.height()) + " at " + std::to_string(f.left) + "," +
           std::to_string(f.top) + " of a " + std::to_string(l.pictureWidth) + " by " +
           std::to_string(l.pictureHeight) + " picture";
}

// What is wrong with one label, in words.
std::vector<std::string> faultsOf(const GeneratedLabel& generated) {
    const LetteredLabel& l = generated.label;
    std::vector<std::string> faults;
    const Rect inner = l.place.face.inflatedBy(-1, -1);
    const Colour face = faceColour(l);
    const int w = l.area.width();
    std::set<std::string> kinds;
    for (int y = l.area.top; y < l.area.bottom; ++y)
        for (int x = l.area.left; x < l.area.right; ++x) {
            const std::size_t i = static_cast<std::size_t>((y - l.area.top) * w + (x - l.area.left));
            if (!l.ink[i])
                continue;
            if (!inner.contains({x, y}))
                kinds.insert("its ink reaches the edge of its face");
            for (const Rect& clear : l.place.keepClear)
                if (clear.inflatedBy(1, 1).contains({x, y}))
                    kinds.insert("its ink comes within a pixel of its lamp or the art it keeps clear of");
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const Point n{x + dx, y + dy};
                    if (!l.area.contains(n))
                        continue;
                    const std::size_t j = static_cast<std::size_t>((n.y - l.area.top) * w + (n.x - l.area.left));
                    if (l.letter[i] && l.letter[j] && l.letter[i] != l.letter[j])
                        kinds.insert("two of its letters touch");
                    if (inkBefore(l, face, n))
                        kinds.insert("its ink comes within a pixel of other ink of the picture");
                }
        }
    for (const std::string& kind : kinds)
        faults.push_back(named(generated) + ": " + kind);
    return faults;
}

// The part of a label's area a sheet shows: all of it, or round its ink where its face is wide.
Rect shownPart(const LetteredLabel& label) {
    constexpr int kWidest = 200, kMargin = 6;
    if (label.area.width() <= kWidest)
        return label.area;
    Rect ink;
    for (int y = label.area.top; y < label.area.bottom; ++y)
        for (int x = label.area.left; x < label.area.right; ++x)
            if (label.ink[static_cast<std::size_t>((y - label.area.top) * label.area.width() + x - label.area.left)])
                ink = ink.united({x, y, x + 1, y + 1});
    return Rect{ink.left - kMargin, label.area.top, ink.right + kMargin, label.area.bottom}.intersected(label.area);
}

// Every label enlarged three times, its face's edges dotted in red, row after row; a label lettered
// again alike (a button's other frames) is shown once.
RgbImage contactSheet(const std::vector<GeneratedLabel>& labels) {
    constexpr int kScale = 3, kWidth = 1200, kGap = 6;
    RgbImage sheet{kWidth, 0, {}};
    int x = 0, y = 0, rowHeight = 0;
    std::vector<std::tuple<int, int, Rect, const LetteredLabel*>> placed;
    std::set<std::string> seen;
    for (const GeneratedLabel& g : labels) {
        const Rect& f = g.label.place.face;
        if (!seen.insert(g.generator + g.label.text + g.label.face + std::to_string(f.width()) + "x" +
                         std::to_string(f.height()))
                 .second)
            continue;
        const Rect part = shownPart(g.label);
        const int w = std::min(part.width() * kScale, kWidth), h = part.height() * kScale;
        if (x + w > kWidth) {
            x = 0;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        placed.emplace_back(x, y, part, &g.label);
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
    }
    sheet.height = y + rowHeight;
    sheet.pixels.assign(static_cast<std::size_t>(sheet.width) * sheet.height * 3, 96);
    const auto byte = [](float v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
    for (const auto& [left, top, part, l] : placed)
        for (int py = 0; py < part.height() * kScale; ++py)
            for (int px = 0; px < std::min(part.width() * kScale, kWidth); ++px) {
                const int ax = part.left + px / kScale, ay = part.top + py / kScale;
                Colour c = l->after[static_cast<std::size_t>((ay - l->area.top) * l->area.width() + ax - l->area.left)];
                const Rect& f = l->place.face;
                const bool edge = (ax == f.left - 1 || ax == f.right) || (ay == f.top - 1 || ay == f.bottom);
                if (edge && (px % kScale == kScale / 2 || py % kScale == kScale / 2))
                    c = {1, 0, 0};
                const std::size_t at = (static_cast<std::size_t>(top + py) * sheet.width + left + px) * 3;
                sheet.pixels[at] = byte(c.r);
                sheet.pixels[at + 1] = byte(c.g);
                sheet.pixels[at + 2] = byte(c.b);
            }
    return sheet;
}

class LetteredLabels : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* source = std::getenv("Q71_SOURCE_DIR");
        ASSERT_NE(source, nullptr) << "Q71_SOURCE_DIR names the source tree";
        TempDir out;
        labels_ = mkdata::letterEveryPicture(std::filesystem::path(source) / "data", out.path() / "data");
        writePng((artefactFolder() / "labels.png").string(), contactSheet(labels_));
    }
    static void TearDownTestSuite() { labels_.clear(); }

    static std::vector<GeneratedLabel> labels_;
};

std::vector<GeneratedLabel> LetteredLabels::labels_;

TEST_F(LetteredLabels, EveryLabelStandsInsideItsFaceClearOfItsLampAndOtherInkWithNoLettersTouching) {
    std::vector<std::string> faults;
    for (const GeneratedLabel& label : labels_)
        for (std::string& fault : faultsOf(label))
            faults.push_back(std::move(fault));
    EXPECT_TRUE(faults.empty()) << faults.size() << " labels are at fault:\n" << [&] {
        std::string all;
        for (const std::string& f : faults)
            all += "  " + f + "\n";
        return all;
    }();
}

TEST_F(LetteredLabels, TheWalkSeesTheLabelsOfEveryStation) {
    // Labels a player met run over their art, each on its own station.
    std::set<std::string> texts;
    for (const GeneratedLabel& label : labels_)
        texts.insert(cp1252ToUtf8(label.label.text));
    for (const char* expected : {"IMAGE", "TOUS", "CARTE", "RETOUR", "MARCHE", "RAPPORT", "ZOOM+", "ZOOM-", "SONDEUR",
                                 "BAT", "CTC", "PÉRISCOPE", "20000", "48 h", "1 h", "PLONGÉE", "Éditeur de missions",
                                 "Équipage"})
        EXPECT_TRUE(texts.count(expected)) << "\"" << expected << "\" is lettered nowhere the walk sees";
}

// A station's console faces are its 540 by 420 pictures; its buttons and lamps are strips.
bool onConsoleFace(const GeneratedLabel& label) {
    return label.label.pictureWidth == 540 && label.label.pictureHeight == 420;
}

TEST_F(LetteredLabels, TheButtonsOfEachStationShareOneFace) {
    const std::map<std::string, std::set<std::string>> buttons{
        {"firectrl", {"TOUS", "BAT", "N", "S", "O", "E", "+", "-", "TIR", "CARTE", "ARMES", "RETOUR"}},
        {"periscope", {"VISÉE", "PÉRI", "STAD", "IMAGE"}},
        {"stadimeter", {"ZOOM+", "ZOOM-", "PÉRI", "STAD"}},
        {"navigation", {"CARTE", "SONDEUR", "BAT", "CTC", "E", "O", "+", "S", "N", "-"}},
    };
    for (const auto& [generator, texts] : buttons) {
        std::set<std::string> faces;
        for (const GeneratedLabel& label : labels_)
            if (label.generator == generator && !onConsoleFace(label) && texts.count(cp1252ToUtf8(label.label.text)))
                faces.insert(label.label.face);
        EXPECT_EQ(faces.size(), 1u) << generator << "'s buttons are lettered in " << faces.size() << " faces";
    }
}

TEST_F(LetteredLabels, TheLabelsEngravedOnEachStationsConsolesShareOneFace) {
    for (const char* generator : {"firectrl", "periscope", "stadimeter", "navigation"}) {
        std::set<std::string> texts, faces;
        for (const GeneratedLabel& label : labels_)
            // A page's title may stand larger than the labels under it.
            if (label.generator == generator && onConsoleFace(label) && label.label.text != "CARTE DE NAVIGATION") {
                texts.insert(label.label.text);
                faces.insert(label.label.face);
            }
        EXPECT_FALSE(texts.empty()) << generator << " engraves no label on its consoles";
        EXPECT_EQ(faces.size(), 1u) << generator << "'s console labels are engraved in " << faces.size() << " faces";
    }
}

} // namespace
} // namespace q71::test
