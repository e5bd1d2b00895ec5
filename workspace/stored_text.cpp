#include "workspace/stored_text.h"

#include "workspace/user_interface.h"

namespace k7 {

std::string TooLongMessage(std::size_t maxLength) {
    return "This text cannot be longer than " + std::to_string(maxLength) + " characters.";
}

std::string StoredTextRefusal(const std::string& text, StoredField field, std::size_t maxLength) {
    if (text.find('|') != std::string::npos)
        return BarRefusedMessage;
    if (field == StoredField::Notes) {
        if (text.find('\\') != std::string::npos)
            return BackslashRefusedMessage;
    } else if (text.find_first_of("\r\n") != std::string::npos) {
        return LineBreakRefusedMessage;
    }
    if (field == StoredField::LineStart && !text.empty()) {
        if (text[0] == '!')
            return LeadingBangMessage;
        if (text[0] == '~')
            return LeadingTildeMessage;
    }
    if (maxLength > 0 && text.size() > maxLength)
        return TooLongMessage(maxLength);
    return {};
}

bool RefuseStoredText(UserInterface& ui, const std::string& text, StoredField field,
                      std::size_t maxLength) {
    const std::string refusal = StoredTextRefusal(text, field, maxLength);
    if (refusal.empty())
        return false;
    ui.ShowError(refusal);
    return true;
}

std::string NormalizedNotes(const std::string& notes) {
    std::string normal;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const char c = notes[i];
        if (c == '\r' || c == '\n') {
            normal += "\r\n";
            if (c == '\r' && i + 1 < notes.size() && notes[i + 1] == '\n')
                ++i;
        } else {
            normal += c;
        }
    }
    return normal;
}

} // namespace k7
