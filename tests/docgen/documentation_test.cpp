#include "docgen/documentation.h"

#include "tests/docgen/doc_fixture.h"
#include "tests/support/bytes.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/temporary_folder.h"
#include "workspace/text_file.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

using test::DocIntroLines;
using test::DocLibrary;

constexpr const char* FixedDate = "01/02/2024 10:20:30";

// A progress panel that records what it was told.
class RecordingProgress : public ProgressPanel {
  public:
    std::string Caption;
    std::vector<std::string> Labels;
    std::vector<std::string> RepeatLabels;
    std::vector<int> Positions;
    std::vector<bool> Visible;
    std::vector<BarColour> Colours;
    std::string StatusMessage;

    void SetCaption(const std::string& caption) override { Caption = caption; }
    void SetLabel(const std::string& label) override { Labels.push_back(label); }
    void SetRepeatLabel(const std::string& label) override { RepeatLabels.push_back(label); }
    void SetPosition(int percent) override { Positions.push_back(percent); }
    void SetBarColour(BarColour colour) override { Colours.push_back(colour); }
    void SetStatusMessage(const std::string& message) override { StatusMessage = message; }
    void Show(bool visible) override { Visible.push_back(visible); }
};

// The expected file as the unit's text files hold it: every line ended by CR LF.
std::string ExpectedFile(const std::string& name) {
    TextFile file = ReadTextLines(std::string(K7_DOCGEN_EXPECTED_DIR) + name);
    EXPECT_TRUE(file.Ok) << file.Error;
    std::string content;
    for (const std::string& line : file.Lines)
        content += line + "\r\n";
    return content;
}

// A workspace whose system folder holds the test introduction file.
struct DocWorkspace {
    test::ScriptedUi ui;
    Workspace workspace{ui, [] { return std::string(FixedDate); }};
    test::TemporaryFolder temporary;
    std::string folder = temporary.Folder();

    DocWorkspace(Project project, bool withIntro = true) {
        workspace.settings.SystemFolder = folder;
        workspace.settings.SortModulesBeforeCompile = true;
        workspace.library = DocLibrary();
        workspace.project = std::move(project);
        if (withIntro) {
            EXPECT_EQ(WriteTextLines(folder + "Docintro.TXT", DocIntroLines()), "");
        }
    }
};

TEST(GenerateDocumentation, NewProjectMatchesTheHandWrittenFile) {
    DocWorkspace doc(test::NewDocProject());
    DocumentationChoices choices = OpenDocumentationChoices(doc.workspace.project);
    EXPECT_EQ(choices.FileName, "C:\\K7\\Projects\\NEW.tvr.Txt");
    choices.FileName = doc.folder + "NEW.tvr.Txt";
    RecordingProgress progress;

    DocumentationResult result =
        GenerateDocumentation(doc.workspace, choices, FixedDate, doc.ui, progress);

    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(test::ReadBytes(choices.FileName), ExpectedFile("new_project.Txt"));
    EXPECT_EQ(result.LineCount, 26u);
    EXPECT_EQ(result.StatusText,
              "Documentation file done.  25 lines generated in file...NEW.tvr.Txt");
    EXPECT_TRUE(doc.ui.Errors.empty());
}

TEST(GenerateDocumentation, SmallProjectWithEverySectionMatchesTheHandWrittenFile) {
    DocWorkspace doc(test::SmallDocProject());
    DocumentationChoices choices = OpenDocumentationChoices(doc.workspace.project);
    choices.FileName = doc.folder + "plant.txt";
    RecordingProgress progress;

    DocumentationResult result =
        GenerateDocumentation(doc.workspace, choices, FixedDate, doc.ui, progress);

    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(test::ReadBytes(choices.FileName), ExpectedFile("small_project.Txt"));
    // The status names the project file with ".Txt", whatever file was chosen.
    EXPECT_EQ(result.StatusText,
              "Documentation file done.  218 lines generated in file...PLANT.tvr.Txt");
}

TEST(GenerateDocumentation, ShowsEverySectionOnTheProgressPanelInOrder) {
    DocWorkspace doc(test::SmallDocProject());
    DocumentationChoices choices = OpenDocumentationChoices(doc.workspace.project);
    choices.FileName = doc.folder + "out.Txt";
    RecordingProgress progress;

    const DocumentationResult result =
        GenerateDocumentation(doc.workspace, choices, FixedDate, doc.ui, progress);
    ASSERT_TRUE(result.Ok);

    EXPECT_EQ(progress.Caption, "Load Progress:");
    // The label stays while the sections pass on the repeat label.
    EXPECT_EQ(progress.Labels, std::vector<std::string>{"Generating documentation..."});
    EXPECT_EQ(progress.Colours, std::vector<BarColour>{BarColour::Green});
    const std::vector<std::string> labels = {
        "",          "I/O...",    "Modules...", "Displays...",  "TLM Arrays...",
        "Ladder...", "Tables...", "Speech...",  "DataBases...", "Cross references..."};
    EXPECT_EQ(progress.RepeatLabels, labels);
    EXPECT_EQ(progress.StatusMessage, result.StatusText);
    EXPECT_EQ(progress.StatusMessage.rfind("Documentation file done.  ", 0), 0u);
    // 0 at the start, the sections, then 50 + names done x 50 / 25 names.
    ASSERT_GE(progress.Positions.size(), 10u);
    const std::vector<int> sections(progress.Positions.begin(), progress.Positions.begin() + 10);
    EXPECT_EQ(sections, (std::vector<int>{0, 5, 10, 15, 20, 25, 30, 35, 40, 50}));
    EXPECT_EQ(progress.Positions[10], 50 + 50 / 25);
    // The String list (one name) is skipped, so the bar ends short of 100.
    EXPECT_EQ(progress.Positions.back(), 50 + 24 * 50 / 25);
    EXPECT_EQ(progress.Visible, (std::vector<bool>{true, false}));
}

