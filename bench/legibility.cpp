// How well the interface faces read: texts of the text table drawn in each face as the screens
// draw them (one line, one bit deep, at the face's own size), enlarged five times and read back by
// text recognition (Tesseract with its French model), with the share of characters misread. The
// recognition has a floor of its own, so the goals are set against hand-drawn bitmap faces read the
// same way: at most 4 % misread for the faces of 9 to 12 pixels, 2 % from 13 pixels up. The figure
// is each face's misread share; the time is that of reading its lines. The lines read wrong are
// written to the log, reference first. Recognition varies with Tesseract's version: the figures are
// a report, not a test. Run it with OMP_THREAD_LIMIT=1 (scripts/bench does): the recognition's
// threads spin against each other, and on a busy machine one thread reads many times faster.
// The labels the data-set generator letters into its pictures are read back the same way, each
// from its picture as lettered, dark letters on paper whatever their colours (goal: 4 %).
// Without the data set's font file (missing or damaged) nothing is measured: the faces would be
// drawn from outlines, not from the strikes the program draws them with.

#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "platform/controls/control_look.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "platform/text/cp1252.h"

#include "mkdata/art/label_walk.h"
#include "support/temp_dir.h"

#include "bench_data_set.h"
#include "bench_smoke.h"

#include <benchmark/benchmark.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace q71;

constexpr int kFontFileText = 527;
constexpr int kEnlargement = 5;
constexpr int kMargin = 8; // white around the line, at the face's own size
constexpr std::size_t kLinesRead = 40;
constexpr std::size_t kSmokeLines = 3;
constexpr double kGoalUpTo12Pixels = 4, kGoalFrom13Pixels = 2;

