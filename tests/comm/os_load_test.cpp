// The OS load: the image file's blocks after its first 16 KiB, the
// checksum record and its carry rule, and the refusal of unusable files.
#include "tests/comm/download_harness.h"
#include "tests/support/temporary_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace k7::test {
namespace {

std::string BlockFrame(std::uint32_t address, const std::string& bytes) {
    std::string data;
    data += static_cast<char>(address >> 24);
    data += static_cast<char>(address >> 16);
    data += static_cast<char>(address >> 8);
    data += static_cast<char>(address);
    return Frame(0xC8, 0x70, 0, 0, data + bytes);
}

struct OsLoad : ::testing::Test {
    TemporaryFolder Folder;
    std::string SystemFolder() const { return Folder.Folder(); }
    void WriteImage(const std::string& bytes, const std::string& name = "K7.DWN") {
        std::ofstream file(Folder.File(name), std::ios::binary);
        file << bytes;
    }
    // The boot area (never sent) filled with a pattern the unit must not see.
    static std::string BootArea() { return std::string(16384, '\x5A'); }
    std::unique_ptr<LoadHarness> Start(Answerer answer = AnswerAll()) {
        auto unit = std::make_unique<LoadHarness>(std::move(answer));
        unit->Sequence.SetSystemFolder(SystemFolder());
        return unit;
    }
};

TEST_F(OsLoad, BlocksFollowTheBootAreaThenChecksumAndRestart) {
    std::string first(128, '\0');
    std::string second(128, '\0');
    first[0] = '\x12';
    first[1] = '\x34';
    second[126] = '\x00';
    second[127] = '\x01';
    WriteImage(BootArea() + first + second);
    auto unit = Start();
    ASSERT_TRUE(unit->Sequence.SendOs());
    unit->Run();

    // Words 0x1234 and 0x0001, then 122749 erased words of 0xFFFF from
    // 0x4100 to 0x3FFF8: 0x1235 + 0x1DF7B2083, modulo 2^32.
    const std::string checksum("\xDF\x7B\x32\xB8", 4);
    std::vector<std::string> expected = {"\x12", "\x12", "\x12", Control(0x60)};
    for (int sector = 1; sector <= 6; ++sector)
        expected.push_back(Control(static_cast<std::uint8_t>(0x40 + sector)));
    expected.push_back(BlockFrame(0x4000, first));
    expected.push_back(BlockFrame(0x4080, second));
    expected.push_back(BlockFrame(0x3FFFC, checksum));
    expected.push_back(Control(' '));
    EXPECT_EQ(unit->Sent(), expected);
    // The checksum record as the unit's manual spells its header.
    EXPECT_EQ(unit->Sent()[12].substr(0, 9),
              std::string("\xC8\x0F\x70\x00\x00\x00\x03\xFF\xFC", 9));

    const auto lines = unit->TerminalLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[lines.size() - 4], "Sending OS security...");
    EXPECT_EQ(lines[lines.size() - 3], "OS load successful.");
    EXPECT_EQ(lines[lines.size() - 2], "Restarting K7 OS...");
    EXPECT_EQ(lines.back(), "Sequence terminated");
    EXPECT_EQ(unit->View.Captions.front(), "Load Progress:");
    EXPECT_EQ(unit->View.Labels.front(), "Loading Tav7/Tav3 OS...");
    // No version question for an OS load.
    EXPECT_TRUE(unit->Ui.Questions.empty());
    EXPECT_FALSE(unit->Sequence.OsFileOpen());
    EXPECT_EQ(unit->Sequence.Outcome(), LoadOutcome::Succeeded);
}

