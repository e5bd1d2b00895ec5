#include "compiler/fixed_records.h"

#include "compiler/compile_context.h"
#include "workspace/project.h"
#include "workspace/text_file.h"

namespace k7 {

namespace {

constexpr uint32_t FileNameRecordBytes = 40;
constexpr uint32_t SysPointerRecordBytes = 44;
constexpr uint32_t CardsRecordBytes = 64;
constexpr uint32_t EndMarker = 0x232F;
constexpr uint32_t EndRecordBytes = 8;
constexpr uint32_t SmallLcdBit = 0x1000;
constexpr int VacantCard = 13;

} // namespace

std::string FileNameText(const std::string& projectPath, const std::string& dateText) {
    std::string text = FileNamePart(projectPath) + "  " + dateText;
    text.resize(FileNameTextWidth, ' ');
    return text;
}

void WriteFileNameRecord(CompileContext& context) {
    context.Image.Add(HexWord(context.FlashCursor) + "|" +
                      FileNameText(context.project.FileName, context.options.DateText) + "|\\");
    context.FlashCursor += FileNameRecordBytes;
}

uint32_t UnitBoardsWord(const Project& project) {
    uint32_t boards = 0;
    for (int cage = 1; cage <= CageCount; ++cage)
        for (int slot = 1; slot <= 8; ++slot)
            if (project.Cards.At(cage, slot) > 0)
                boards = std::max<uint32_t>(boards, static_cast<uint32_t>((cage - 1) * 8 + slot));
    const uint32_t unit = project.Unit == UnitType::K3 ? 0x300 : 0x700;
    return boards | unit | (project.Lcd == LcdType::Small ? SmallLcdBit : 0);
}

std::string BuildSysPointerRecord(CompileContext& context) {
    SysPointers& sys = context.Sys;
    sys.UnitBoards = UnitBoardsWord(context.project);
    if (context.Compiling)
        context.FlashCursor += SysPointerRecordBytes;
    std::string line = HexWord(context.SysPointerAddress) + "|";
    for (uint32_t value : {sys.Modules, sys.Dsps, sys.Tx, sys.Rx, sys.Tmrs, sys.TimerCount,
                           sys.Trigs, sys.TriggerCount, sys.UnitBoards, sys.ComBufDef, sys.Tbls})
        line += HexWord(value) + "|";
    return line + "\\";
}

void WriteCardsRecord(CompileContext& context) {
    const Project& project = context.project;
    bool expansion = false;
    std::string line = HexWord(context.FlashCursor) + "|";
    for (int cage = 1; cage <= CageCount; ++cage) {
        for (int half = 0; half < 2; ++half) {
            uint32_t word = 0;
            for (int slot = 1 + 4 * half; slot <= 4 + 4 * half; ++slot) {
                const int code = project.Cards.At(cage, slot);
                word = (word << 8) | (static_cast<uint32_t>(code) & 0xFF);
                if (cage >= 2 && code != 0 && code != VacantCard)
                    expansion = true;
            }
            line += HexWord(word) + "|";
        }
    }
    context.FlashCursor += CardsRecordBytes;
    if (project.Unit == UnitType::K3 && expansion) {
        context.ReportAlways("TAV3 cannot have expansion card cage(s)");
        return;
    }
    context.Image.Add(line + "\\");
}

void WriteEndRecord(CompileContext& context) {
    const uint32_t address = context.FlashCursor;
    context.Image.Add(HexWord(address) + "|" + HexWord(EndMarker) + "|" +
                      HexWord(address + EndRecordBytes) + "|\\");
    context.FlashCursor += EndRecordBytes;
}

} // namespace k7
