#include "sim/sim_state_file.h"

#include <cstdio>
#include <fstream>

namespace k7::sim {

namespace {

std::string HexByte(unsigned char byte) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 0x0F]};
}

std::string HexWord(std::uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value & 0x0F]);
        value >>= 4;
    } while (value != 0);
    return text;
}

std::string HexBytes(const std::string& bytes) {
    std::string text;
    for (char c : bytes)
        text += HexByte(static_cast<unsigned char>(c));
    return text;
}

std::string Flag(bool value) {
    return value ? "1" : "0";
}

} // namespace

std::string EscapedText(const std::string& bytes) {
    std::string text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || c == '~')
            text += "~" + HexByte(byte);
        else
            text += c;
    }
    return text;
}

std::string StateText(const UnitState& state) {
    std::string text = "k7sim state 1\n";
    text += std::string("mode|") + (state.TavroMode ? "TAVRO" : "ASCII") + "\n";
    text += std::string("program|") + (state.ProgramIdle ? "idle" : "running") + "\n";
    text +=
        "passthrough|" + Flag(state.PassThrough) + "|" + HexBytes(state.PassThroughRoute) + "\n";
    text += "security|" + Flag(state.SecurityInstalled) + "\n";
    text += "restarts|" + std::to_string(state.Restarts) + "\n";
    text += "frames|" + std::to_string(state.FramesReceived) + "\n";
    for (int argument : state.ControlArguments)
        text += "control|" + HexByte(static_cast<unsigned char>(argument)) + "\n";
    for (int sector : state.ErasedSectors)
        text += "erased|" + std::to_string(sector) + "\n";
    if (state.Clock) {
        text += "clock";
        for (int value : *state.Clock)
            text += "|" + std::to_string(value);
        text += "\n";
    }
    for (const auto& line : state.ProgramLines)
        text += "line|" + EscapedText(line) + "\n";
    for (const auto& [address, block] : state.OsBlocks)
        text += "osblock|" + HexWord(address) + "|" + HexBytes(block) + "\n";
    for (int slot = 0; slot < SimWatchSlots; ++slot) {
        if (!state.WatchAddresses[slot].empty())
            text += "watch|" + std::to_string(slot) + "|" +
                    EscapedText(state.WatchAddresses[slot]) + "|" + Flag(state.PokeMode[slot]) +
                    "\n";
    }
    for (const auto& [address, value] : state.PokedValues)
        text += "poke|" + EscapedText(address) + "|" + EscapedText(value) + "\n";
    return text;
}

std::string WriteStateFile(const std::string& path, const UnitState& state) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << StateText(state);
        file.flush();
        if (!file) {
            std::remove(temporary.c_str());
            return "cannot write " + temporary;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return "cannot replace " + path;
    }
    return {};
}

} // namespace k7::sim
