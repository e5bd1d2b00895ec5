#include "workspace/linescan.h"

#include <gtest/gtest.h>

using namespace k7;

TEST(LineScanner, TokensStopAtTheirDelimiterAndMovePastIt) {
    LineScanner scan;
    scan.SetLine("1|57,0,0,notes|System||$1A");
    scan.TokenToBar();
    EXPECT_EQ(scan.ScanToken, "1");
    scan.TokenToBar();
    EXPECT_EQ(scan.ScanToken, "57,0,0,notes");
    scan.TokenToBar();
    EXPECT_EQ(scan.ScanToken, "System");
    scan.TokenToBar();
    EXPECT_EQ(scan.ScanToken, "");
    scan.TokenToBar();
    EXPECT_EQ(scan.ScanToken, "$1A");
    EXPECT_TRUE(scan.AtLineEnd());
    scan.TokenToBar(); // past the end: empty, never out of the line
    EXPECT_EQ(scan.ScanToken, "");

    scan.SetLine("a.b");
    scan.TokenToPeriod();
    EXPECT_TRUE(scan.PeriodFound);
    scan.TokenToPeriod();
    EXPECT_EQ(scan.ScanToken, "b");
    EXPECT_FALSE(scan.PeriodFound);

    scan.SetLine(" \t Input A: X");
    scan.TokenToColon();
    EXPECT_EQ(scan.ScanToken, "Input A");
    scan.SetLine("   first second");
    scan.TokenToSpace();
    EXPECT_EQ(scan.ScanToken, "first");
    scan.TokenToSpace();
    EXPECT_EQ(scan.ScanToken, "second");
}

TEST(LineScanner, IdentifierSkipsBlanksAndStopsBeforeOtherCharacters) {
    LineScanner scan;
    scan.SetLine("  MSG$[20] \tX%=5");
    scan.TokenIdentifier();
    EXPECT_EQ(scan.ScanToken, "MSG$[20]X%");
    EXPECT_EQ(scan.ScanLine[scan.ScanPos - 1], '=');
}

TEST(LineScanner, StripCommentKeepsTheTextBeforeTheSemicolon) {
    LineScanner scan;
    scan.ScanToken = " \tLEVEL;@@@.@";
    scan.StripComment();
    EXPECT_EQ(scan.ScanToken, "LEVEL");
    scan.ScanToken = "  no comment";
    scan.StripComment();
    EXPECT_EQ(scan.ScanToken, "  no comment");
}

TEST(LineScanner, WholeFileReadingStopsAtTheLastLine) {
    std::vector<std::string> lines = {"one", "two"};
    LineScanner scan(lines);
    EXPECT_TRUE(scan.NextFileLine());
    EXPECT_EQ(scan.ScanLine, "one");
    EXPECT_TRUE(scan.NextFileLine());
    EXPECT_EQ(scan.LineNumber(), 2u);
    EXPECT_FALSE(scan.NextFileLine());
    EXPECT_EQ(scan.ScanLine, "");
    scan.StepBack();
    EXPECT_TRUE(scan.NextFileLine());
    EXPECT_EQ(scan.ScanLine, "two");
}

TEST(LineScanHelpers, HexNumbersAndNumberClasses) {
    EXPECT_EQ(HexValue("$1A00"), 0x1A00u);
    EXPECT_EQ(HexValue("$0"), 0u);
    EXPECT_EQ(HexValue("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(HexText(0), "0");
    EXPECT_EQ(HexText(0x2328), "2328");
    EXPECT_EQ(HexText(0xABCDEF01), "ABCDEF01");

    EXPECT_EQ(NumberClass(""), 0);
    EXPECT_EQ(NumberClass("-12"), 0);
    EXPECT_EQ(NumberClass("1.5"), 2);
    EXPECT_EQ(NumberClass("PUMP"), 1);
    EXPECT_EQ(NumberClass("PUMP.A"), 3);

    EXPECT_EQ(SubfieldAt("LEVEL;@@@.@", 1, ';'), "LEVEL");
    EXPECT_EQ(SubfieldAt("LEVEL;@@@.@", 7, ';'), "@@@.@");
    EXPECT_EQ(SubfieldAt("abc", 9, ';'), "");

    int32_t value = 0;
    EXPECT_TRUE(ParseDecimal("-42", value));
    EXPECT_EQ(value, -42);
    EXPECT_FALSE(ParseDecimal("", value));
    EXPECT_FALSE(ParseDecimal("12a", value));
    EXPECT_FALSE(ParseDecimal("99999999999", value));
}

TEST(Notes, TravelOnOneLine) {
    EXPECT_EQ(EncodeNotes("first\r\nsecond\r\nthird"), "first\\second\\third");
    EXPECT_EQ(DecodeNotes("first\\second\\third"), "first\r\nsecond\r\nthird");
    // Every line break, a lone LF or CR too, comes back as CR LF.
    EXPECT_EQ(DecodeNotes(EncodeNotes("a\nb\rc\r\n")), "a\r\nb\r\nc\r\n");
}
