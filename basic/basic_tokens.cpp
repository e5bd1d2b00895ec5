#include "basic/basic_tokens.h"

namespace k7 {

void ReservedWordTable::InitTokenList() {
    entries_ = {"\"",    "#",    "&",    "(",     ")",     "*",       "+",      ",",      "-",
                "/",     ":",    ";",    "<",     "=",     ">",       "?",      "@",      "[",
                "]",     "^",    "{",    "}",     "ABS",   "AND",     "ASC",    "ATN",    "CHR$",
                "COS",   "DATA", "DIM",  "END",   "EXP",   "ELSE",    "ENDIF",  "FOR",    "GET",
                "GOSUB", "GOTO", "IF",   "INT",   "LEFT$", "LEN",     "LOG10",  "MID$",   "NEXT",
                "NOT",   "EOL",  "OR",   "PRINT", "READ",  "RESTORE", "RETURN", "RIGHT$", "RND",
                "SGN",   "SQR",  "STEP", "STR$",  "TAN",   "THEN",    "TO",     "VAL",    "XOR",
                "BGT",   "BGE",  "BEQ",  "BLT",   "BLE",   "BNE",     "SIN",    "ATAN",   "ACOS",
                "ASIN",  "LN"};
    lookup_ = std::unordered_set<std::string>(entries_.begin(), entries_.end());
}

const ReservedWordTable& ReservedWords() {
    static const ReservedWordTable table;
    return table;
}

} // namespace k7
