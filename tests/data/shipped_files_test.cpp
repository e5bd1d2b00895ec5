// The other files of the system folder: line endings, the documentation
// introduction blocks, the ladder cell pictures and the BASIC template.
#include "tests/data/data_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace k7 {
namespace {

std::vector<std::string> DataLines(const std::string& name) {
    const std::string text = test::ReadWholeFile(test::DataFolder() + name);
    std::string fault;
    std::vector<std::string> lines = test::SplitCrLfLines(text, fault);
    EXPECT_FALSE(text.empty()) << name;
    EXPECT_EQ(fault, "") << name;
    return lines;
}

TEST(ShippedFiles, TextFilesEndEveryLineWithCrLf) {
    for (const char* name : {"K7MODDEF.TXT", "Docintro.TXT", "K7Basic.Tpl"}) {
        const std::string text = test::ReadWholeFile(test::DataFolder() + name);
        std::string fault;
        test::SplitCrLfLines(text, fault);
        EXPECT_FALSE(text.empty()) << name;
        EXPECT_EQ(fault, "") << name;
    }
}

// The lines after the first line starting with "!" + letter, up to the next
// line of more than two characters starting with "!".
std::vector<std::string> IntroBlock(const std::vector<std::string>& lines, char letter) {
    std::vector<std::string> block;
    size_t i = 0;
    while (i < lines.size() &&
           !(lines[i].size() >= 2 && lines[i][0] == '!' && lines[i][1] == letter))
        ++i;
    if (i == lines.size())
        return block;
    for (++i; i < lines.size(); ++i) {
        if (lines[i].size() > 2 && lines[i][0] == '!')
            break;
        block.push_back(lines[i]);
    }
    return block;
}

TEST(ShippedFiles, DocumentationIntroductionHasEveryBlock) {
    const std::vector<std::string> lines = DataLines("Docintro.TXT");
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 79u) << line;
        // A marker must be long enough to also end the block before it.
        if (!line.empty() && line[0] == '!') {
            EXPECT_GT(line.size(), 2u) << line;
        }
    }
    std::set<std::vector<std::string>> distinct;
    for (char letter : std::string("BCSIJMDTLXV")) {
        const std::vector<std::string> block = IntroBlock(lines, letter);
        int textLines = 0;
        for (const std::string& line : block)
            textLines += line.empty() ? 0 : 1;
        EXPECT_GE(textLines, 4) << "block " << letter;
        distinct.insert(block);
    }
    EXPECT_EQ(distinct.size(), 11u);
}

struct Bitmap {
    std::string Bytes;
    uint32_t Read(size_t at, int width) const {
        uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = value << 8 | static_cast<uint8_t>(Bytes.at(at + i));
        return value;
    }
    int Width() const { return static_cast<int>(Read(18, 4)); }
    int Height() const { return static_cast<int>(Read(22, 4)); }
    // Pixel (x, y) counted from the top left; rows are stored bottom first.
    bool Dark(int x, int y) const {
        const size_t rowBytes = (static_cast<size_t>(Width()) * 3 + 3) / 4 * 4;
        const size_t at = Read(10, 4) + (Height() - 1 - y) * rowBytes + x * 3;
        return static_cast<uint8_t>(Bytes.at(at)) + static_cast<uint8_t>(Bytes.at(at + 1)) +
                   static_cast<uint8_t>(Bytes.at(at + 2)) <
               384;
    }
};

TEST(ShippedFiles, CellPicturesShareTheLadderGeometry) {
    struct Cell {
        const char* Name;
        bool Symbol;    // contact or coil: drawn 11 pixels lower
        bool RungLeft;  // meets the cell on its left
        bool RungRight; // meets the cell on its right
        bool Up, Down;  // meets the cells above and below
    };
    const Cell cells[] = {
        {"CBlank.BMP", false, false, false, false, false},
        {"CLineH.BMP", false, true, true, false, false},
        {"CLineV.BMP", false, false, false, true, true},
        {"CDown.BMP", false, true, true, false, true},
        {"CUp.BMP", false, true, true, true, false},
        {"CAngle.BMP", false, true, false, true, false},
        {"CClosed.BMP", true, true, true, false, false},
        {"COpen.BMP", true, true, true, false, false},
        {"CCoil.BMP", true, true, true, false, false},
        {"CLeft.BMP", false, true, false, false, true},
    };
    const int lineHeight = 40;
    const int lineRung = 24;
    const int symbolDrop = 11;
    for (const Cell& cell : cells) {
        SCOPED_TRACE(cell.Name);
        Bitmap bmp{test::ReadWholeFile(test::DataFolder() + cell.Name)};
        ASSERT_GE(bmp.Bytes.size(), 54u);
        EXPECT_EQ(bmp.Bytes.substr(0, 2), "BM");
        EXPECT_EQ(bmp.Read(2, 4), bmp.Bytes.size());
        EXPECT_EQ(bmp.Read(14, 4), 40u); // plain info header
        EXPECT_EQ(bmp.Read(28, 2), 24u); // 24 bits a pixel
        EXPECT_EQ(bmp.Read(30, 4), 0u);  // not compressed
        ASSERT_EQ(bmp.Width(), 64);
        ASSERT_EQ(bmp.Height(), cell.Symbol ? lineHeight - symbolDrop : lineHeight);
        ASSERT_EQ(bmp.Read(10, 4) + 64u * 3 * bmp.Height(), bmp.Bytes.size());

        const int rung = cell.Symbol ? lineRung - symbolDrop : lineRung;
        EXPECT_EQ(bmp.Dark(0, rung), cell.RungLeft);
        EXPECT_EQ(bmp.Dark(63, rung), cell.RungRight);
        EXPECT_EQ(bmp.Dark(31, 0), cell.Up);
        EXPECT_EQ(bmp.Dark(31, bmp.Height() - 1), cell.Down);
    }
}

TEST(ShippedFiles, BasicTemplateDeclaresInputsAndOutputsBeforeItsCode) {
    const std::vector<std::string> lines = DataLines("K7Basic.Tpl");
    std::vector<std::string> sections;
    std::set<std::string> names;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '#') {
            sections.push_back(line);
            continue;
        }
        if (sections.empty() || line.rfind('\'', 0) == 0)
            continue;
        const std::string& section = sections.back();
        if (section != "#INPUTS" && section != "#OUTPUTS")
            continue;
        // The module view reads every line of these sections as a declaration.
        const size_t colon = line.find(':');
        ASSERT_NE(colon, std::string::npos) << line;
        EXPECT_GT(colon, 0u) << line;
        const std::string name = line.substr(colon + 1);
        EXPECT_FALSE(name.empty()) << line;
        EXPECT_TRUE(names.insert(name).second) << "declared twice: " << name;
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"#MODULE", "#INPUTS", "#OUTPUTS", "#CODE"}));
    EXPECT_GE(names.size(), 2u);
}

} // namespace
} // namespace k7
