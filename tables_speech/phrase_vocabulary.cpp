#include "tables_speech/phrase_vocabulary.h"

#include "tables_speech/text_fields.h"
#include "workspace/workspace.h"

namespace k7 {

bool IsPhraseNumber(int64_t number) {
    return number >= 1 && number <= PhraseCount;
}

std::string PhraseText(const Project& project, int64_t number) {
    return IsPhraseNumber(number) ? project.SpeechPhrases[static_cast<size_t>(number)]
                                  : std::string();
}

bool SetPhraseText(Workspace& workspace, int number, const std::string& text) {
    UserInterface& ui = workspace.Ui();
    if (!IsPhraseNumber(number)) {
        ui.ShowError(PhraseNumberMessage);
        return false;
    }
    if (RefuseTypedText(ui, text))
        return false;
    if (!text.empty() && (text[0] == '!' || text[0] == '~')) {
        ui.ShowError(PhraseLeadMessage);
        return false;
    }
    if (text.size() == 1) {
        ui.ShowError(PhraseShortMessage);
        return false;
    }
    workspace.project.SpeechPhrases[static_cast<size_t>(number)] = text;
    workspace.MarkProjectChanged();
    return true;
}

} // namespace k7
