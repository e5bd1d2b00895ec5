#include "workspace/card_types.h"

#include <vector>

namespace k7 {

namespace {

// Terminal lines "[Chan n]" .. "[Chan 1]" from line `first`, the rest blank.
std::array<std::string, 9> ChannelLines(int first, int channels, const std::string& last) {
    std::array<std::string, 9> lines;
    for (int c = 0; c < channels; ++c)
        lines[first + c] = "[Chan " + std::to_string(channels - c) + "]";
    lines[8] = last;
    return lines;
}

// Indicator labels " n" .. " 1" from position `first` (1-based) on.
std::array<std::string, 8> NumberIndicators(int first, int count) {
    std::array<std::string, 8> labels;
    for (int i = 0; i < count; ++i)
        labels[first - 1 + i] = " " + std::to_string(count - i);
    return labels;
}

TCardType Card(int code, const char* longName, const char* shortName, const char* title, int ai,
               int ao, int di, int dout, bool exp) {
    TCardType card;
    card.Code = code;
    card.LongName = longName;
    card.ShortName = shortName;
    card.Title = title;
    card.AI = ai;
    card.AO = ao;
    card.DI = di;
    card.DO = dout;
    card.Exp = exp;
    return card;
}

std::vector<TCardType> BuildCardTypes() {
    const bool exp = true, firstCageOnly = false;
    // clang-format off
    std::vector<TCardType> t = {
        // code, long name, short name, title, channels AI AO DI DO, allowed in cages 2..8
        Card(0,  "Vacant",               "        ", "",         0, 0, 0, 0, firstCageOnly),
        Card(1,  "Removable flashdisk",  "Flash   ", "FLASH",    0, 0, 0, 0, firstCageOnly),
        Card(2,  "Sleep controller",     "Sleep   ", "SLEEP",    0, 0, 0, 0, firstCageOnly),
        Card(3,  "Speech/dialer",        "Dialer  ", "SPEECH",   0, 0, 0, 0, firstCageOnly),
        Card(4,  "Relay outputs,8 ch",   "RLY 8   ", "RELAY8",   0, 0, 0, 8, exp),
        Card(5,  "K3 Relay out,4 ch",    "RLY 4   ", "RELAY4",   0, 0, 0, 4, exp),
        Card(6,  "Digital inputs, 8 ch", "DI 8    ", "DIGIN8",   0, 0, 8, 0, exp),
        Card(7,  "Digital inputs,4 ch",  "DI 4    ", "DIGIN4",   0, 0, 4, 0, exp),
        Card(8,  "Analog outputs, 1 ch", "AO 1    ", "ANOUT1",   0, 1, 0, 0, exp),
        Card(9,  "Analog outputs, 4 ch", "AO 4    ", "ANOUT4",   0, 4, 0, 0, exp),
        Card(10, "Analog inputs, 8 ch",  "AI 8    ", "ANIN8",    8, 0, 0, 0, exp),
        Card(11, "Modem/RS232",          "MDM/232 ", "MODEM",    0, 0, 0, 0, firstCageOnly),
        Card(12, "Loop power/charger",   "LOOP    ", "LOOP",     3, 0, 0, 0, exp),
        Card(13, "Vacant",               "        ", "VACANT",   0, 0, 0, 0, exp),
        Card(14, "Combo 2AI, 4DI, 2DO",  "COMBO   ", "COMBO",    2, 0, 4, 2, exp),
        Card(15, "Printer/2-RS232",      "PRN/232 ", "PRN/232",  0, 0, 0, 0, firstCageOnly),
        Card(16, "AI 4 chan/16 bit",     "AI 4/16 ", "ANIN4/16", 4, 0, 0, 0, exp),
        Card(17, "K3 AI4/AO1",           "AI4/AO1 ", "K3 AI/AO", 4, 1, 0, 0, exp),
    };
    // clang-format on

    const std::string com = "     COM";
    t[1].Indicators = {"", "READY", "ACCESS"};
    t[2].Indicators = {"WK", "AX", "DI4", "DI3", "DI2", "DI1"};
    t[2].Terminals = {"      DI4", "      DI3", "      DI2", "      DI1", "      WAK",
                      "      TIP", "      AUX", "      VIN", "      GND"};
    t[3].Indicators = {"", "KEY/OH"};
    t[3].Terminals = {"", "", "", "", "", "", "      KEY", "      SPKR", "      SPKR"};
    t[4].Indicators = NumberIndicators(1, 8);
    t[4].Terminals = ChannelLines(0, 8, com);
    t[5].Indicators = NumberIndicators(5, 4);
    t[5].Terminals = ChannelLines(4, 4, com);
    t[6].Indicators = NumberIndicators(1, 8);
    t[6].Terminals = ChannelLines(0, 8, com);
    t[7].Indicators = NumberIndicators(5, 4);
    t[7].Terminals = ChannelLines(4, 4, com);
    t[8].Terminals = ChannelLines(7, 1, "");
    t[9].Terminals = ChannelLines(4, 4, "");
    t[10].Terminals = ChannelLines(0, 8, com);
    t[11].Indicators = {"KEY/OH"};
    t[11].Terminals = {"", "", "", "", "     RX+", "     RX-", "     KEY", "     TX+", "     TX-"};
    t[12].Indicators = {"", "BUS", "LOOP", "CHRG"};
    t[12].Terminals = {"",       "     24+", "     24-", "    BAT+", "     GND",
                       "[Temp]", "[Batt V]", "[Bus V]",  ""};
    t[14].Indicators = {"LOOP", "DI4", "DI3", "DI2", "DI1", "DO2", "DO1"};
    t[14].Terminals = {"[AI 2]", "[AI 1]",  "[DI 4]",  "[DI 3]", "[DI 2]",
                       "[DI 1]", "[Rly 2]", "[Rly 1]", ""};
    t[15].Indicators = {"TX1", "RX1", "TX2", "RX2"};
    t[16].Terminals = ChannelLines(4, 4, "");
    t[17].Terminals = {"", "", "", "[AO 1]", "[AI 4]", "[AI 3]", "[AI 2]", "[AI 1]", ""};
    return t;
}

} // namespace

const TCardType& CardType(int code) {
    static const std::vector<TCardType> table = BuildCardTypes();
    if (code < 0 || code > CardTypeCount)
        return table[0];
    return table[code];
}

} // namespace k7
