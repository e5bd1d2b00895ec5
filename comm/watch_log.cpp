#include "comm/watch_log.h"

#include <cerrno>
#include <cstring>

namespace k7 {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string WatchLogLine(const std::string& timeText, const std::vector<WatchSlotValue>& values) {
    std::string line = CsvField(timeText);
    for (const WatchSlotValue& value : values)
        line += "," + CsvField(value.Name) + "," + CsvField(value.Value);
    return line;
}

WatchLog::~WatchLog() {
    Close();
}

std::string WatchLog::Open(const std::string& path) {
    Close();
    File = std::fopen(path.c_str(), "ab");
    if (!File)
        return "Cannot open " + path + ": " + std::strerror(errno);
    FilePath = path;
    Lines = 0;
    return {};
}

void WatchLog::Close() {
    if (File)
        std::fclose(File);
    File = nullptr;
}

std::string WatchLog::Append(const std::string& timeText,
                             const std::vector<WatchSlotValue>& values) {
    if (!File)
        return "No log file is open.";
    const std::string line = WatchLogLine(timeText, values) + "\r\n";
    if (std::fwrite(line.data(), 1, line.size(), File) != line.size() || std::fflush(File) != 0) {
        const std::string reason = "Cannot write " + FilePath + ": " + std::strerror(errno);
        Close();
        return reason;
    }
    ++Lines;
    return {};
}

} // namespace k7
