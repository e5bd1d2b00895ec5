#include "docgen/documentation.h"

#include "docgen/cross_references.h"
#include "docgen/doc_intro.h"
#include "workspace/text_file.h"

namespace k7 {

const std::array<const char*, DocSectionCount> DocSectionCaptions = {"Operating instructions",
                                                                     "I/O Setup",
                                                                     "Module Setup",
                                                                     "Displays",
                                                                     "TLM Arrays",
                                                                     "Ladder Logic Setup",
                                                                     "Table Setup",
                                                                     "Speech Setup",
                                                                     "Database Lists",
                                                                     "Database Cross Reference"};

const std::array<const char*, DocSectionCount> DocSectionNames = {
    "instructions", "io",     "modules", "displays",  "tlm",
    "ladder",       "tables", "speech",  "databases", "xref"};

DocumentationChoices OpenDocumentationChoices(const Project& project) {
    DocumentationChoices choices;
    choices.FileName = project.FileName + ".Txt";
    return choices;
}

namespace {

void WriteProgrammerNotes(const Project& project, DocLines& out) {
    if (project.Notes.empty())
        return;
    out.push_back(" ");
    out.push_back("PROGRAMMER NOTES:");
    out.push_back(" ");
    for (const std::string& line : NoteLines(project.Notes))
        out.push_back(line);
}

using SectionWriter = void (*)(const DocSource&, DocLines&);

struct SectionStep {
    DocSection Section;
    int Percent;
    const char* Label;
    SectionWriter Write; // null: the cross references, which move the bar themselves
};

const SectionStep Steps[] = {
    {DocIo, 5, "I/O...", WriteIoSection},
    {DocModules, 10, "Modules...", WriteModulesSection},
    {DocDisplays, 15, "Displays...", WriteDisplaysSection},
    {DocTelemetry, 20, "TLM Arrays...", WriteTelemetrySection},
    {DocLadder, 25, "Ladder...", WriteLadderSection},
    {DocTables, 30, "Tables...", WriteTablesSection},
    {DocSpeech, 35, "Speech...", WriteSpeechSection},
    {DocDatabases, 40, "DataBases...", WriteDatabasesSection},
    {DocCrossReference, 50, "Cross references...", nullptr},
};

void ShowStep(ProgressPanel& progress, const SectionStep& step) {
    progress.SetRepeatLabel(step.Label);
    progress.SetPosition(step.Percent);
    // Lets the window process pending input; the generator itself runs to its end.
    progress.CancelRequested();
}

} // namespace

DocLines BuildDocumentation(const DocSource& source, const DocumentationChoices& choices,
                            const std::string& dateText, ProgressPanel& progress) {
    const Project& project = source.project;
    DocLines out;
    out.push_back("Project Source File: " + FileNamePart(project.FileName) + "  " + dateText);
    if (choices.Checked[DocInstructions])
        AppendIntroBlock(source.intro, project.Unit == UnitType::K3 ? 'C' : 'B', out);
    WriteProgrammerNotes(project, out);

    for (const SectionStep& step : Steps) {
        ShowStep(progress, step);
        if (!choices.Checked[step.Section])
            continue;
        if (step.Write) {
            step.Write(source, out);
            continue;
        }
        WriteCrossReferenceSection(project, source.library, out, [&progress](int percent) {
            progress.SetPosition(percent);
            progress.CancelRequested();
        });
    }
    return out;
}

std::string DocumentationStatusText(size_t lineCount, const std::string& projectFileName) {
    const size_t reported = lineCount == 0 ? 0 : lineCount - 1;
    return "Documentation file done.  " + std::to_string(reported) + " lines generated in file..." +
           FileNamePart(projectFileName) + ".Txt";
}

DocumentationResult GenerateDocumentation(const Workspace& workspace,
                                          const DocumentationChoices& choices,
                                          const std::string& dateText, UserInterface& ui,
                                          ProgressPanel& progress) {
    DocumentationResult result;
    const TextFile intro =
        ReadTextLines(FindFileIgnoringCase(workspace.settings.SystemFolder, DocIntroFileName));
    if (!intro.Ok) {
        result.Message = intro.Error;
        ui.ShowError(result.Message);
        return result;
    }

    progress.SetCaption("Load Progress:");
    progress.SetLabel("Generating documentation...");
    progress.SetRepeatLabel("");
    progress.SetBarColour(BarColour::Green);
    progress.SetPosition(0);
    progress.Show(true);
    const DocSource source{workspace.project, workspace.library, intro.Lines,
                           workspace.settings.SortModulesBeforeCompile};
    const DocLines lines = BuildDocumentation(source, choices, dateText, progress);
    progress.Show(false);

    result.Message = WriteTextLines(choices.FileName, lines);
    if (!result.Message.empty()) {
        ui.ShowError(result.Message);
        return result;
    }
    result.Ok = true;
    result.LineCount = lines.size();
    result.StatusText = DocumentationStatusText(lines.size(), workspace.project.FileName);
    progress.SetStatusMessage(result.StatusText);
    return result;
}

} // namespace k7
