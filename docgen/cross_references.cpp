#include "docgen/cross_references.h"

#include "workspace/basic_module_record.h"
#include "workspace/display_record.h"
#include "workspace/linescan.h"
#include "workspace/record_list.h"
#include "workspace/speech_record.h"
#include "workspace/table_record.h"

#include <algorithm>
#include <iterator>

namespace k7 {

namespace {

// Short texts in module inputs are numbers and codes, not names.
constexpr size_t MinModuleInputName = 4;
// Ladder cells, table cells and speech cells hold names of at least this length.
constexpr size_t MinCellName = 5;

} // namespace

ReferenceIndex::ReferenceIndex(const Project& project, const ModuleLibrary& library,
                               const std::vector<const std::vector<std::string>*>& names) {
    for (const std::vector<std::string>* list : names)
        for (const std::string& name : *list)
            lines_.try_emplace(name);
    AddModuleInputs(project, library);
    AddDisplays(project);
    AddTxRows(project);
    AddLadder(project);
    AddTables(project);
    AddSpeechReports(project);
    AddBasicInputs(project);
}

const std::vector<std::string>& ReferenceIndex::LinesFor(const std::string& name) const {
    static const std::vector<std::string> none;
    auto found = lines_.find(name);
    return found == lines_.end() ? none : found->second;
}

std::vector<std::string>* ReferenceIndex::Slot(const std::string& usedText, size_t minLength) {
    if (usedText.size() < minLength)
        return nullptr;
    auto found = lines_.find(usedText);
    return found == lines_.end() ? nullptr : &found->second;
}

void ReferenceIndex::AddModuleInputs(const Project& project, const ModuleLibrary& library) {
    for (const TModuleInst& instance : project.Modules) {
        if (instance.ModuleNumber >= 9000)
            continue;
        const TModuleDef& def = library.Module(instance.ModuleNumber);
        const int last = std::min(def.InputCount + def.ConstantCount, MaxModuleItems);
        for (int item = 1; item <= last; ++item) {
            const std::string& value = instance.Values[item];
            if (auto* slot = Slot(value, MinModuleInputName))
                slot->push_back("     " + instance.Name + "..." + def.Name + "..." +
                                def.Items[item].Prompt);
        }
    }
}

void ReferenceIndex::AddDisplays(const Project& project) {
    if (project.Displays.size() < 2)
        return;
    std::string display;
    for (const std::string& line : project.Displays) {
        if (IsHeaderLine(line)) {
            const DisplayHeaderTexts header = ReadDisplayHeaderTexts(line);
            display = header.Name;
            if (auto* slot = Slot(header.Trigger))
                slot->push_back("     Display " + display + "...Display trigger");
            continue;
        }
        for (const std::string& field : ParseDisplayLine(line).Fields) {
            if (field.size() < MinDisplayFieldName)
                break;
            if (auto* slot = Slot(field))
                slot->push_back("     Display " + display + "...Displayed variable");
        }
    }
}

// Row 0 of the array is its title row, not data: a variable that happens
// to be called "Name" is not sent anywhere by it.
void ReferenceIndex::AddTxRows(const Project& project) {
    const TTlmArray& tx = project.TxArray;
    if (tx.RowCount() < 2)
        return;
    for (int r = 1; r < tx.RowCount(); ++r) {
        const TTlmRow& row = tx.Rows[r];
        const int port = TextNumber(row[TlmPort]); // port p: board p div 3, port p mod 3 + 1
        if (auto* slot = Slot(row[TlmName]))
            slot->push_back("     TX to: Board " + std::to_string(port / 3) + ", Port " +
                            std::to_string(port % 3 + 1) + ", Dest " + row[TlmDest] + ", Word " +
                            row[TlmWord]);
    }
}

void ReferenceIndex::AddLadder(const Project& project) {
    const int rows = std::min(project.LadderRows, LadderStorageRows);
    if (rows < 7)
        return;
    for (int r = 0; r < rows; ++r) {
        const TLadderRung& rung = project.Ladder[r];
        const std::string rungText = "     Ladder rung " + std::to_string(r + 1);
        for (int c = 1; c < LadderColumns; ++c) { // the coil column is not a use
            const std::string& name = rung.CellNames[c];
            if (auto* slot = Slot(name, MinCellName))
                slot->push_back(rungText + ", Contact " + std::to_string(c - 1));
        }
        if (auto* slot = Slot(rung.OnDelay, MinCellName))
            slot->push_back(rungText + ", Call delay ");
        if (auto* slot = Slot(rung.OffDelay, MinCellName))
            slot->push_back(rungText + ", Off delay ");
    }
}

// A row line holds TYPE, ROW NAME, WT INPUT, the n value cells and OUTPUT;
// WT INPUT and the value cells can name variables.
void ReferenceIndex::AddTables(const Project& project) {
    if (project.Tables.size() < 2)
        return;
    std::string table;
    int columns = 0;
    for (const std::string& line : project.Tables) {
        if (IsHeaderLine(line)) {
            const TableHeaderTexts header = ReadTableHeaderTexts(line);
            table = header.Name;
            const std::string prefix = "     Table " + table;
            if (auto* slot = Slot(header.ReadSelector))
                slot->push_back(prefix + "...Read column selector");
            if (auto* slot = Slot(header.WriteSelector))
                slot->push_back(prefix + "...Write column selector");
            if (auto* slot = Slot(header.WriteTrigger))
                slot->push_back(prefix + "...Write column trigger");
            columns = std::clamp(TextNumber(header.Columns), 0, MaxTableColumns);
            continue;
        }
        const TableRow row = ParseTableRow(line, columns);
        std::vector<const std::string*> cells = {&row.WriteInput};
        for (const std::string& value : row.Values)
            cells.push_back(&value);
        for (const std::string* field : cells) {
            if (auto* slot = Slot(*field, MinCellName))
                slot->push_back("     Table " + table + "...Variable in cell");
        }
    }
}

// A report line holds the enable cell and the 14 phrase cells; the unit
// reads the enable cell and the first 13 phrase cells.
void ReferenceIndex::AddSpeechReports(const Project& project) {
    if (project.SpeechReports.size() < 2)
        return;
    static const char* const headerUses[] = {"...Report trigger", "...Report stop trigger",
                                             "...Line trigger", "...Line select",
                                             "...Scan trigger"};
    std::string report;
    for (const std::string& line : project.SpeechReports) {
        if (IsHeaderLine(line)) {
            const SpeechHeader header = ParseSpeechHeader(line);
            report = header.Name;
            const std::string* uses[] = {&header.Trigger, &header.Stop, &header.LineTrigger,
                                         &header.LineSelect, &header.ScanTrigger};
            for (size_t u = 0; u < std::size(uses); ++u)
                if (auto* slot = Slot(*uses[u]))
                    slot->push_back("     Speech Report " + report + headerUses[u]);
            continue;
        }
        const SpeechLine cells = ParseSpeechLine(line);
        for (size_t i = 0; i < static_cast<size_t>(SpeechPhraseCells); ++i) {
            const std::string& field = cells[i];
            if (field.size() < MinCellName) // the whole cell, before its format is cut off
                continue;
            if (auto* slot = Slot(SpeechCellName(field)))
                slot->push_back("     Speech Report " + report + "...Variable in cell");
        }
    }
}

// instance | source file | "I" + input value ... | outputs ... | $start | $end.
// Inputs are the fields beginning with "I"; a lower-case "i" is an Integer output.
void ReferenceIndex::AddBasicInputs(const Project& project) {
    for (const std::string& line : project.BasicModules) {
        const std::optional<BasicInstanceLine> stored = ParseBasicInstanceLine(line);
        if (!stored)
            continue;
        for (const std::string& field : stored->Fields) {
            if (field.empty())
                continue;
            if (field[0] != 'I')
                break;
            if (auto* slot = Slot(field.substr(1)))
                slot->push_back("     Basic module..." + stored->SourceName + "...Input");
        }
    }
}

void FindReferences(const Project& project, const ModuleLibrary& library, const std::string& name,
                    std::vector<std::string>& target) {
    const std::vector<std::string> wanted{name};
    const ReferenceIndex index(project, library, {&wanted});
    const std::vector<std::string>& lines = index.LinesFor(name);
    target.insert(target.end(), lines.begin(), lines.end());
}

void WriteCrossReferenceSection(const Project& project, const ModuleLibrary& library, DocLines& out,
                                const std::function<void(int)>& progress) {
    out.push_back("CROSS REFERENCE LISTS...");
    const DatabaseLists& db = project.Databases;
    struct Listed {
        const std::vector<std::string>& Names;
        const char* Heading;
    };
    const Listed lists[] = {{db.Float, "FLOATING POINT DATABASE..."},
                            {db.Integer, "INTEGER DATABASE..."},
                            {db.Status, "STATUS DATABASE..."},
                            {db.String, "STRING DATABASE..."},
                            {db.Rx, "RX ARRAY DATABASE..."}};
    size_t total = 0;
    for (const Listed& list : lists)
        total += list.Names.size();

    const ReferenceIndex index(project, library,
                               {&db.Float, &db.Integer, &db.Status, &db.String, &db.Rx});
    size_t done = 0;
    for (const Listed& list : lists) {
        if (list.Names.size() < 2)
            continue;
        out.push_back(" ");
        out.push_back(list.Heading);
        for (const std::string& name : list.Names) {
            out.push_back("   " + name);
            const std::vector<std::string>& lines = index.LinesFor(name);
            out.insert(out.end(), lines.begin(), lines.end());
            ++done;
            if (progress)
                progress(50 + static_cast<int>(done * 50 / total));
        }
    }
}

} // namespace k7
