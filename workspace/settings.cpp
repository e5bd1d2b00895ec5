#include "workspace/settings.h"

#include "workspace/text_file.h"

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace k7 {

std::vector<std::string> DefaultSettingsLines(const std::string& programFolder) {
    const char sep = PathSeparator();
    return {programFolder + "K7System" + sep, programFolder + "K7Projct" + sep,
            programFolder + "K7Spares",       programFolder + "K7Basic" + sep,
            programFolder + "K7Spares",       DefaultPreferenceString};
}

std::string PreferenceString(const WorkspaceSettings& s) {
    std::string text;
    for (int index : {s.PortIndex, s.BaudIndex, s.ProtocolIndex, s.ParityIndex, s.WordLengthIndex})
        text += std::to_string(index);
    text += s.SortModulesBeforeCompile ? '1' : '0';
    text += s.FlagDuplicateDbNames ? '1' : '0';
    return text;
}

std::vector<std::string> SettingsLines(const WorkspaceSettings& s) {
    std::vector<std::string> lines = {s.SystemFolder, s.ProjectFolder, "Spare",
                                      s.BasicFolder,  "Spare",         PreferenceString(s)};
    lines.insert(lines.end(), s.RecentProjects.begin(), s.RecentProjects.end());
    return lines;
}

// One digit of the preference string as an index below limit; the default
// digit of that position otherwise.
static int IndexDigit(char c, int limit, int fallback) {
    if (c >= '0' && c <= '9' && c - '0' < limit)
        return c - '0';
    return fallback;
}

void ApplyPreferenceString(const std::string& preferences, WorkspaceSettings& s) {
    const std::string defaults = DefaultPreferenceString;
    const std::string p = preferences.size() < 7 ? defaults : preferences;
    s.PortIndex = IndexDigit(p[0], 8, defaults[0] - '0');
    s.BaudIndex = IndexDigit(p[1], 7, defaults[1] - '0');
    s.ProtocolIndex = IndexDigit(p[2], 2, defaults[2] - '0');
    s.ParityIndex = IndexDigit(p[3], 4, defaults[3] - '0');
    s.WordLengthIndex = IndexDigit(p[4], 4, defaults[4] - '0');
    s.SortModulesBeforeCompile = p[5] != '0';
    s.FlagDuplicateDbNames = p[6] != '0';
}

static bool FolderWritable(const std::string& folder) {
    return access((folder.empty() ? "." : folder.c_str()), W_OK) == 0;
}

std::string SettingsFilePath(const std::string& programFolder,
                             const FolderWritableCheck& folderWritable) {
    const std::string inProgramFolder = programFolder + "K7Setup.ini";
    if (folderWritable ? folderWritable(programFolder) : FolderWritable(programFolder))
        return inProgramFolder;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::string(home) + "/.config";
    else
        return inProgramFolder;
    const std::string folder = WithTrailingSeparator(config) + "K7Studio/";
    mkdir(config.c_str(), 0755);
    mkdir(folder.c_str(), 0755);
    return folder + "K7Setup.ini";
}

SettingsLoad LoadSettings(const std::string& programFolder, const std::string& settingsPath) {
    SettingsLoad load;
    WorkspaceSettings& s = load.Settings;
    s.ProgramFolder = programFolder;

    std::vector<std::string> lines;
    if (!FileExists(settingsPath)) {
        lines = DefaultSettingsLines(programFolder);
        std::string error = WriteTextLines(settingsPath, lines);
        if (!error.empty())
            load.Messages.push_back(error);
    } else {
        TextFile file = ReadTextLines(settingsPath);
        if (!file.Ok)
            load.Messages.push_back(file.Error);
        lines = file.Lines;
    }

    const auto defaults = DefaultSettingsLines(programFolder);
    if (lines.size() < 6) {
        if (FileExists(settingsPath))
            load.Messages.push_back(
                settingsPath + " has " + std::to_string(lines.size()) +
                " lines instead of at least 6; defaults are used for the rest.");
        for (size_t i = lines.size(); i < 6; ++i)
            lines.push_back(defaults[i]);
    }
    s.SystemFolder = lines[0];
    s.ProjectFolder = lines[1];
    s.BasicFolder = lines[3];
    ApplyPreferenceString(lines[5], s);
    s.RecentProjects.assign(lines.begin() + 6, lines.end());
    return load;
}

std::string SaveSettings(const WorkspaceSettings& settings, const std::string& settingsPath) {
    return WriteTextLines(settingsPath, SettingsLines(settings));
}

bool AddRecentProject(WorkspaceSettings& s, const std::string& path) {
    auto& list = s.RecentProjects;
    if (list.empty()) {
        list.push_back(path);
        return true;
    }
    auto found = std::find(list.begin(), list.end(), path);
    if (found == list.begin())
        return false;
    if (found != list.end())
        list.erase(found);
    list.insert(list.begin(), path);
    while (list.size() > static_cast<size_t>(RecentProjectLimit))
        list.erase(list.begin() + RecentProjectLimit);
    return true;
}

std::vector<std::string> RecentMenuEntries(const WorkspaceSettings& s) {
    size_t count = std::min(s.RecentProjects.size(), static_cast<size_t>(RecentProjectLimit));
    return {s.RecentProjects.begin(), s.RecentProjects.begin() + count};
}

} // namespace k7
