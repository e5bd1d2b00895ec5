// The records of fixed size at the head and tail of the image: the file
// name, the sys-pointer block, the cards and the end record; and the
// constants section, which follows the cards.
#pragma once

#include <cstdint>
#include <string>

namespace k7 {

struct CompileContext;
struct Project;

constexpr size_t FileNameTextWidth = 39;

// The project file's name (after the last "\" or "/"), two spaces and the
// date text, cut or blank-padded to 39 characters.
std::string FileNameText(const std::string& projectPath, const std::string& dateText);
void WriteFileNameRecord(CompileContext& context);

// Board count, unit code and small-LCD bit of the UtypeDtype#brds word.
uint32_t UnitBoardsWord(const Project& project);
// Fills the last values and, while compiling, reserves the record's 44
// bytes; returns the record's line.
std::string BuildSysPointerRecord(CompileContext& context);

// The card codes of every cage; a K3 with expansion cards reports and
// writes no line, though the record keeps its 64 bytes.
void WriteCardsRecord(CompileContext& context);

// The integer, string and float constants, each given its flash address.
void WriteConstants(CompileContext& context);

void WriteEndRecord(CompileContext& context);

} // namespace k7
