// Workstation settings: the three working folders, the serial-line choices,
// two switches and the recent-project list, kept in K7Setup.ini by line
// position.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace k7 {

constexpr const char* DefaultPreferenceString = "0400311";
constexpr int RecentProjectLimit = 10;

struct WorkspaceSettings {
    std::string ProgramFolder; // not stored; ends with a separator
    std::string SystemFolder;
    std::string ProjectFolder;
    std::string BasicFolder;
    int PortIndex = 0;       // "COM1".."COM8"
    int BaudIndex = 4;       // 300 .. 38,400
    int ProtocolIndex = 0;   // ASCII, XModem
    int ParityIndex = 0;     // None, Odd, Even, Mark
    int WordLengthIndex = 3; // 5..8 data bits
    bool SortModulesBeforeCompile = true;
    bool FlagDuplicateDbNames = true;
    std::vector<std::string> RecentProjects; // most recent first
};

// The six lines of a default settings file for a program folder.
std::vector<std::string> DefaultSettingsLines(const std::string& programFolder);
// The lines SaveSettings writes.
std::vector<std::string> SettingsLines(const WorkspaceSettings& settings);

// Fills the seven preference fields; a string shorter than 7 characters is
// replaced whole by the default, a character that is not a valid index
// takes the default digit of its position.
void ApplyPreferenceString(const std::string& preferences, WorkspaceSettings& settings);
std::string PreferenceString(const WorkspaceSettings& settings);

// Where K7Setup.ini lives: in the program folder when that folder can be
// written, otherwise in the user's configuration folder
// ($XDG_CONFIG_HOME/K7Studio/, by default ~/.config/K7Studio/), made when
// missing. folderWritable answers whether a folder can be written; the
// file system's answer unless a caller (a test) gives another.
using FolderWritableCheck = std::function<bool(const std::string& folder)>;
std::string SettingsFilePath(const std::string& programFolder,
                             const FolderWritableCheck& folderWritable = {});

struct SettingsLoad {
    WorkspaceSettings Settings;
    std::vector<std::string> Messages; // problems found, each naming the file
};

// Reads the settings file, writing the default one first when it is missing.
SettingsLoad LoadSettings(const std::string& programFolder, const std::string& settingsPath);

// Writes the whole file anew; empty string on success, otherwise the message.
std::string SaveSettings(const WorkspaceSettings& settings, const std::string& settingsPath);

// Moves or inserts path at the top; keeps the ten most recent. Returns true
// when the list (and so the menu) changed.
bool AddRecentProject(WorkspaceSettings& settings, const std::string& path);

// Entries the recent-project menu shows: at most ten captions.
std::vector<std::string> RecentMenuEntries(const WorkspaceSettings& settings);

} // namespace k7
