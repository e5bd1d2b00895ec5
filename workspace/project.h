// The project: everything the user edits about one unit and saves in one
// project file. Primary data only, apart from the derived database lists,
// which RebuildDatabases recomputes.
#pragma once

#include "workspace/stored_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace k7 {

class ModuleLibrary;

constexpr const char* ProgramVersion = "5.62";
constexpr const char* CaptionPrefix = "V5.62  ";

constexpr int MaxInstances = 1000;
constexpr int MaxValueWidth = 80;
constexpr int MaxInstanceName = 40;
constexpr int CageCount = 8;
constexpr int SlotCount = 9;
constexpr int LadderStorageRows = 200;
constexpr int LadderMaxRows = 199; // editable rows
constexpr int LadderNewRows = 10;
constexpr int LadderColumns = 8; // column 8 holds the coil
constexpr int PhraseCount = 255;
constexpr int SystemModuleNumber = 57;
constexpr int RamSize = 200704;
constexpr int FlashSize = 262144;

enum class UnitType { K7, K3 };
enum class LcdType { Large, Small };

// Card type codes of 8 cages by 9 slots; cages 1..8, slots 0..8, 0 empty.
struct TCardConfig {
    std::array<std::array<int32_t, SlotCount>, CageCount + 1> Slots{}; // [0] unused

    int32_t& At(int cage, int slot) { return Slots[cage][slot]; }
    int32_t At(int cage, int slot) const { return Slots[cage][slot]; }
};

struct TModuleInst {
    int32_t Category = 0;
    int32_t ModuleNumber = 0;
    uint32_t RamStart = 0;
    uint32_t RamEnd = 0;
    std::string Name;
    int32_t Aux1 = 0;
    int32_t Aux2 = 0;
    std::string Notes;
    std::array<std::string, 41> Values; // items 1..40; [0] unused
};

// The ten cells of a telemetry row, in this order.
enum TlmColumn {
    TlmPort = 0,
    TlmSource,
    TlmDest,
    TlmWord,
    TlmBit,
    TlmName,
    TlmMult,
    TlmType,
    TlmValue,
    TlmAddress,
    TlmColumnCount
};
using TTlmRow = std::array<std::string, TlmColumnCount>;

// Row 0 is the title row; rows 1..RowCount()-1 are data.
struct TTlmArray {
    std::vector<TTlmRow> Rows;

    int RowCount() const { return static_cast<int>(Rows.size()); }
};
TTlmArray NewTlmArray();
extern const TTlmRow TlmTitles;

struct TLadderRung {
    std::array<int32_t, LadderColumns + 1> CellKinds{};   // columns 1..8; [0] unused
    std::array<std::string, LadderColumns + 1> CellNames; // columns 1..8
    std::string OnDelay = "0";
    std::string OffDelay = "0";
    uint32_t RungWord = 0;
};

enum class DbType { Float, Integer, Status, Tx, Rx, String };

struct TDbVar {
    std::string Name;
    DbType Type = DbType::Float;
};

// The six derived database lists ("Floating Pt", "Integer", "Status", "TX",
// "RX", "Strings") and the module outputs counted as telemetry variables.
struct DatabaseLists {
    std::vector<std::string> Float, Integer, Status, Tx, Rx, String;
    int TxOutputCount = 0;
    int RxOutputCount = 0;

    std::vector<std::string>& List(DbType type);
    const std::vector<std::string>& List(DbType type) const;
};

// One entry of an instance list: InstanceName + "..." + ModuleTypeName.
struct InstanceListEntry {
    std::string Text;
    int Instance = 0; // index into Project::Modules
};

struct Project {
    UnitType Unit = UnitType::K7;
    LcdType Lcd = LcdType::Large;
    std::string FileName;
    std::string Notes;
    std::string SavedByVersion;
    std::string SavedOnDate;
    TCardConfig Cards;
    std::vector<TModuleInst> Modules; // Modules[0] is instance 1, "System"
    std::vector<std::string> Displays;
    TTlmArray TxArray = NewTlmArray();
    TTlmArray RxArray = NewTlmArray();
    std::array<TLadderRung, LadderStorageRows> Ladder;
    int LadderRows = LadderNewRows; // rows the ladder grid shows
    std::vector<std::string> Tables;
    std::array<std::string, PhraseCount + 1> SpeechPhrases; // rows 1..255
    std::vector<std::string> SpeechReports;
    std::vector<std::string> BasicModules;
    bool ProjectChanged = false;
    bool NeedCompile = false;
    std::optional<int> RamUsed;   // bytes, after a compile
    std::optional<int> FlashUsed; // bytes, after a compile

    // Derived, never saved.
    DatabaseLists Databases;
    std::array<std::vector<InstanceListEntry>, 6> InstanceLists; // categories 1..5
    std::vector<std::string> DisplayNames;                       // display names, in list order
    std::vector<std::string> SpeechReportNames;                  // report names, in list order
    std::vector<std::string> RxArrayList;                        // "RX Arrays In Project:"
    std::vector<std::string> TxArrayList;                        // "TX Arrays In Project:"

    int ModuleCount() const { return static_cast<int>(Modules.size()); }
};

// The 34 preset phrases of the voice dialer, rows 1..34.
extern const std::array<const char*, 34> PresetPhrases;
void ResetSpeechPhrases(Project& project);

// The mandatory first instance of every new project.
TModuleInst SystemInstance();

// Resets every field to a new, empty project holding only "System" and
// rebuilds the databases. The change flags are cleared.
void ResetProject(Project& project, const ModuleLibrary& library);

// Sets both change flags; the Workspace adds what the windows show.
void MarkProjectChanged(Project& project);

// "  Need to save..." and/or "  Need to compile...".
std::string StatusText(const Project& project);
// "Ram= used/200704" and "Flash= used/262144" once a compile ran; empty before.
std::string RamStatusText(const Project& project);
std::string FlashStatusText(const Project& project);

// Bytes an instance's outputs take: arrays by item 1's value, strings by
// item 2's, everything else one word.
uint32_t InstanceBlockSize(const TModuleInst& instance, const ModuleLibrary& library);

// Rebuilds output values from the name and the library suffixes.
void RebuildOutputValues(TModuleInst& instance, const ModuleLibrary& library);

} // namespace k7
