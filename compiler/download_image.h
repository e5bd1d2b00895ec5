// The download image: the compiled project as the lines the unit's flash
// loader reads, section marker lines and data lines "A|w1|w2|...|\".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k7 {

constexpr uint32_t FlashBase = 0x40000;
constexpr uint32_t FlashBytes = 0x40000; // 262144
constexpr const char* ImageFileName = "Intermed.Obj";

struct DownloadImage {
    std::vector<std::string> Lines;

    void Add(const std::string& line) { Lines.push_back(line); }
    void Clear() { Lines.clear(); }
};

// Upper-case hexadecimal without leading zeros ("0" for zero).
std::string HexWord(uint32_t value);

// Builds the data lines of one record: fields are appended one word at a
// time; once a line passes its length limit after a field it is closed
// and the next line starts with the address of the next word. With no
// image (the first pass) nothing is added anywhere.
class RecordLines {
  public:
    RecordLines(DownloadImage* image, uint32_t address, size_t limit);

    // Appends field + "|"; nextAddress is the address of the word after it.
    void Field(const std::string& field, uint32_t nextAddress);
    // Closes the current line with "\" and adds it, even when it holds no field.
    void Close();
    const std::string& Current() const { return line_; }
    // The limit for the fields that follow.
    void SetLimit(size_t limit) { limit_ = limit; }

  private:
    DownloadImage* image_;
    size_t limit_;
    std::string line_;
};

// Writes the image whole beside path first, then replaces path; empty on
// success, otherwise a message naming the file.
std::string WriteImageFile(const std::string& path, const DownloadImage& image);

} // namespace k7
