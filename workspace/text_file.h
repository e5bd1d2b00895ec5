// Whole-file text reading and writing. Every file of the system is a list
// of lines ended by CR LF; files are replaced only after the new content
// has been written completely.
#pragma once

#include <string>
#include <vector>

namespace k7 {

struct TextFile {
    bool Ok = false;
    std::vector<std::string> Lines; // without line ends
    std::string Error;              // why the file could not be read
};

// Reads a file as lines; accepts CR LF and bare LF line ends.
TextFile ReadTextLines(const std::string& path);

// Writes lines each followed by CR LF to a temporary file beside path and
// renames it over path. Returns an empty string on success, otherwise a
// message naming the file.
std::string WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
std::string WriteTextContent(const std::string& path, const std::string& content);

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
