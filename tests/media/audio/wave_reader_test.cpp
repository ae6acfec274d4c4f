#include "framework/resources/aggregate_store.h"
#include "media/audio/wave_reader.h"
#include "support/sound_fixture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using namespace test;

WaveError readBytes(const std::string& bytes, WaveFormat& format, std::vector<std::uint8_t>& data) {
    return waveReadAll(bytesOf(bytes), format, data);
}

TEST(WaveReaderFormats, ReadsSixteenBitMono) {
    WaveFormat format;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(readBytes(levelWave(1000, 3, 11025), format, data), WaveError::none);
    EXPECT_EQ(format, waveFormatPcm(11025, 1, 16));
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0xE8, 0x03, 0xE8, 0x03, 0xE8, 0x03}));
}

TEST(WaveReaderFormats, ReadsEightBitStereoAfterOtherChunks) {
    // An odd-sized chunk before the format is skipped with its pad byte.
    std::string file = riff(chunk("LIST", "abc") + chunk("fmt ", formatBytes(1, 2, 8000, 8, 2)) +
                            chunk("fact", "1234") + chunk("data", "\x10\x20\x30\x40"));
    WaveFormat format;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(readBytes(file, format, data), WaveError::none);
    EXPECT_EQ(format, waveFormatPcm(8000, 2, 8));
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 0x40}));
}

TEST(WaveReaderFormats, DataIsCutToWholeBlocks) {
    std::string file = riff(chunk("fmt ", formatBytes(1, 2, 22050, 16, 4)) + chunk("data", "1234567"));
    WaveFormat format;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(readBytes(file, format, data), WaveError::none);
    EXPECT_EQ(data.size(), 4u);
}

TEST(WaveReaderFormats, ATooLargeRiffSizeFromAStreamingWriterIsBoundedByTheFile) {
    std::string file = levelWave(5, 2);
    file[4] = file[5] = file[6] = '\xff';
    WaveFormat format;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(readBytes(file, format, data), WaveError::none);
    EXPECT_EQ(data.size(), 4u);
}

TEST(WaveReaderDamage, FormatsTheMixerCannotPlayAreRefused) {
    struct Case {
        const char* what;
        std::string fmt;
    };
    const Case cases[] = {
        {"block alignment 0", formatBytes(1, 1, 22050, 16, 0)},
        {"compressed", formatBytes(2, 1, 22050, 4, 256)},
        {"24 bits", formatBytes(1, 1, 22050, 24, 3)},
        {"no channel", formatBytes(1, 0, 22050, 16, 0)},
        {"rate 0", formatBytes(1, 1, 0, 16, 2)},
        {"short format chunk", formatBytes(1, 1, 22050, 16, 2).substr(0, 14)},
    };
    for (const Case& c : cases) {
        WaveFormat format;
        std::vector<std::uint8_t> data;
        EXPECT_EQ(readBytes(riff(chunk("fmt ", c.fmt) + chunk("data", "abcd")), format, data),
                  WaveError::badFormat)
            << c.what;
        EXPECT_TRUE(data.empty()) << c.what;
    }
}

TEST(WaveReaderDamage, MissingPartsAreNotAWave) {
    const std::string fmt = chunk("fmt ", formatBytes(1, 1, 22050, 16, 2));
    const std::string cases[] = {
        "",
        "RIFX",
        "RIFF\x04\0\0\0AVI ",
        riff(chunk("data", "abcd")),                // no format
        riff(fmt),                                  // no data
        riff(chunk("LIST", "x", 0x7fffffff) + fmt), // a chunk jumping past the end hides the rest
    };
    for (const std::string& file : cases) {
        WaveFormat format;
        std::vector<std::uint8_t> data;
        EXPECT_EQ(readBytes(file, format, data), WaveError::notWave) << file.size();
    }
}

TEST(WaveReaderDamage, DataPastTheEndOfTheFileIsShort) {
    const std::string fmt = chunk("fmt ", formatBytes(1, 1, 22050, 16, 2));
    std::string file = riff(fmt + chunk("data", "abcd", 1000));
    WaveFormat format;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(readBytes(file, format, data), WaveError::dataShort);
    file = riff(fmt + chunk("data", "abcd", 0xffffffff));
    EXPECT_EQ(readBytes(file, format, data), WaveError::dataShort);
}

TEST(WaveReaderFiles, MissingFilesCannotBeOpened) {
    TempDir dir;
    WaveFormat format;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(waveReadAll(dir.file("none.wav"), format, data), WaveError::cannotOpen);
}

TEST(WaveReaderFiles, MembersOfAggregateContainersAreRead) {
    TempDir dir;
    const std::string member = dir.file("sounds.agg") + "+Ping.wav";
    const std::string bytes = levelWave(1234, 3);
    aggSetOpenMode(1);
    aggInstall();
    MmioHandle file = mmioOpen(member, nullptr, MMIO_CREATE | MMIO_WRITE);
    ASSERT_NE(file, MmioHandle::none);
    ASSERT_EQ(mmioWrite(file, bytes.data(), static_cast<int32_t>(bytes.size())),
              static_cast<int32_t>(bytes.size()));
    mmioClose(file);
    aggSetOpenMode(0);
    WaveFormat format;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(waveReadAll(dir.file("sounds.agg") + "+ping.wav", format, data), WaveError::none);
    EXPECT_EQ(data.size(), 6u);
    EXPECT_EQ(waveReadAll(dir.file("sounds.agg") + "+pong.wav", format, data), WaveError::cannotOpen);
    aggRemove();
}

TEST(WaveReaderFiles, LooseFilesAreFoundWithoutRegardToCase) {
    TempDir dir;
    dir.write("Sfx/PingOut.WAV", levelWave(7, 4));
    WaveFormat format;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(waveReadAll(dir.path().string() + "\\SFX\\pingout.wav", format, data), WaveError::none);
    EXPECT_EQ(data.size(), 8u);
}

TEST(WaveReaderStreaming, ReadsInPiecesAndStartsAgain) {
    WaveReader reader;
    ASSERT_EQ(reader.open(waveMemoryStream(bytesOf(levelWave(300, 5)))), WaveError::none);
    ASSERT_EQ(reader.startData(), WaveError::none);
    EXPECT_EQ(reader.dataBytes(), 10u);
    std::vector<std::uint8_t> piece(4);
    EXPECT_EQ(reader.read(piece), 4u);
    EXPECT_EQ(reader.read(piece), 4u);
    EXPECT_EQ(reader.read(piece), 2u);
    EXPECT_EQ(reader.read(piece), 0u);
    ASSERT_EQ(reader.startData(), WaveError::none);
    EXPECT_EQ(reader.read(piece), 4u);
}

} // namespace
} // namespace q71
