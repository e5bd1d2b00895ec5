#include "comm/ascii_messages.h"

namespace k7 {

namespace {

std::string SlotCommand(int slot, const std::string& action) {
    return "?" + std::to_string(slot) + "=" + action + "\r";
}

} // namespace

std::string WatchClearTable() {
    return "?91\r";
}

std::string WatchRequestValues() {
    return "?92\r";
}

std::string WatchLoadAddress(int slot, const std::string& address) {
    return SlotCommand(slot, "P" + address);
}

std::string WatchPokeOn(int slot) {
    return SlotCommand(slot, "X");
}

std::string WatchPokeOff(int slot) {
    return SlotCommand(slot, "Y");
}

std::string WatchWriteValue(int slot, const std::string& valueText) {
    return SlotCommand(slot, "V" + valueText);
}

} // namespace k7
