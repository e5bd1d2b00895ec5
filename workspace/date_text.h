// The date and time text written into project headers, image headers and
// documentation files: the workstation's short date and long time format,
// or "dd/MM/yyyy hh:mm:ss" when the locale gives none.
#pragma once

#include <ctime>
#include <string>

namespace k7 {

// Formats t in the LC_TIME locale in effect (the caller selects it with
// setlocale(LC_TIME, "")); the plain "C" locale counts as giving none.
std::string DateTimeText(const std::tm& t);
// "dd/MM/yyyy hh:mm:ss".
std::string FixedDateTimeText(const std::tm& t);
// The current local date and time as DateTimeText.
std::string NowDateTimeText();

} // namespace k7
