#include "basic/basic_errors.h"

namespace k7 {

std::string CutErrorMessage(const std::string& message) {
    if (message.size() <= BasicErrors::MaxMessageLength)
        return message;
    size_t cut = BasicErrors::MaxMessageLength;
    // Step back over continuation bytes so a typed non-ASCII character is kept whole or dropped.
    while (cut > 0 && (static_cast<unsigned char>(message[cut]) & 0xC0) == 0x80)
        --cut;
    return message.substr(0, cut);
}

void BasicErrors::AddError2(const std::string& message, int line) {
    if (pass_ == BasicPass::Layout)
        Record(message, line);
    lineError_ = true;
}

void BasicErrors::AddError3(const std::string& message, int line) {
    if (pass_ == BasicPass::Emitting)
        Record(message, line);
    lineError_ = true;
}

void BasicErrors::Record(const std::string& message, int line) {
    if (Count() < MaxErrors)
        list_.push_back({CutErrorMessage(message), line});
}

void BasicErrors::EraseErrors() {
    list_.clear();
    lineError_ = false;
}

} // namespace k7
