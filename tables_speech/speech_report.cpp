#include "tables_speech/speech_report.h"

namespace k7 {

FormatDigits CountFormatDigits(const std::string& format) {
    const size_t point = format.find('.');
    if (point == std::string::npos)
        return {static_cast<uint32_t>(format.size()), 0};
    return {static_cast<uint32_t>(point), static_cast<uint32_t>(format.size() - point - 1)};
}

uint32_t FormatWord(const std::string& format) {
    const FormatDigits digits = CountFormatDigits(format);
    return 0xFF000000u + digits.Before * 256 + digits.After;
}

} // namespace k7