// The texts read: whole sentences and labels of the table, without the formats' conversions or
// mnemonic marks that the screens replace before drawing, spread over the whole table.
std::vector<std::string> textsRead() {
    std::vector<std::string> texts;
    for (int id = 0; id < 10000; ++id) {
        const std::string text = textGetString(id);
        const bool letters = std::any_of(text.begin(), text.end(),
                                         [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
        if (text.size() >= 12 && text.size() <= 60 && letters &&
            text.find_first_of("%&\n\t\r") == std::string::npos)
            texts.push_back(text);
    }
    const std::size_t wanted = q71::bench::smokeMode() ? kSmokeLines : kLinesRead;
    std::vector<std::string> spread;
    for (std::size_t i = 0; i < wanted && !texts.empty(); ++i)
        spread.push_back(texts[i * texts.size() / wanted]);
    return spread;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> grey; ///< 0 ink to 255 paper
};

// A line drawn black on white as a screen draws it, in a margin of paper.
Picture drawnLine(const FontRef& font, const std::string& text) {
    const int width = font->textWidth(text) + 2 * kMargin;
    const int height = font->metrics().height + 2 * kMargin;
    BitmapRef bitmap = Bitmap::createCompatible(width, height);
    auto dc = DeviceContext::createMemory();
    dc->selectBitmap(bitmap);
    dc->fillRect({0, 0, width, height}, createSolidBrush(rgb(255, 255, 255)));
    dc->selectFont(font);
    dc->setBkMode(kTransparent);
    dc->setTextColor(rgb(0, 0, 0));
    dc->textOut({kMargin, kMargin}, text);
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.grey.push_back(dc->getPixel({x, y}) == rgb(0, 0, 0) ? 0 : 255);
    return picture;
}

// The picture enlarged with linear interpolation, as one looks at it close up.
Picture enlarged(const Picture& small) {
    Picture large{small.width * kEnlargement, small.height * kEnlargement, {}};
    const auto at = [&](int x, int y) {
        x = std::clamp(x, 0, small.width - 1);
        y = std::clamp(y, 0, small.height - 1);
        return static_cast<double>(small.grey[static_cast<std::size_t>(y * small.width + x)]);
    };
    for (int y = 0; y < large.height; ++y)
        for (int x = 0; x < large.width; ++x) {
            const double fx = (x + 0.5) / kEnlargement - 0.5, fy = (y + 0.5) / kEnlargement - 0.5;
            const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
            const double ax = fx - x0, ay = fy - y0;
            const double value = (1 - ay) * ((1 - ax) * at(x0, y0) + ax * at(x0 + 1, y0)) +
                                 ay * ((1 - ax) * at(x0, y0 + 1) + ax * at(x0 + 1, y0 + 1));
            large.grey.push_back(static_cast<std::uint8_t>(std::lround(value)));
        }
    return large;
}

std::u32string codePoints(const std::string& cp1252) {
    std::u32string points;
    for (unsigned char c : cp1252) {
        if (c == 0x85) // an ellipsis reads as three full stops
            points += U"...";
        else
            points += cp1252ToUnicode(c);
    }
    return points;
}

// What the recognition read, one character each (a byte that is no UTF-8 counts as one wrong one).
std::u32string fromUtf8(const std::string& utf8) {
    std::u32string points;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = U'\uFFFD';
        if (!utf8NextCodePoint(utf8, i, c))
            ++i;
        points += c;
    }
    return points;
}

// The characters to insert, delete or replace to turn one text into the other.
std::size_t editDistance(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The characters of a picture the recognition misreads, against the text it shows; a line read
// wrong is written to the log, reference first.
std::size_t misread(tesseract::TessBaseAPI& reader, const Picture& picture, const std::string& text,
                    const std::string& what) {
    reader.SetImage(picture.grey.data(), picture.width, picture.height, 1, picture.width);
    reader.SetSourceResolution(300);
    const std::unique_ptr<char[]> recognised(reader.GetUTF8Text());
    std::string read = recognised ? recognised.get() : "";
    while (!read.empty() && (read.back() == '\n' || read.back() == ' '))
        read.pop_back();
    const std::size_t distance = editDistance(codePoints(text), fromUtf8(read));
    if (distance > 0)
        std::fprintf(stderr, "%s: \"%s\" read \"%s\"\n", what.c_str(), cp1252ToUtf8(text).c_str(), read.c_str());
    return distance;
}

// Adds the data set's font file, as the program does at its start; false, with the benchmark
// skipped in error, when the file is missing or damaged.
bool addDataSetFonts(benchmark::State& state, std::string& fontFile) {
    fontFile = q71::bench::dataSet().string() + "/" + textCopy(kFontFileText);
    if (addFontResource(fontFile) > 0)
        return true;
    static std::string message; // some versions of the library keep only the pointer
    std::string shown = fontFile;
    std::replace(shown.begin(), shown.end(), '\\', '/');
    message = "the data set's font file " + shown +
              " is missing or damaged: the faces would be measured from outlines (build the data set again)";
    state.SkipWithError(message.c_str());
    return false;
}

// A French reader reading one line at a time; null, with the benchmark skipped, without the model.
std::unique_ptr<tesseract::TessBaseAPI> lineReader(benchmark::State& state) {
    auto reader = std::make_unique<tesseract::TessBaseAPI>();
    if (reader->Init(nullptr, "fra") != 0) {
        state.SkipWithError("Tesseract's French model is not installed (scripts/setup installs it)");
        return nullptr;
    }
    reader->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    return reader;
}

void report(benchmark::State& state, std::size_t misreadCharacters, std::size_t characters, double goal) {
    state.counters["misread_percent"] =
        characters ? 100.0 * static_cast<double>(misreadCharacters) / static_cast<double>(characters) : 0;
    state.counters["goal_percent"] = goal;
}

struct Face {
    const char* name;
    int interfaceFont; ///< 0: the message boxes' and dialogs' face
    double goalPercent;
};

constexpr Face kFaces[] = {
    {"chart face, 9 px", 3, kGoalUpTo12Pixels},   {"fixed pitch, 11 px", 1, kGoalUpTo12Pixels},
    {"serif, 11 px", 7, kGoalUpTo12Pixels},       {"narrow bold, 11 px", 9, kGoalUpTo12Pixels},
    {"message boxes, 12 px", 0, kGoalUpTo12Pixels}, {"narrow, 13 px", 2, kGoalFrom13Pixels},
    {"narrow bold, 13 px", 8, kGoalFrom13Pixels},
};

void legibility(benchmark::State& state, const Face& face) {
    if (!q71::bench::haveDataSet(state))
        return;
    if (textOpen() != 1) {
        state.SkipWithError("the data set's text table cannot be read");
        return;
    }
    std::string fontFile;
    if (addDataSetFonts(state, fontFile)) {
        // As the program starts: its font file, then its fonts.
        appCreateFonts();
        const FontRef font = face.interfaceFont ? appInterfaceFont(face.interfaceFont)
                                                : look::interfaceFont(-12, kFontWeightNormal);
        if (const std::unique_ptr<tesseract::TessBaseAPI> reader = lineReader(state)) {
            const std::vector<std::string> texts = textsRead();
            std::size_t wrong = 0, characters = 0;
            for (auto _ : state) {
                wrong = characters = 0;
                for (const std::string& text : texts) {
                    wrong += misread(*reader, enlarged(drawnLine(font, text)), text, face.name);
                    characters += codePoints(text).size();
                }
            }
            report(state, wrong, characters, face.goalPercent);
            reader->End();
        }
        appDeleteFonts();
        removeFontResource(fontFile);
    }
    textClose();
}

// What a label reads as a word: its letters and figures.
std::size_t lettersOf(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }));
}

