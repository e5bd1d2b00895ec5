// The card types that can sit in a card cage slot, codes 0..17.
#pragma once

#include <array>
#include <string>

namespace k7 {

constexpr int CardTypeCount = 17; // codes 1..17 are offered to the user

// I/O kinds of a channel.
enum IoKind { IoNone = 0, IoAI = 1, IoAO = 2, IoDI = 3, IoDO = 4 };

struct TCardType {
    int Code = 0;
    std::string LongName;                  // card list text, at most 30 characters
    std::string ShortName;                 // 8 characters, blank-padded
    std::string Title;                     // picture title on the slot
    int AI = 0, AO = 0, DI = 0, DO = 0;    // channel counts by kind
    bool Exp = false;                      // may sit in cages 2..8
    std::array<std::string, 8> Indicators; // labels 1..8 at [0..7]; blank when absent
    std::array<std::string, 9> Terminals;  // channel list lines 0..8
};

// The entry for a code; codes outside 0..17 give the entry of code 0.
const TCardType& CardType(int code);

} // namespace k7
