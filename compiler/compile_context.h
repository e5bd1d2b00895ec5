// The state of one compile run, shared by the driver and every section
// writer: counters, cursors, the sys-pointer values, the error list and
// the tables the run fills.
#pragma once

#include "compiler/constant_pool.h"
#include "compiler/download_image.h"
#include "compiler/name_resolution.h"
#include "compiler/ram_map.h"
#include "compiler/symbol_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace k7 {

struct Project;
class ModuleLibrary;

// Messages are taken while fewer than this many errors were reported.
constexpr int ErrorReportLimit = 20;
// The passes stop once more errors than this were reported.
constexpr int ErrorStopLimit = 18;
constexpr int ComPortCount = 28;

struct CompileOptions {
    bool SortModulesBeforeCompile = true;
    bool FlagDuplicateDbNames = true;
    // Date and time text of the file name record.
    std::string DateText;
    // Where a clean compile writes the image; empty: not written.
    std::string ImagePath;
    // Folder of BASIC sources and object files, with a trailing separator.
    std::string BasicFolder;
};

// The values of the SysPointerBlock record, in record order.
struct SysPointers {
    uint32_t Modules = 0;
    uint32_t Dsps = 0;
    uint32_t Tx = 0;
    uint32_t Rx = 0;
    uint32_t Tmrs = 0;
    uint32_t TimerCount = 0;
    uint32_t Trigs = 0;
    uint32_t TriggerCount = 0;
    uint32_t UnitBoards = 0; // UtypeDtype#brds
    uint32_t ComBufDef = 0;
    uint32_t Tbls = 0;
};

// Transmit and receive buffer needs by port, raised by the sections.
struct ComBufferSizes {
    std::array<int32_t, ComPortCount> Tx{};
    std::array<int32_t, ComPortCount> Rx{};

    void Clear() {
        Tx.fill(0);
        Rx.fill(0);
    }
    static void Raise(int32_t& entry, int32_t size) {
        if (entry < size)
            entry = size;
    }
};

enum class CompileOutcome { Clean, Halted, Errors };

struct CompileContext {
    CompileContext(Project& project, const ModuleLibrary& library, CompileOptions options = {});

    Project& project;
    const ModuleLibrary& library;
    CompileOptions options;

    int ErrorCount = 0;
    bool Halt = false;
    int Pass = 0; // 1 and 2; 1..3 while the RAM assignment runs
    bool Compiling = false;
    uint32_t FlashCursor = FlashBase;
    uint32_t RamCursor = RamBase;
    SysPointers Sys;
    uint32_t SysPointerAddress = 0;
    uint32_t BasicSectionEnd = 0;
    uint32_t BasicLocalRamStart = 0; // the "BASIC modules local RAM" block; 0: none
    bool ModuleError = false;
    // Set when the RAM assignment stored any new address in the project.
    bool NewAddressesAssigned = false;

    std::vector<std::string> Errors; // in the order reported
    DownloadImage Image;
    RamMap Ram;
    SymbolTable Symbols;
    ConstantPool Constants;
    NamedModuleTable NamedModules;
    BasicCodeTable BasicCode;
    RxNameIndex RxNames;
    ComBufferSizes Buffers;
    // Instance indexes (0-based) in the order the module passes walk them.
    std::vector<int> ModuleOrder;

    // Results of the run.
    CompileOutcome Outcome = CompileOutcome::Errors;
    std::vector<std::string> ErrorList; // sorted, as shown to the user
    int RamUsed = 0;                    // occupied RAM cells
    int FlashUsed = 0;                  // bytes
    std::string StatusMessage;          // the status bar's message panel
    std::string ImageSaveError;         // why a clean image could not be written

    // The project changed by the compile itself (new RAM addresses). The
    // desktop program hooks in its own flag updates; by default only the
    // project's flags are set.
    std::function<void()> MarkChanged;

    bool Writing() const { return Pass == 2; }
    // The image in the second pass, nothing in the first.
    DownloadImage* PassImage() { return Writing() ? &Image : nullptr; }
    // Adds a message while fewer than 20 errors were reported.
    void Report(const std::string& message);
    // Adds a message whatever the count.
    void ReportAlways(const std::string& message);
    // Report, but only in the second pass.
    void ReportInPass2(const std::string& message);
    bool CanReport() const { return ErrorCount < ErrorReportLimit; }
    // Marks the project changed because an address was assigned.
    void AddressAssigned();
};

} // namespace k7
