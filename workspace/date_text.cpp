#include "workspace/date_text.h"

#include <clocale>
#include <cstring>

namespace k7 {

std::string FixedDateTimeText(const std::tm& t) {
    char text[64];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &t);
    return text;
}

std::string DateTimeText(const std::tm& t) {
    const char* locale = std::setlocale(LC_TIME, nullptr);
    if (!locale || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0)
        return FixedDateTimeText(t);
    char text[128];
    if (std::strftime(text, sizeof text, "%x %X", &t) == 0)
        return FixedDateTimeText(t);
    return text;
}

std::string NowDateTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateTimeText(local);
}

} // namespace k7
