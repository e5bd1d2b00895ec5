#include "comm/load_sequence_texts.h"

namespace k7 {

std::string ErasingSectorText(int sector) {
    return "Sending command to erase sector " + std::to_string(sector) + " please wait...";
}

std::string ImageLineTooLongText(std::size_t lineNumber, std::size_t maxLength) {
    return "Download image line " + std::to_string(lineNumber) + " is longer than " +
           std::to_string(maxLength) + " characters; nothing was sent.";
}

} // namespace k7
