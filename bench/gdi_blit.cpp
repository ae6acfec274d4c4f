// The drawing layer's hot paths: a full-screen 8-bit picture set through its palette onto a
// screen-format bitmap (how every station background reaches the screen), a page of text, and
// for scale a plain copy of the same bytes in the same run.
#include "platform/gdi/blit.h"
#include "platform/gdi/font.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace q71;

constexpr int kWidth = 640, kHeight = 480;

struct Picture {
    Picture() {
        for (int i = 0; i < 256; ++i)
            palette.push_back(quadFromColor(rgb(i, 255 - i, (i * 7) & 0xFF)));
        info = dibMakeInfo({kWidth, kHeight, 8, palette, {}});
        bits.resize(static_cast<size_t>(kWidth) * kHeight);
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] = static_cast<std::uint8_t>((i * 31 + i / kWidth) & 0xFF);
    }
    std::vector<RgbQuad> palette;
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> bits;
};

struct Screen {
    Screen() : bitmap(Bitmap::createCompatible(kWidth, kHeight)), dc(DeviceContext::createMemory()) {
        dc->selectBitmap(bitmap);
    }
    BitmapRef bitmap;
    std::unique_ptr<DeviceContext> dc;
};

void SetDIBitsFullScreen8Bit(benchmark::State& state) {
    Picture picture;
    Screen screen;
    for (auto _ : state) {
        setDIBitsToDevice(*screen.dc, 0, 0, kWidth, kHeight, 0, 0, 0, kHeight, picture.bits, picture.info);
        benchmark::DoNotOptimize(screen.bitmap->bits().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight);
}
BENCHMARK(SetDIBitsFullScreen8Bit);

void PlainCopyOfTheSameBytes(benchmark::State& state) {
    Picture picture;
    std::vector<std::uint8_t> copy(picture.bits.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), picture.bits.data(), copy.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight);
}
BENCHMARK(PlainCopyOfTheSameBytes);

void BitBltFullScreen(benchmark::State& state) {
    Screen from, to;
    for (auto _ : state) {
        bitBlt(*to.dc, 0, 0, kWidth, kHeight, from.dc.get(), 0, 0, kSrcCopy);
        benchmark::DoNotOptimize(to.bitmap->bits().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight * 2);
}
BENCHMARK(BitBltFullScreen);

void PageOfText(benchmark::State& state) {
    Screen screen;
    LogFont description;
    description.height = -13;
    description.faceName = "Arial";
    screen.dc->selectFont(Font::create(description));
    screen.dc->setBkMode(kTransparent);
    screen.dc->setTextColor(rgb(0, 240, 0));
    std::string page;
    for (int line = 0; line < 30; ++line)
        page += "Contact S12 relevement 045 distance 12000 yards immersion 150 pieds vitesse 12 noeuds\n";
    for (auto _ : state) {
        Rect rect{0, 0, kWidth, kHeight};
        benchmark::DoNotOptimize(screen.dc->drawText(page, rect, kDtLeft));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(page.size()));
}
BENCHMARK(PageOfText);

} // namespace
