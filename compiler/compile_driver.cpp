#include "compiler/compile_driver.h"

#include "compiler/fixed_records.h"
#include "compiler/module_records.h"
#include "compiler/ram_assignment.h"
#include "compiler/sections.h"
#include "workspace/io_points.h"
#include "workspace/name_order.h"
#include "workspace/project.h"
#include "workspace/settings.h"

namespace k7 {

namespace {

void ClearForCompile(CompileContext& context) {
    context.Halt = false;
    context.ErrorCount = 0;
    context.Pass = 0;
    context.Compiling = false;
    context.ModuleError = false;
    context.NewAddressesAssigned = false;
    context.Sys = SysPointers{};
    context.NamedModules.Clear();
    context.Image.Clear();
    context.Errors.assign({"Compiling..."});
    context.ErrorList.clear();
    context.ImageSaveError.clear();
    context.Symbols.Clear();
    context.Constants.Clear();
    context.Buffers.Clear();
    context.Ram.Clear();
    context.BasicCode.Clear();
}

void ShowStart(CompileProgress& progress) {
    progress.SetCaption("Compile Progress:");
    progress.Show(true);
    progress.SetLabel("Compiling...");
    progress.SetRepeatLabel("Initializing...");
    progress.SetPosition(0);
    progress.SetStatusMessage("Compiling...");
    progress.SetLabel("Compiling Program...");
}

void RunIoPointCheck(CompileContext& context) {
    for (const std::string& message : CheckIoPoints(context.project, context.library).Messages)
        context.ReportAlways(message);
}

// One pass over the sections; false when a stop test ended it.
bool RunPass(CompileContext& context, CompileProgress& progress, const SectionTable& sections,
             uint32_t ramCursor) {
    const int base = (context.Pass - 1) * 50;
    if (StopTest(context, progress))
        return false;
    progress.SetPosition(base + 20);
    context.FlashCursor = context.Sys.Modules;
    context.ModuleOrder =
        ModuleOrderList(context.project, context.options.SortModulesBeforeCompile);
    context.RamCursor = ramCursor;

    for (const SectionWriter& section : sections) {
        // In the second pass the marker opens the next section; the repeat
        // label tells what runs now.
        if (section.Marker) {
            if (section.Pointer)
                context.Sys.*section.Pointer = context.FlashCursor;
            if (context.Writing())
                context.Image.Add(section.Marker);
            progress.SetRepeatLabel(section.Label);
        }
        if (section.StopTestFirst && StopTest(context, progress))
            return false;
        section.Write(context);
        if (section.PositionAfter > 0)
            progress.SetPosition(base + section.PositionAfter);
    }
    context.BasicSectionEnd = context.FlashCursor;
    return true;
}

void Finish(CompileContext& context, CompileProgress& progress) {
    context.Compiling = false;
    progress.SetRepeatLabel("Finishing...");
    const std::string sysPointers = BuildSysPointerRecord(context);
    context.Image.Lines.insert(context.Image.Lines.begin() + 3, sysPointers);
    context.Image.Add(Marker::End);
    WriteEndRecord(context);

    context.FlashUsed = static_cast<int>(context.FlashCursor - FlashBase);
    context.RamUsed = context.Ram.UsedCount();
    context.project.RamUsed = context.RamUsed;
    context.project.FlashUsed = context.FlashUsed;
    if (context.RamUsed > static_cast<int>(RamBytes))
        context.ReportAlways("Insufficient RAM for application");
    if (context.FlashUsed > static_cast<int>(FlashBytes))
        context.ReportAlways("Insufficient FLASH for application");
}

void DecideOutcome(CompileContext& context) {
    if (context.Halt) {
        context.Outcome = CompileOutcome::Halted;
        context.Errors.push_back("Compile halted by user");
        context.StatusMessage =
            context.ErrorCount > 0 ? "Done compiling...errors" : "Compile halted by user";
    } else if (context.ErrorCount > 0) {
        context.Outcome = CompileOutcome::Errors;
        context.StatusMessage = "Done compiling...errors";
    } else {
        context.Outcome = CompileOutcome::Clean;
        context.Errors.push_back("No errors");
        context.StatusMessage = "Done compiling...no errors";
        if (!context.options.ImagePath.empty())
            context.ImageSaveError = WriteImageFile(context.options.ImagePath, context.Image);
        if (context.ImageSaveError.empty())
            context.project.NeedCompile = false;
    }
    context.ErrorList = context.Errors;
    SortIgnoringCase(context.ErrorList);
}

} // namespace

bool StopTest(CompileContext& context, CompileProgress& progress) {
    if (progress.CancelRequested())
        context.Halt = true;
    return context.Halt || context.ErrorCount > ErrorStopLimit;
}

std::string RamFigureText(int ramUsed) {
    return "Ram= " + std::to_string(ramUsed) + "/" + std::to_string(RamBytes);
}

std::string FlashFigureText(int flashUsed) {
    return "Flash= " + std::to_string(flashUsed) + "/" + std::to_string(FlashBytes);
}

CompileOptions WorkspaceCompileOptions(const WorkspaceSettings& settings,
                                       const std::string& dateText) {
    CompileOptions options;
    options.SortModulesBeforeCompile = settings.SortModulesBeforeCompile;
    options.FlagDuplicateDbNames = settings.FlagDuplicateDbNames;
    options.DateText = dateText;
    options.ImagePath = settings.SystemFolder + ImageFileName;
    options.BasicFolder = settings.BasicFolder;
    return options;
}

CompileOutcome Compile(CompileContext& context, CompileProgress& progress,
                       const SectionTable& sections) {
    ClearForCompile(context);
    ShowStart(progress);
    RunIoPointCheck(context);
    progress.SetPosition(10);

    context.FlashCursor = FlashBase;
    context.RamCursor = RamBase;
    context.Image.Add(Marker::FileName);
    WriteFileNameRecord(context);
    context.Image.Add(Marker::SysPointers);
    context.SysPointerAddress = context.FlashCursor;
    context.Compiling = true;
    BuildSysPointerRecord(context);
    context.Image.Add(Marker::Cards);
    WriteCardsRecord(context);

    context.ModuleOrder =
        ModuleOrderList(context.project, context.options.SortModulesBeforeCompile);
    progress.SetRepeatLabel("Assigning RAM...");
    AssignRam(context);
    progress.SetPosition(15);

    context.Image.Add(Marker::Constants);
    WriteConstants(context);
    context.Sys.Modules = context.FlashCursor;
    const uint32_t ramCursor = context.RamCursor;

    for (int pass = 1; pass <= 2; ++pass) {
        context.Pass = pass;
        if (!RunPass(context, progress, sections, ramCursor))
            break;
    }

    Finish(context, progress);
    DecideOutcome(context);
    progress.SetStatusMessage(context.StatusMessage);
    progress.Show(false);
    return context.Outcome;
}

} // namespace k7