TEST_F(OsLoad, FileOfKBlocksGivesKFramesAtStepsOf128) {
    std::string blocks;
    for (int k = 0; k < 5; ++k)
        blocks += std::string(128, static_cast<char>('a' + k));
    WriteImage(BootArea() + blocks + std::string(6, 'z'), "k7.dwn");
    auto unit = Start();
    unit->Sequence.SendOs();
    unit->Run();
    std::vector<std::string> frames;
    for (const auto& item : unit->Sent())
        if (item.size() > 8 && static_cast<unsigned char>(item[2]) == 0x70)
            frames.push_back(item);
    ASSERT_EQ(frames.size(), 7u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(frames[k], BlockFrame(0x4000 + 128 * k, std::string(128, 'a' + k)));
    // A short last block goes out as it is.
    EXPECT_EQ(frames[5], BlockFrame(0x4280, "zzzzzz"));
    EXPECT_EQ(unit->View.Positions.back(), 0x4280 * 100 / 175000);
}

TEST_F(OsLoad, MissingImageIsReportedBeforeAnythingIsErased) {
    auto unit = Start();
    EXPECT_FALSE(unit->Sequence.SendOs());
    EXPECT_EQ(unit->Ui.Errors,
              std::vector<std::string>{"Cannot find file K7.DWN in " + SystemFolder()});
    EXPECT_TRUE(unit->Wire.Written.empty());
    EXPECT_TRUE(unit->Wire.OpenedPaths.empty());
}

TEST_F(OsLoad, ShortOddOrOversizedImagesAreRefused) {
    const std::string images[] = {std::string(16383, 'x'), BootArea() + "abc",
                                  std::string(0x3FFFE, 'x')};
    for (const auto& image : images) {
        WriteImage(image);
        auto unit = Start();
        EXPECT_FALSE(unit->Sequence.SendOs());
        ASSERT_EQ(unit->Ui.Errors.size(), 1u);
        EXPECT_EQ(unit->Ui.Errors[0].rfind("K7.DWN in " + SystemFolder(), 0), 0u)
            << unit->Ui.Errors[0];
        EXPECT_TRUE(unit->Wire.Written.empty());
    }
}

TEST_F(OsLoad, BootAreaAloneSendsOnlyTheChecksum) {
    WriteImage(BootArea());
    auto unit = Start();
    ASSERT_TRUE(unit->Sequence.SendOs());
    unit->Run();
    // 0x4000 to 0x3FFF8: 122877 erased words, 0x1DFFB2003 in all.
    EXPECT_EQ(unit->Count(BlockFrame(0x3FFFC, std::string("\xDF\xFB\x20\x03", 4))), 1);
    EXPECT_EQ(unit->Sequence.Outcome(), LoadOutcome::Succeeded);
}

TEST_F(OsLoad, UnansweredBlockClosesTheFileAndGivesUp) {
    WriteImage(BootArea() + std::string(256, '\x01'));
    auto unit = Start([](const std::string& frame) -> std::optional<std::string> {
        if (static_cast<unsigned char>(frame[2]) == 0x70)
            return std::nullopt;
        return UnitReply(0x01);
    });
    unit->Sequence.SendOs();
    unit->Run();
    EXPECT_EQ(unit->Count(BlockFrame(0x4000, std::string(128, '\x01'))), 5);
    EXPECT_EQ(unit->Count(BlockFrame(0x4080, std::string(128, '\x01'))), 0);
    EXPECT_EQ(unit->Ui.Errors, std::vector<std::string>{"K7 is not responding"});
    EXPECT_FALSE(unit->Sequence.OsFileOpen());
    EXPECT_FALSE(unit->View.ProgressVisible);
    EXPECT_EQ(unit->TerminalLines().back(), "Sequence terminated");
}

TEST_F(OsLoad, AnyRepeatedEraseEndsTheOsLoad) {
    WriteImage(BootArea() + std::string(128, '\x01'));
    bool dropped = false;
    auto unit = Start([&dropped](const std::string& frame) -> std::optional<std::string> {
        if (frame == Control(0x43) && !dropped) {
            dropped = true;
            return std::nullopt;
        }
        return UnitReply(0x01);
    });
    unit->Sequence.SendOs();
    unit->Run();
    // Sectors 1, 2, 3, 3 again, 4, 5, 6: the seventh command is the last.
    EXPECT_EQ(unit->Count(Control(0x46)), 1);
    EXPECT_EQ(unit->Ui.Errors, std::vector<std::string>{"K7 is not responding"});
    EXPECT_EQ(unit->Count(BlockFrame(0x4000, std::string(128, '\x01'))), 0);
}

TEST_F(OsLoad, CancelDuringBlocksClosesFileAndPort) {
    std::string blocks(128 * 20, '\x02');
    WriteImage(BootArea() + blocks);
    auto unit = Start();
    unit->Sequence.SendOs();
    while (!unit->Sequence.OsFileOpen() ||
           unit->Count(BlockFrame(0x4100, blocks.substr(0, 128))) == 0)
        unit->RunFor(1);
    unit->Sequence.CancelLoad();
    unit->RunFor(3000);
    EXPECT_FALSE(unit->Sequence.OsFileOpen());
    EXPECT_FALSE(unit->Port.PortOpen());
    EXPECT_FALSE(unit->Sequence.Running());
    EXPECT_EQ(unit->Sequence.Outcome(), LoadOutcome::Cancelled);
}

TEST(OsChecksumRule, SumsBigEndianWords) {
    OsChecksum sum;
    sum.AddBlock(std::string("\x12\x34\x56\x78\xFF", 5));
    // 0x1234 + 0x5678 + 0xFFFF (the odd byte with erased flash after it).
    EXPECT_EQ(sum.Value(), 0x1234u + 0x5678u + 0xFFFFu);
}

TEST(OsChecksumRule, CompletionCountsErasedWordsUpTo3FFF8) {
    OsChecksum sum;
    sum.Complete(0x3FFF8);
    EXPECT_EQ(sum.Value(), 0xFFFFu);
    sum.Reset();
    sum.Complete(0x3FFF4);
    EXPECT_EQ(sum.Value(), 3u * 0xFFFF);
    sum.Reset();
    // An odd start counts from the next even address.
    sum.Complete(0x3FFF7);
    EXPECT_EQ(sum.Value(), 0xFFFFu);
    sum.Reset();
    sum.Complete(0x3FFFA);
    EXPECT_EQ(sum.Value(), 0u);
}

TEST(OsChecksumRule, CarryPastTheTopBitIsMarkedInBit31) {
    // 0x7FFF0001 is above 0x7FFF0000: 0x80000000 comes off (wrapping to
    // 0xFFFF0001), the flag turns, 0xFFFF makes 0; the last word makes
    // 0xFFFF and the flag sets bit 31.
    OsChecksum sum;
    std::string words;
    for (int i = 0; i < 0x7FFF0001 / 0xFFFF; ++i)
        words += "\xFF\xFF";
    // 32767 words of 0xFFFF and one of 0x8000 make 0x7FFF0001.
    sum.AddBlock(words + std::string("\x80\x00", 2));
    ASSERT_EQ(sum.Value(), 0x7FFF0001u);
    sum.Complete(0x3FFF6);
    EXPECT_EQ(sum.Value(), 0x8000FFFFu);
}

TEST(OsChecksumRule, SumsStayBelowTheTopBitWithoutTheFlag) {
    OsChecksum sum;
    sum.AddBlock(std::string("\x7F\xFF\x00\x00", 4));
    sum.Complete(0x3FFF6);
    EXPECT_EQ(sum.Value(), 0x7FFFu + 2u * 0xFFFF);
}

} // namespace
} // namespace k7::test