// A lettered label as its picture shows it, dark on paper: each pixel as far from the letters'
// colour as the face's own colour is, paper; as near, ink; in a margin of paper.
Picture labelPicture(const mkdata::LetteredLabel& label) {
    const auto at = [&](const std::vector<mkdata::Colour>& pixels, int x, int y) {
        return pixels[static_cast<std::size_t>((y - label.area.top) * label.area.width() + x - label.area.left)];
    };
    const auto distance = [](mkdata::Colour a, mkdata::Colour b) {
        return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b));
    };
    Rect ink;
    for (int y = label.area.top; y < label.area.bottom; ++y)
        for (int x = label.area.left; x < label.area.right; ++x)
            if (label.ink[static_cast<std::size_t>((y - label.area.top) * label.area.width() + x - label.area.left)])
                ink = ink.united({x, y, x + 1, y + 1});
    // The face's own colour where the label set no ink.
    mkdata::Colour paper{};
    int count = 0;
    for (int y = label.area.top; y < label.area.bottom; ++y)
        for (int x = label.area.left; x < label.area.right; ++x)
            if (!label.ink[static_cast<std::size_t>((y - label.area.top) * label.area.width() + x - label.area.left)]) {
                const mkdata::Colour c = at(label.after, x, y);
                paper = {paper.r + c.r, paper.g + c.g, paper.b + c.b};
                ++count;
            }
    if (count)
        paper = {paper.r / count, paper.g / count, paper.b / count};
    const float contrast = std::max(distance(paper, label.colour), 0.01f);
    Picture picture{ink.width() + 2 * kMargin, ink.height() + 2 * kMargin, {}};
    picture.grey.assign(static_cast<std::size_t>(picture.width) * picture.height, 255);
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x) {
            const float lightness = std::clamp(distance(at(label.after, x, y), label.colour) / contrast, 0.0f, 1.0f);
            picture.grey[static_cast<std::size_t>((y - ink.top + kMargin) * picture.width + x - ink.left + kMargin)] =
                static_cast<std::uint8_t>(std::lround(lightness * 255));
        }
    return picture;
}

// Every label of two letters or more the generator letters, once each (a button's frames and a
// label lettered alike on several pictures count once).
std::vector<mkdata::LetteredLabel> labelsRead(const std::filesystem::path& out) {
    const std::vector<mkdata::GeneratedLabel> all =
        mkdata::letterEveryPicture(std::filesystem::path(Q71_SOURCE_DIR) / "data", out);
    std::vector<mkdata::LetteredLabel> labels;
    std::set<std::string> seen;
    for (const mkdata::GeneratedLabel& generated : all)
        if (lettersOf(generated.label.text) >= 2 && seen.insert(generated.label.text + "|" + generated.label.face).second)
            labels.push_back(generated.label);
    if (q71::bench::smokeMode() && labels.size() > kSmokeLines)
        labels.resize(kSmokeLines);
    return labels;
}

void letteredLabels(benchmark::State& state) {
    const test::TempDir out;
    const std::vector<mkdata::LetteredLabel> labels = labelsRead(out.path() / "data");
    if (const std::unique_ptr<tesseract::TessBaseAPI> reader = lineReader(state)) {
        std::size_t wrong = 0, characters = 0;
        for (auto _ : state) {
            wrong = characters = 0;
            for (const mkdata::LetteredLabel& label : labels) {
                wrong += misread(*reader, enlarged(labelPicture(label)), label.text, "label in " + label.face);
                characters += codePoints(label.text).size();
            }
        }
        report(state, wrong, characters, kGoalUpTo12Pixels);
        reader->End();
    }
}

const bool kRegistered = [] {
    for (const Face& face : kFaces)
        benchmark::RegisterBenchmark(face.name, [&face](benchmark::State& state) { legibility(state, face); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("lettered labels", letteredLabels)->Iterations(1)->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
