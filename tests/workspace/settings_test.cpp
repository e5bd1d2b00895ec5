#include "tests/support/bytes.h"
#include "tests/support/small_library.h"
#include "tests/support/temporary_folder.h"
#include "workspace/settings.h"
#include "workspace/text_file.h"

using namespace k7;
using k7::test::TemporaryFolder;

TEST(Settings, FirstStartWritesTheSixDefaultLines) {
    TemporaryFolder dir;
    const std::string path = dir.File("K7Setup.ini");
    SettingsLoad load = LoadSettings(dir.Folder(), path);
    EXPECT_TRUE(load.Messages.empty());
    const std::string p = dir.Folder();
    EXPECT_EQ(test::ReadBytes(path), test::CrLf({p + "K7System/", p + "K7Projct/", p + "K7Spares",
                                                 p + "K7Basic/", p + "K7Spares", "0400311"}));
    const WorkspaceSettings& s = load.Settings;
    EXPECT_EQ(s.SystemFolder, p + "K7System/");
    EXPECT_EQ(s.BasicFolder, p + "K7Basic/");
    EXPECT_EQ(s.PortIndex, 0);
    EXPECT_EQ(s.BaudIndex, 4);
    EXPECT_EQ(s.WordLengthIndex, 3);
    EXPECT_TRUE(s.SortModulesBeforeCompile);
    EXPECT_TRUE(s.FlagDuplicateDbNames);
    EXPECT_TRUE(s.RecentProjects.empty());
}

// An installed program's folder cannot be written: the settings go to the
// user's configuration folder, made on the way, with the same content.
TEST(Settings, AProgramFolderThatCannotBeWrittenSendsThemToTheConfigFolder) {
    TemporaryFolder program, config;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string before = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", (config.Folder() + "xdg").c_str(), 1);
    std::vector<std::string> asked;
    const std::string path = SettingsFilePath(program.Folder(), [&](const std::string& folder) {
        asked.push_back(folder);
        return false;
    });
    const std::string writable =
        SettingsFilePath(program.Folder(), [](const std::string&) { return true; });
    if (saved)
        setenv("XDG_CONFIG_HOME", before.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");

    EXPECT_EQ(asked, std::vector<std::string>{program.Folder()});
    EXPECT_EQ(path, config.Folder() + "xdg/K7Studio/K7Setup.ini");
    EXPECT_EQ(writable, program.File("K7Setup.ini"));
    SettingsLoad load = LoadSettings(program.Folder(), path);
    EXPECT_TRUE(load.Messages.empty());
    const std::string p = program.Folder();
    EXPECT_EQ(test::ReadBytes(path), test::CrLf({p + "K7System/", p + "K7Projct/", p + "K7Spares",
                                                 p + "K7Basic/", p + "K7Spares", "0400311"}));
    EXPECT_FALSE(std::filesystem::exists(program.File("K7Setup.ini")));
}

TEST(Settings, PreferenceStringRules) {
    WorkspaceSettings s;
    ApplyPreferenceString("1632200", s);
    EXPECT_EQ(s.PortIndex, 1);
    EXPECT_EQ(s.BaudIndex, 6);
    EXPECT_EQ(s.ProtocolIndex, 0); // 3 is not a protocol: the default digit
    EXPECT_EQ(s.ParityIndex, 2);
    EXPECT_EQ(s.WordLengthIndex, 2);
    EXPECT_FALSE(s.SortModulesBeforeCompile);
    EXPECT_FALSE(s.FlagDuplicateDbNames);
    EXPECT_EQ(PreferenceString(s), "1602200");

    // Too short: the whole string is replaced by the default.
    ApplyPreferenceString("12", s);
    EXPECT_EQ(PreferenceString(s), "0400311");

    // Any character but "0" sets a switch; a non-digit index takes the
    // default digit of its position.
    ApplyPreferenceString("x9Z?3ab", s);
    EXPECT_EQ(PreferenceString(s), "0400311");
    ApplyPreferenceString("7000300", s);
    EXPECT_EQ(s.PortIndex, 7);
    EXPECT_EQ(s.WordLengthIndex, 3);
}

TEST(Settings, ReadsFoldersAndEveryRecentLine) {
    TemporaryFolder dir;
    const std::string path = dir.File("K7Setup.ini");
    std::vector<std::string> lines = {"/s/", "/p/", "Spare", "/b/", "Spare", "2500101"};
    for (int i = 0; i < 12; ++i)
        lines.push_back("/p/project" + std::to_string(i) + ".tvr");
    test::WriteBytes(path, test::CrLf(lines));
    SettingsLoad load = LoadSettings(dir.Folder(), path);
    EXPECT_EQ(load.Settings.SystemFolder, "/s/");
    EXPECT_EQ(load.Settings.ProjectFolder, "/p/");
    EXPECT_EQ(load.Settings.BasicFolder, "/b/");
    EXPECT_EQ(load.Settings.PortIndex, 2);
    EXPECT_FALSE(load.Settings.SortModulesBeforeCompile);
    // No limit when loading; the menu shows ten.
    EXPECT_EQ(load.Settings.RecentProjects.size(), 12u);
    EXPECT_EQ(RecentMenuEntries(load.Settings).size(), 10u);

    // Saving writes "Spare" in lines 3 and 5 and the whole recent list.
    ASSERT_EQ(SaveSettings(load.Settings, path), "");
    EXPECT_EQ(test::ReadBytes(path), test::CrLf(lines));
}

TEST(Settings, ShortOrUnreadableFilesFallBackToDefaults) {
    TemporaryFolder dir;
    const std::string path = dir.File("K7Setup.ini");
    test::WriteBytes(path, "/s/\r\n");
    SettingsLoad load = LoadSettings(dir.Folder(), path);
    ASSERT_EQ(load.Messages.size(), 1u);
    EXPECT_NE(load.Messages[0].find(path), std::string::npos);
    EXPECT_EQ(load.Settings.SystemFolder, "/s/");
    EXPECT_EQ(load.Settings.ProjectFolder, dir.Folder() + "K7Projct/");
    EXPECT_EQ(PreferenceString(load.Settings), "0400311");

    EXPECT_NE(SaveSettings(load.Settings, dir.File("missing/folder/K7Setup.ini")), "");
}

TEST(RecentProjects, MoveToTopAndKeepTen) {
    WorkspaceSettings s;
    EXPECT_TRUE(AddRecentProject(s, "/a.tvr"));
    EXPECT_FALSE(AddRecentProject(s, "/a.tvr")); // already on top: unchanged
    AddRecentProject(s, "/b.tvr");
    AddRecentProject(s, "/c.tvr");
    EXPECT_EQ(s.RecentProjects, (std::vector<std::string>{"/c.tvr", "/b.tvr", "/a.tvr"}));
    // Opening the third entry moves it up and shifts the first two down.
    EXPECT_TRUE(AddRecentProject(s, "/a.tvr"));
    EXPECT_EQ(s.RecentProjects, (std::vector<std::string>{"/a.tvr", "/c.tvr", "/b.tvr"}));
    // Comparison is exact.
    AddRecentProject(s, "/A.tvr");
    EXPECT_EQ(s.RecentProjects.front(), "/A.tvr");
    EXPECT_EQ(s.RecentProjects.size(), 4u);

    for (int i = 0; i < 10; ++i)
        AddRecentProject(s, "/n" + std::to_string(i) + ".tvr");
    ASSERT_EQ(s.RecentProjects.size(), 10u);
    EXPECT_EQ(s.RecentProjects.front(), "/n9.tvr");
    EXPECT_EQ(s.RecentProjects.back(), "/n0.tvr");
}
