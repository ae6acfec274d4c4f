// How well the interface faces read: texts of the text table drawn in each face as the screens
// draw them (one line, one bit deep, at the face's own size), enlarged five times and read back by
// text recognition (Tesseract with its French model), with the share of characters misread. The
// recognition has a floor of its own, so the goals are set against hand-drawn bitmap faces read the
// same way: at most 4 % misread for the faces of 9 to 12 pixels, 2 % from 13 pixels up. The figure
// is each face's misread share; the time is that of reading its lines. The lines read wrong are
// written to the log, reference first. Recognition varies with Tesseract's version: the figures are
// a report, not a test. Run it with OMP_THREAD_LIMIT=1 (scripts/bench does): the recognition's
// threads spin against each other, and on a busy machine one thread reads many times faster.

#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "platform/controls/control_look.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "platform/text/cp1252.h"

#include "bench_data_set.h"
#include "bench_smoke.h"

#include <benchmark/benchmark.h>
#include <tesseract/baseapi.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace q71;

constexpr int kFontFileText = 527;
constexpr int kEnlargement = 5;
constexpr int kMargin = 8; // white around the line, at the face's own size
constexpr std::size_t kLinesRead = 40;
constexpr std::size_t kSmokeLines = 3;

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

struct Face {
    const char* name;
    int interfaceFont; ///< 0: the message boxes' and dialogs' face
    double goalPercent;
};

constexpr Face kFaces[] = {
    {"chart face, 9 px", 3, 4},   {"fixed pitch, 11 px", 1, 4},   {"serif, 11 px", 7, 4},
    {"narrow bold, 11 px", 9, 4}, {"message boxes, 12 px", 0, 4}, {"narrow, 13 px", 2, 2},
    {"narrow bold, 13 px", 8, 2},
};

void legibility(benchmark::State& state, const Face& face) {
    if (!q71::bench::haveDataSet(state))
        return;
    if (textOpen() != 1) {
        state.SkipWithError("the data set's text table cannot be read");
        return;
    }
    // As the program starts: its font file, then its fonts.
    const std::string fontFile = q71::bench::dataSet().string() + "/" + textCopy(kFontFileText);
    addFontResource(fontFile);
    appCreateFonts();
    const FontRef font = face.interfaceFont ? appInterfaceFont(face.interfaceFont)
                                            : look::interfaceFont(-12, kFontWeightNormal);
    tesseract::TessBaseAPI reader;
    if (reader.Init(nullptr, "fra") != 0) {
        state.SkipWithError("Tesseract's French model is not installed (scripts/setup installs it)");
    } else {
        reader.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
        const std::vector<std::string> texts = textsRead();
        std::size_t misread = 0, characters = 0;
        for (auto _ : state) {
            misread = characters = 0;
            for (const std::string& text : texts) {
                const Picture picture = enlarged(drawnLine(font, text));
                reader.SetImage(picture.grey.data(), picture.width, picture.height, 1, picture.width);
                reader.SetSourceResolution(300);
                const std::unique_ptr<char[]> recognised(reader.GetUTF8Text());
                std::string read = recognised ? recognised.get() : "";
                while (!read.empty() && (read.back() == '\n' || read.back() == ' '))
                    read.pop_back();
                const std::u32string expected = codePoints(text);
                const std::size_t distance = editDistance(expected, fromUtf8(read));
                if (distance > 0)
                    std::fprintf(stderr, "%s: \"%s\" read \"%s\"\n", face.name, cp1252ToUtf8(text).c_str(),
                                 read.c_str());
                misread += distance;
                characters += expected.size();
            }
        }
        state.counters["misread_percent"] =
            characters ? 100.0 * static_cast<double>(misread) / characters : 0;
        state.counters["goal_percent"] = face.goalPercent;
        reader.End();
    }
    appDeleteFonts();
    removeFontResource(fontFile);
    textClose();
}

const bool kRegistered = [] {
    for (const Face& face : kFaces)
        benchmark::RegisterBenchmark(face.name, [&face](benchmark::State& state) { legibility(state, face); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
