// Whole-file text reading and writing. Every file of the system is a list
// of lines ended by CR LF; files are replaced only after the new content
// has been written completely.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace k7 {

struct TextFile {
    bool Ok = false;
    std::vector<std::string> Lines; // without line ends
    std::string Error;              // why the file could not be read
    // Reading stopped at the first line past a LineLimits bound: Lines ends
    // with that line (an overlong one cut to MaxLineLength + 1 characters),
    // so whoever set the bound can name it.
    bool Cut = false;
};

// The largest file read as text: every text file of the system is far
// smaller; a larger file is refused before it is read, and a pipe or a
// device that sends more is refused when it passes the bound.
constexpr long long MaxTextFileBytes = 64LL * 1024 * 1024;

// Bounds of a file that a reader refuses when passed; reading stops at
// the first line beyond them instead of reading the rest.
struct LineLimits {
    size_t MaxLines = static_cast<size_t>(-1);
    size_t MaxLineLength = static_cast<size_t>(-1);
};

// Reads a file as lines; accepts CR LF and bare LF line ends.
TextFile ReadTextLines(const std::string& path, LineLimits limits = {});

// Why path cannot be read as a text file (missing, a folder, too large),
// without reading it; empty when it can be opened.
std::string TextFileProblem(const std::string& path);

// Writes lines each followed by CR LF to a temporary file beside path and
// renames it over path. Returns an empty string on success, otherwise a
// message naming the file.
std::string WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
std::string WriteTextContent(const std::string& path, const std::string& content);

// Every file the system writes whole goes through WriteTextContent: the
// content goes to path + ".k7tmp" in the same folder, is flushed to the
// disk and renamed over path, so that a failure at any step leaves the old
// file as it was. The steps, in order:
enum class WriteStep { Create, Write, Flush, Rename };
// A fault for tests: called before each step with the file's final path;
// a non-zero errno value makes that step fail as the system would report
// it (a failing Write has written half the content first). An empty
// function removes the fault.
using WriteFault = std::function<int(WriteStep step, const std::string& path)>;
void SetWriteFault(WriteFault fault);

bool FileExists(const std::string& path);

// folder + name when that file exists; otherwise the first file of folder
// whose name matches name ignoring case; otherwise folder + name.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

// The platform's path separator, and helpers that treat both "/" and "\"
// as separators in names read from files.
char PathSeparator();
std::string WithTrailingSeparator(const std::string& folder);
std::string FileNamePart(const std::string& path); // text after the last "/" or "\"
std::string FolderPart(const std::string& path);   // up to and including that separator
// Replaces the extension of the file name itself (text after the last "."
// of the last path component); adds one when there is none.
std::string ReplaceExtension(const std::string& path, const std::string& newExtension);
// The extension of the last path component without its ".", empty if none.
std::string ExtensionOf(const std::string& path);

} // namespace k7
