#include "tables_speech/phrase_vocabulary.h"

#include "workspace/workspace.h"

namespace k7 {

bool IsPhraseNumber(int64_t number) {
    return number >= 1 && number <= PhraseCount;
}

std::string PhraseText(const Project& project, int64_t number) {
    return IsPhraseNumber(number) ? project.SpeechPhrases[static_cast<size_t>(number)]
                                  : std::string();
}

bool PhrasesEditable(const Project& project) {
    return !project.SpeechReports.empty();
}

bool PhrasesArePresets(const Project& project) {
    Project presets;
    ResetSpeechPhrases(presets);
    return project.SpeechPhrases == presets.SpeechPhrases;
}

bool SetPhraseText(Workspace& workspace, int number, const std::string& text) {
    UserInterface& ui = workspace.Ui();
    if (!PhrasesEditable(workspace.project)) {
        ui.ShowError(PhraseNeedsReportMessage);
        return false;
    }
    if (!IsPhraseNumber(number)) {
        ui.ShowError(PhraseNumberMessage);
        return false;
    }
    // A phrase is a line of its own in the project file.
    if (RefuseStoredText(ui, text, StoredField::LineStart))
        return false;
    if (text.size() == 1) {
        ui.ShowError(PhraseShortMessage);
        return false;
    }
    workspace.project.SpeechPhrases[static_cast<size_t>(number)] = text;
    workspace.MarkProjectChanged(ProjectPart::Phrases);
    return true;
}

} // namespace k7
