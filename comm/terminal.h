// The terminal page's text: what the unit prints in ASCII mode, at most 25
// lines, plus the status lines of the download. While it shows the unit's
// output it watches for the identification line ("Revision Version 5.62")
// and remembers the unit's OS version.
#pragma once

#include "comm/serial_port.h"

#include <string>
#include <vector>

namespace k7 {

constexpr int TerminalLineLimit = 25;
// A line without a carriage return in this many characters (a unit that
// only sends noise) is broken, so the 25 lines stay bounded in memory.
constexpr std::size_t TerminalLineLengthLimit = 4096;
constexpr std::size_t UnitOsVersionLength = 4;

class Terminal {
  public:
    Terminal();

    // A key typed in the terminal: trims the text to 25 lines when it holds
    // more, then sends the key's byte. The key is not shown here: the
    // unit's echo shows it. Returns whether the byte was written.
    bool TerminalKey(char key, TSeComm32& port);
    // One batch of bytes the unit printed. Returns the display text it
    // added: every carriage return becomes CR LF, line feeds are dropped.
    std::string TerminalOutput(const std::string& bytes);
    // Status text (lines end with "\r\n"); the caller trims afterwards.
    void AppendText(const std::string& text);
    void AppendLine(const std::string& line) { AppendText(line + "\r\n"); }
    // Deletes first lines while more than `limit` remain.
    void CutToLastLines(int limit = TerminalLineLimit);
    // Empties the text; UnitOsVersion stays.
    void Clear();

    int LineCount() const;
    std::vector<std::string> Lines() const;
    std::string Text() const;
    const std::string& CurrentLine() const { return Received; }

    // Four characters once an identification line has been seen, empty
    // before; kept for the rest of the run.
    const std::string& UnitOsVersion() const { return OsVersion; }

  private:
    void AddDisplayChar(char c);
    void BreakDisplayLine();
    void LineCompleted();

    std::vector<std::string> TextLines; // the last one is the open line
    std::string Received;               // unit output since the last CR
    std::string OsVersion;
};

// The version named by an identification line: its first three words
// (blank-separated) are "Revision", "Version" and four characters.
// Empty for any other line.
std::string IdentifiedOsVersion(const std::string& line);

} // namespace k7
