#include "workspace/project.h"

#include "workspace/databases.h"
#include "workspace/linescan.h"
#include "workspace/module_library.h"

namespace k7 {

const TTlmRow TlmTitles = {"Port", "Source", "Dest.", "Word",  "Bit",
                           "Name", "Mult",   "Type",  "Value", "Address"};

TTlmArray NewTlmArray() {
    TTlmArray array;
    array.Rows.push_back(TlmTitles);
    return array;
}

const std::array<const char*, 34> PresetPhrases = {
    "Zero",     "One",      "Two",     "Three",     "Four",     "Five",     "Six",
    "Seven",    "Eight",    "Nine",    "Ten",       "Eleven",   "Twelve",   "Thirteen",
    "Fourteen", "Fifteen",  "Sixteen", "Seventeen", "Eighteen", "Nineteen", "Twenty",
    "Thirty",   "Forty",    "Fifty",   "Sixty",     "Seventy",  "Eighty",   "Ninety",
    "Hundred",  "Thousand", "Million", "Billion",   "Point",    "Minus"};

void ResetSpeechPhrases(Project& project) {
    for (auto& phrase : project.SpeechPhrases)
        phrase.clear();
    for (size_t i = 0; i < PresetPhrases.size(); ++i)
        project.SpeechPhrases[i + 1] = PresetPhrases[i];
}

TModuleInst SystemInstance() {
    TModuleInst system;
    system.Category = 1;
    system.ModuleNumber = SystemModuleNumber;
    system.Name = "System";
    system.Values[11] = "System.BootTrg";
    system.Values[12] = "System.SecTrg";
    system.Values[13] = "System.Logon";
    return system;
}

void ResetProject(Project& project, const ModuleLibrary& library) {
    project = Project{};
    ResetSpeechPhrases(project);
    project.Modules.push_back(SystemInstance());
    RebuildDatabases(project, library);
}

void MarkProjectChanged(Project& project) {
    project.ProjectChanged = true;
    project.NeedCompile = true;
}

std::string StatusText(const Project& project) {
    std::string text;
    if (project.ProjectChanged)
        text += "  Need to save...";
    if (project.NeedCompile)
        text += "  Need to compile...";
    return text;
}

std::string RamStatusText(const Project& project) {
    return project.RamUsed
               ? "Ram= " + std::to_string(*project.RamUsed) + "/" + std::to_string(RamSize)
               : std::string();
}

std::string FlashStatusText(const Project& project) {
    return project.FlashUsed
               ? "Flash= " + std::to_string(*project.FlashUsed) + "/" + std::to_string(FlashSize)
               : std::string();
}

static uint32_t CountValue(const std::string& text) {
    int32_t value = 0;
    return ParseDecimal(text, value) && value > 0 ? static_cast<uint32_t>(value) : 0;
}

uint32_t InstanceBlockSize(const TModuleInst& instance, const ModuleLibrary& library) {
    const TModuleDef& def = library.Module(instance.ModuleNumber);
    uint32_t size = 0;
    for (int k = def.FirstOutputItem(); k <= def.LastItem() && k <= MaxModuleItems; ++k) {
        const TModuleItemDef& item = def.Items[k];
        if (item.Letter(3) == 'A')
            size += CountValue(instance.Values[1]) * 4;
        else if (item.Letter(1) == 'S')
            size += (CountValue(instance.Values[2]) / 4 + 1) * 4;
        else
            size += 4;
    }
    return size;
}

void RebuildOutputValues(TModuleInst& instance, const ModuleLibrary& library) {
    const TModuleDef& def = library.Module(instance.ModuleNumber);
    for (int k = def.FirstOutputItem(); k <= def.LastItem() && k <= MaxModuleItems; ++k)
        instance.Values[k] = (instance.Name + "." + def.Items[k].Suffix).substr(0, MaxValueWidth);
}

} // namespace k7