TEST(GenerateDocumentation, MissingIntroductionFileStopsWithoutWritingAFile) {
    DocWorkspace doc(test::SmallDocProject(), false);
    DocumentationChoices choices = OpenDocumentationChoices(doc.workspace.project);
    choices.FileName = doc.folder + "out.Txt";
    ProgressPanel progress; // shows nothing

    DocumentationResult result =
        GenerateDocumentation(doc.workspace, choices, FixedDate, doc.ui, progress);

    EXPECT_FALSE(result.Ok);
    ASSERT_EQ(doc.ui.Errors.size(), 1u);
    EXPECT_NE(doc.ui.Errors[0].find("Docintro.TXT"), std::string::npos) << doc.ui.Errors[0];
    EXPECT_FALSE(FileExists(choices.FileName));
    EXPECT_TRUE(result.StatusText.empty());
}

TEST(GenerateDocumentation, UnwritableOutputIsReportedAndKeepsTheOldFile) {
    DocWorkspace doc(test::NewDocProject());
    DocumentationChoices choices = OpenDocumentationChoices(doc.workspace.project);
    choices.FileName = doc.folder + "no such folder/out.Txt";
    ProgressPanel progress; // shows nothing

    DocumentationResult result =
        GenerateDocumentation(doc.workspace, choices, FixedDate, doc.ui, progress);

    EXPECT_FALSE(result.Ok);
    ASSERT_EQ(doc.ui.Errors.size(), 1u);
    EXPECT_EQ(doc.ui.Errors[0], result.Message);
    EXPECT_TRUE(result.StatusText.empty());
}

TEST(GenerateDocumentation, ReplacesAnExistingFileWhole) {
    DocWorkspace doc(test::NewDocProject());
    DocumentationChoices choices = OpenDocumentationChoices(doc.workspace.project);
    choices.FileName = doc.folder + "out.Txt";
    ASSERT_EQ(WriteTextLines(choices.FileName, std::vector<std::string>(500, "old line")), "");
    ProgressPanel progress; // shows nothing

    ASSERT_TRUE(GenerateDocumentation(doc.workspace, choices, FixedDate, doc.ui, progress).Ok);
    EXPECT_EQ(test::ReadBytes(choices.FileName), ExpectedFile("new_project.Txt"));
}

// BuildDocumentation with the choices as k7c's --without leaves them.
DocLines Build(const Project& project, const DocumentationChoices& choices, bool sorted = true) {
    ProgressPanel progress; // shows nothing
    const DocSource source{project, DocLibrary(), DocIntroLines(), sorted};
    return BuildDocumentation(source, choices, FixedDate, progress);
}

TEST(BuildDocumentation, UncheckedSectionsWriteNothingButNotesStay) {
    const Project project = test::SmallDocProject();
    DocumentationChoices choices;
    choices.Checked.fill(false);
    const DocLines lines = Build(project, choices);
    const DocLines expected = {"Project Source File: PLANT.tvr  01/02/2024 10:20:30",
                               " ",
                               "PROGRAMMER NOTES:",
                               " ",
                               "Check pumps weekly.",
                               "Call the operator."};
    EXPECT_EQ(lines, expected);
}

TEST(BuildDocumentation, K3UnitTakesBlockCAndNewProjectStartsWithTheSourceLine) {
    Project project = test::NewDocProject();
    project.Unit = UnitType::K3;
    DocumentationChoices choices;
    const DocLines lines = Build(project, choices);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Project Source File: NEW.tvr  01/02/2024 10:20:30");
    EXPECT_EQ(lines[1], "K3 INSTRUCTIONS");
    EXPECT_EQ(lines[2], "SETTINGS:");
}

TEST(BuildDocumentation, CreationOrderWhenModulesAreNotSorted) {
    const Project project = test::SmallDocProject();
    DocumentationChoices choices;
    choices.Checked.fill(false);
    choices.Checked[DocModules] = true;
    const DocLines lines = Build(project, choices, false);
    std::vector<std::string> starts;
    for (const std::string& line : lines)
        if (line.find("...") != std::string::npos && line[0] != ' ')
            starts.push_back(line.substr(0, line.find("...")));
    EXPECT_EQ(starts, (std::vector<std::string>{"System", "PORT1", "LEVEL", "PUMPRUN", "FLOWPULSE",
                                                "DOSER", "PUMPCTL"}));
}

TEST(DocumentationStatusText, CountsTheLinesLessOne) {
    EXPECT_EQ(DocumentationStatusText(10, "C:\\P\\pump.tvr"),
              "Documentation file done.  9 lines generated in file...pump.tvr.Txt");
}

} // namespace
} // namespace k7
