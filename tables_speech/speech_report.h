// How the unit is told to speak a number: the format words of the speech
// compile. The stored report lines and cells are read in
// workspace/speech_record.h.
#pragma once

#include "workspace/speech_record.h"

#include <cstdint>
#include <string>

namespace k7 {

// Digits before and after the point of a format ("@@@.@@" gives 3 and 2;
// a format without "." counts all its characters before the point).
struct FormatDigits {
    uint32_t Before = 0;
    uint32_t After = 0;
};
FormatDigits CountFormatDigits(const std::string& format);
// The word that tells the unit how to speak a number: FF000000 + before x
// 256 + after.
uint32_t FormatWord(const std::string& format);

} // namespace k7
