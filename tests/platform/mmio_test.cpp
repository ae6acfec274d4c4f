// Multimedia file I/O: the file procedure, and the routing of compound names to installed procedures.
#include "platform/mmio/mmio.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace q71 {
namespace {

TEST(MmioFiles, ReadWriteSeekAndClose) {
    test::TempDir dir;
    dir.write("sub/data.bin", "");
    MmioHandle h = mmioOpen(dir.path().string() + "\\SUB\\data.bin", nullptr, MMIO_READWRITE);
    ASSERT_NE(h, MmioHandle::none);
    EXPECT_EQ(mmioWrite(h, "hello world", 11), 11);
    EXPECT_EQ(mmioSeek(h, -5, SEEK_END), 6);
    char buffer[16] = {};
    EXPECT_EQ(mmioRead(h, buffer, 16), 5);
    EXPECT_STREQ(buffer, "world");
    EXPECT_EQ(mmioSeek(h, -100, SEEK_CUR), -1);
    EXPECT_EQ(mmioClose(h), 0u);
    EXPECT_EQ(mmioRead(h, buffer, 1), -1);
    EXPECT_EQ(mmioClose(h), MMIOERR_INVALIDFILE);
    EXPECT_EQ(test::readFile(dir.file("sub/data.bin")), "hello world");
}

TEST(MmioFiles, CreateExistDeleteAndRename) {
    test::TempDir dir;
    std::string a = dir.file("a.txt");
    MmioInfo info;
    EXPECT_EQ(mmioOpen(a, &info, MMIO_READ), MmioHandle::none);
    EXPECT_EQ(info.errorResult, MMIOERR_CANNOTOPEN);
    EXPECT_EQ(mmioOpen(a, nullptr, MMIO_EXIST), MmioHandle::none);
    MmioHandle h = mmioOpen(a, nullptr, MMIO_WRITE | MMIO_CREATE);
    ASSERT_NE(h, MmioHandle::none);
    EXPECT_EQ(mmioRead(h, &info, 1), -1); // opened for writing only
    mmioClose(h);
    EXPECT_EQ(mmioOpen(a, nullptr, MMIO_EXIST), MmioHandle{1});
    EXPECT_EQ(mmioRename(a, dir.file("b.txt")), 0u);
    EXPECT_EQ(mmioOpen(dir.file("B.TXT"), nullptr, MMIO_DELETE), MmioHandle{1});
    EXPECT_EQ(mmioOpen(dir.file("b.txt"), nullptr, MMIO_EXIST), MmioHandle::none);
}

std::vector<std::string> calls;

intptr_t recordingProc(uint32_t message, MmioInfo* info, intptr_t parameter1, intptr_t) {
    calls.push_back(
        std::to_string(message) +
        (message == MMIOM_OPEN ? std::string(" ") + reinterpret_cast<const char*>(parameter1) : ""));
    if (message == MMIOM_READ) {
        info->diskOffset += 1;
        return 1;
    }
    return 0;
}

TEST(MmioRouting, CompoundNamesGoToTheProcedureOfTheirExtension) {
    constexpr FourCC code = mmioFourCC('T', 'S', 'T', ' ');
    EXPECT_EQ(mmioInstallIOProc(code, recordingProc, MMIO_INSTALLPROC | MMIO_GLOBALPROC), recordingProc);
    EXPECT_EQ(mmioInstallIOProc(code, nullptr, MMIO_FINDPROC), recordingProc);
    calls.clear();
    MmioHandle h = mmioOpen("dir\\box.tst+member.wav", nullptr, MMIO_READ);
    ASSERT_NE(h, MmioHandle::none);
    char byte;
    EXPECT_EQ(mmioRead(h, &byte, 1), 1);
    EXPECT_EQ(mmioClose(h), 0u);
    EXPECT_EQ(calls, (std::vector<std::string>{"3 dir\\box.tst+member.wav", "0", "4"}));

    // The procedure named in the open is used whatever the name.
    calls.clear();
    MmioInfo info;
    info.ioProcCode = code;
    h = mmioOpen("plain", &info, MMIO_READ);
    EXPECT_NE(h, MmioHandle::none);
    mmioClose(h);
    EXPECT_EQ(calls.size(), 2u);

    EXPECT_EQ(mmioInstallIOProc(code, recordingProc, MMIO_REMOVEPROC), recordingProc);
    EXPECT_EQ(mmioInstallIOProc(code, nullptr, MMIO_FINDPROC), nullptr);
}

TEST(MmioRouting, PlusSignsWithoutAProcedureAreOrdinaryNames) {
    test::TempDir dir;
    std::string name = dir.write("c++ notes.txt+draft", "text");
    MmioHandle h = mmioOpen(name, nullptr, MMIO_READ);
    ASSERT_NE(h, MmioHandle::none);
    char buffer[4];
    EXPECT_EQ(mmioRead(h, buffer, 4), 4);
    mmioClose(h);
}

} // namespace
} // namespace q71
