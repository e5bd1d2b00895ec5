// The line scanner shared by every line-based format of the system: the
// project file, the module library, the download image, BASIC object files.
// It walks one line at a time, cutting tokens at a delimiter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k7 {

class LineScanner {
  public:
    LineScanner() = default;
    explicit LineScanner(const std::vector<std::string>& lines) : lines_(&lines) {}

    // Whole-file reading: true while a line is left at the line index.
    bool HasNextLine() const { return lines_ && lineIndex_ < lines_->size(); }
    // ScanLine := the line at the line index, ScanPos := 1, index + 1.
    // Past the last line it loads an empty line and returns false.
    bool NextFileLine();
    // Steps the line index back by one line.
    void StepBack() {
        if (lineIndex_ > 0)
            --lineIndex_;
    }
    size_t LineIndex() const { return lineIndex_; }  // index of the next line
    size_t LineNumber() const { return lineIndex_; } // 1-based number of the current line

    // Scanning a single line.
    void SetLine(const std::string& line) {
        ScanLine = line;
        ScanPos = 1;
    }
    bool AtLineEnd() const { return ScanPos > ScanLine.size(); }

    void TokenToBar() { TokenTo('|'); }
    void TokenToComma() { TokenTo(','); }
    void TokenToPeriod() { PeriodFound = TokenTo('.'); }
    void TokenToColon();
    void TokenToSpace();
    void TokenIdentifier();
    void StripComment();

    std::string ScanLine;
    size_t ScanPos = 1; // 1-based
    std::string ScanToken;
    bool PeriodFound = false;

  private:
    bool TokenTo(char delimiter);

    const std::vector<std::string>* lines_ = nullptr;
    size_t lineIndex_ = 0;
};

// Value of a hexadecimal text; "$" is skipped, "0".."9" and "A".."F" are
// digits, any other character is passed over.
uint32_t HexValue(const std::string& text);
// Upper-case hexadecimal without leading zeros ("0" for zero).
std::string HexText(uint32_t value);
// The characters of text from position (1-based) up to the delimiter or the end.
std::string SubfieldAt(const std::string& text, size_t position, char delimiter);
// 0: only digits and "-" (or empty); 2: also "."; 1: other characters and no
// "."; 3: other characters and ".".
int NumberClass(const std::string& text);
// Decimal integer text (optional sign, digits only); false otherwise or on overflow.
bool ParseDecimal(const std::string& text, int32_t& value);

// The fields of a stored record line, cut at every "|" as TokenToBar cuts
// them: a closing "|" does not open an empty last field.
std::vector<std::string> BarFields(const std::string& line);

// Multi-line notes on one line: every line break (CR LF, CR or a lone LF)
// becomes "\"; and back, every "\" becomes CR LF.
std::string EncodeNotes(const std::string& notes);
std::string DecodeNotes(const std::string& encoded);

} // namespace k7
