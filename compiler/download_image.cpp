#include "compiler/download_image.h"

#include "workspace/linescan.h"
#include "workspace/text_file.h"

namespace k7 {

std::string HexWord(uint32_t value) {
    return HexText(value);
}

RecordLines::RecordLines(DownloadImage* image, uint32_t address, size_t limit)
    : image_(image), limit_(limit), line_(HexWord(address) + "|") {}

void RecordLines::Field(const std::string& field, uint32_t nextAddress) {
    line_ += field;
    line_ += '|';
    if (line_.size() > limit_) {
        Close();
        line_ = HexWord(nextAddress) + "|";
    }
}

void RecordLines::Close() {
    if (image_)
        image_->Add(line_ + "\\");
    line_.clear();
}

std::string WriteImageFile(const std::string& path, const DownloadImage& image) {
    return WriteTextLines(path, image.Lines);
}

} // namespace k7
