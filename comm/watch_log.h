// "Log to CSV...": every poll of the watch window appended to a file the
// person chooses, one line per poll, written through at once so that the
// lines already logged survive the program stopping.
#pragma once

#include "comm/watch_trend.h"

#include <cstdio>
#include <string>
#include <vector>

namespace k7 {

// One poll as a CSV line, without line end: the time text, then the name
// and the value of every named slot in slot order. A field holding a comma,
// a quote or a line break is quoted, with its quotes doubled.
std::string WatchLogLine(const std::string& timeText, const std::vector<WatchSlotValue>& values);
std::string CsvField(const std::string& text);

class WatchLog {
  public:
    WatchLog() = default;
    ~WatchLog();
    WatchLog(const WatchLog&) = delete;
    WatchLog& operator=(const WatchLog&) = delete;

    // Opens path for appending (an existing log grows). Empty on success,
    // otherwise the reason, and no log is open.
    std::string Open(const std::string& path);
    void Close();
    bool IsOpen() const { return File != nullptr; }
    const std::string& Path() const { return FilePath; }

    // Appends one line ended by CR LF and flushes it to the file. Empty on
    // success; a failed write closes the log and gives the reason.
    std::string Append(const std::string& timeText, const std::vector<WatchSlotValue>& values);
    int LinesWritten() const { return Lines; }

  private:
    std::FILE* File = nullptr;
    std::string FilePath;
    int Lines = 0;
};

} // namespace k7
