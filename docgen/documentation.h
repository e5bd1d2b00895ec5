// The project documentation file: fixed texts from Docintro.TXT, the
// user's notes and one section per kind of project data, chosen with ten
// check boxes, built in memory and saved in one piece.
#pragma once

#include "docgen/doc_sections.h"
#include "workspace/progress_panel.h"
#include "workspace/user_interface.h"
#include "workspace/workspace.h"

#include <array>
#include <string>

namespace k7 {

// The ten check boxes of "Documentation Choices", in panel order.
enum DocSection {
    DocInstructions,
    DocIo,
    DocModules,
    DocDisplays,
    DocTelemetry,
    DocLadder,
    DocTables,
    DocSpeech,
    DocDatabases,
    DocCrossReference,
    DocSectionCount
};

// Check box captions, in DocSection order.
extern const std::array<const char*, DocSectionCount> DocSectionCaptions;
// Short names k7c uses for the sections, in DocSection order.
extern const std::array<const char*, DocSectionCount> DocSectionNames;

struct DocumentationChoices {
    std::array<bool, DocSectionCount> Checked{true, true, true, true, true,
                                              true, true, true, true, true};
    std::string FileName; // "Documentation File Name:"
};

// The panel as "Document" opens it: every box checked, the file name the
// project's whole path with ".Txt" appended.
DocumentationChoices OpenDocumentationChoices(const Project& project);

// The lines of the documentation file, from the introduction file's lines
// and the date and time text of its first line. progress shows the section
// being written as its repeat label, with the bar's position.
DocLines BuildDocumentation(const DocSource& source, const DocumentationChoices& choices,
                            const std::string& dateText, ProgressPanel& progress);

// "Documentation file done.  " (lines - 1) " lines generated in file..." name ".Txt".
std::string DocumentationStatusText(size_t lineCount, const std::string& projectFileName);

struct DocumentationResult {
    bool Ok = false;
    std::string Message;    // the file error, when the run stopped
    std::string StatusText; // the status bar's message after a run that wrote the file
    size_t LineCount = 0;
};

// "Generate": reads Docintro.TXT from the system folder, builds the lines
// and replaces the chosen file with them, on the progress panel ("Load
// Progress:", "Generating documentation...", the bar green); the status
// text goes to the panel's status message. A missing Docintro.TXT or a file
// that cannot be written is shown through ui and stops the run; nothing is
// written for a missing Docintro.TXT.
DocumentationResult GenerateDocumentation(const Workspace& workspace,
                                          const DocumentationChoices& choices,
                                          const std::string& dateText, UserInterface& ui,
                                          ProgressPanel& progress);

} // namespace k7
